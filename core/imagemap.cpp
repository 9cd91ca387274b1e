#include "imagemap.h"

#include "numbers.h"
#include "parser.h"
#include "textpreview.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace {
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct CaseLess {
    bool operator()(std::string_view a, std::string_view b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return Lower(x) < Lower(y); });
    }
};

bool Contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

// Text between `open` and the next `close` after it; empty when either is missing.
std::string_view Between(std::string_view s, std::string_view open, std::string_view close,
                         size_t from = 0) {
    const size_t a = s.find(open, from);
    if (a == std::string_view::npos) return {};
    const size_t b = s.find(close, a + open.size());
    if (b == std::string_view::npos) return {};
    return s.substr(a + open.size(), b - a - open.size());
}

int32_t Coordinate(std::string_view s) {
    return std::clamp(ParseLenientInt(s), -kMapCoordinateLimit, kMapCoordinateLimit);
}

// Blank-separated words of s.
std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < s.size()) {
        i = s.find_first_not_of(' ', i);
        if (i == std::string_view::npos) break;
        size_t end = s.find(' ', i);
        if (end == std::string_view::npos) end = s.size();
        words.push_back(s.substr(i, end - i));
        i = end;
    }
    return words;
}

float MeanOf(long double sum, int32_t n, float none) {
    if (n == 0) return none;
    return static_cast<float>(std::clamp<long double>(sum / n, -3.4e38L, 3.4e38L));
}

float ReadListValue(std::string_view word) {
    std::string s(word);
    std::replace(s.begin(), s.end(), ',', '.');
    return static_cast<float>(std::clamp(ParseLenientFloat(s), -3.4e38, 3.4e38));
}
} // namespace

std::string ImageMapFileName(const std::string& picture) {
    constexpr std::string_view kExtension = ".png";
    if (picture.size() < kExtension.size() ||
        AsciiLower(std::string_view(picture).substr(picture.size() - kExtension.size())) !=
            kExtension)
        return {};
    return picture.substr(0, picture.size() - kExtension.size()) + ".html";
}

ImageMapArea ParseImageMapArea(std::string_view line, std::string_view baseAddress) {
    ImageMapArea a;
    std::vector<std::string> fields = SplitPreviewLine(line);
    fields.resize(std::max<size_t>(fields.size(), 4));
    const std::string& shape = fields[0];
    const std::string& title = fields[3];
    a.Shape = Contains(shape, "circle") ? 1 : 0;

    std::string coords = fields[1], before;
    CutToken(coords, "=", before);
    int32_t c[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && !coords.empty(); ++i) {
        std::string number;
        CutToken(coords, ",", number);
        c[i] = Coordinate(number);
    }
    if (a.Shape == 1) {
        a.X1 = c[0] - c[2];
        a.Y1 = c[1] - c[2];
        a.X2 = c[0] + c[2];
        a.Y2 = c[1] + c[2];
    } else {
        a.X1 = c[0];
        a.Y1 = c[1];
        a.X2 = c[2];
        a.Y2 = c[3];
    }

    if (title.starts_with("title=\"C")) {
        a.Kind = 1;
        a.Names = std::string(Between(title, "(", ")\""));
    } else if (Contains(title, "title=\"hsa")) {
        a.Kind = 2;
    } else {
        for (size_t from = 0;;) {
            const size_t open = title.find('(', from);
            const size_t close = open == std::string::npos ? open : title.find(')', open + 1);
            if (close == std::string::npos) break;
            a.Names.append(title, open + 1, close - open - 1);
            a.Names += ' ';
            from = close + 1;
        }
    }

    // Only a path on the database's own host: "@other.host/x" after the address would leave it.
    const std::string_view path = Between(fields[2], "\"", "\"");
    if (path.starts_with('/')) a.Link = std::string(baseAddress) + std::string(path);
    return a;
}

std::vector<ImageMapArea> ReadImageMap(std::string_view html, std::string_view baseAddress) {
    std::vector<ImageMapArea> areas;
    for (std::string_view line : SplitTextLines(html))
        if (Contains(line, "area shape")) areas.push_back(ParseImageMapArea(line, baseAddress));
    return areas;
}

int32_t FindArea(const std::vector<ImageMapArea>& areas, int64_t x, int64_t y) {
    for (size_t i = 0; i < areas.size(); ++i) {
        const ImageMapArea& a = areas[i];
        if (x >= a.X1 && x <= a.X2 && y >= a.Y1 && y <= a.Y2) return static_cast<int32_t>(i + 1);
    }
    return 0;
}

GenePaste ParseGeneList(std::string_view text, int32_t kind) {
    struct Sums {
        long double regulation = 0, p = 0;
        int32_t n = 0;
    };
    std::map<std::string, Sums, CaseLess> genes;
    const auto add = [&](std::string_view name, float regulation, float p) {
        Sums& s = genes[std::string(name)];
        s.regulation += regulation;
        s.p += p;
        ++s.n;
    };
    GenePaste paste;
    std::string clean;
    clean.reserve(text.size());
    if (kind == 2 || kind == 12) {
        for (char c : text) {
            if (c == '\t') c = ' ';
            if (c != '\r' && c != '"') clean += c;
        }
        const std::vector<std::string_view> lines = SplitTextLines(clean);
        paste.PastedCount = static_cast<int32_t>(lines.size());
        for (std::string_view line : lines) {
            const std::vector<std::string_view> words = Words(line);
            if (words.empty()) continue;
            add(words[0], words.size() > 1 ? ReadListValue(words[1]) : 0.0f,
                words.size() > 2 ? ReadListValue(words[2]) : 0.0f);
        }
    } else {
        for (char c : text)
            clean += std::string_view("\t\n\r\",;").find(c) == std::string_view::npos ? c : ' ';
        for (std::string_view word : Words(clean)) add(word, -1e9f, 0.0f);
    }
    for (const auto& [name, s] : genes) {
        paste.GeneList.push_back(name);
        paste.RegulationMeans.push_back(MeanOf(s.regulation, s.n, 0.0f));
        paste.PValueMeans.push_back(MeanOf(s.p, s.n, 1.0f));
    }
    return paste;
}

int32_t FindGene(const GenePaste& genes, std::string_view name) {
    const auto it =
        std::lower_bound(genes.GeneList.begin(), genes.GeneList.end(), name,
                         [](const std::string& a, std::string_view b) { return CaseLess()(a, b); });
    if (it == genes.GeneList.end() || CaseLess()(name, *it)) return -1;
    return static_cast<int32_t>(it - genes.GeneList.begin());
}

std::vector<std::string> GenePasteReport(const GenePaste& genes) {
    std::vector<std::string> lines;
    lines.push_back("Pasted genes (" + std::to_string(genes.GeneList.size()) + ") :");
    for (size_t i = 0; i < genes.GeneList.size(); ++i)
        lines.push_back(genes.GeneList[i] + "\t" + FormatFixed(genes.RegulationMeans[i], 3) + "\t" +
                        FormatExponent(genes.PValueMeans[i], 2, 0));
    return lines;
}

std::vector<AreaOutline> GeneAreaOutlines(std::vector<ImageMapArea>& areas, const GenePaste& genes,
                                          int32_t pasteKind) {
    std::vector<AreaOutline> outlines;
    for (size_t i = 0; i < areas.size(); ++i) {
        ImageMapArea& a = areas[i];
        if (a.Kind != 0) continue;
        a.Hits.clear();
        long double sum = 0;
        int32_t found = 0;
        for (std::string_view word : Words(a.Names)) {
            const int32_t g = FindGene(genes, word);
            if (g < 0) continue;
            sum += genes.RegulationMeans[g];
            ++found;
            a.Hits.append(word);
            a.Hits += ' ';
        }
        if (found == 0) continue;
        const long double m = sum / found;
        AreaOutline o;
        o.Area = static_cast<int32_t>(i + 1);
        o.Left = a.X1 - 3;
        o.Top = a.Y1 - 3;
        o.Right = a.X2 + 3;
        o.Bottom = a.Y2 + 3;
        if (pasteKind == 1) {
            o.Colour = 0;
        } else if (pasteKind == 2) {
            o.Width = 5;
            o.Colour = m < -1000    ? 0x000000
                       : m > 0.001  ? 0x0000FF
                       : m < -0.001 ? 0x008000
                                    : 0xFF0000;
        } else {
            o.Colour = 0xFF0000;
        }
        outlines.push_back(o);
    }
    return outlines;
}

std::string FormatExponent(double v, int significant, int exponentDigits) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific,
                                 std::max(0, significant - 1));
    const std::string_view s(buf, static_cast<size_t>(r.ptr - buf));
    const size_t e = s.find('e');
    if (e == std::string_view::npos || e + 2 > s.size()) return std::string(s);
    std::string exponent(s.substr(e + 2));
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    if (static_cast<int>(exponent.size()) < exponentDigits)
        exponent.insert(0, static_cast<size_t>(exponentDigits) - exponent.size(), '0');
    return std::string(s.substr(0, e)) + "E" + s[e + 1] + exponent;
}
