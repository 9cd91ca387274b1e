#include "cghgrouping.h"

#include "binaryio.h"
#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <utility>

namespace {

struct NamedColour {
    std::string_view name;
    int r, g, b;
};
constexpr NamedColour kColourWords[] = {
    {"red", 255, 0, 0},       {"green", 0, 128, 0},   {"blue", 0, 0, 255},
    {"black", 0, 0, 0},       {"maroon", 128, 0, 0},  {"navy", 0, 0, 128},
    {"gray", 128, 128, 128},  {"olive", 128, 128, 0}, {"purple", 128, 0, 128},
    {"teal", 0, 128, 128},    {"lime", 0, 255, 0},    {"yellow", 255, 255, 0},
    {"fuchsia", 255, 0, 255}, {"aqua", 0, 255, 255}};

// A colour word or "r,g,b" (each modulo 256 into 0..255); false when it is neither.
bool ReadColour(std::string_view text, TColor& out) {
    text = TrimBlanks(text);
    for (const NamedColour& w : kColourWords) {
        if (text == w.name) {
            out = RGBColor(w.r, w.g, w.b);
            return true;
        }
    }
    std::vector<std::string_view> parts;
    SplitQuoted(text, ',', parts);
    int32_t rgb[3] = {};
    if (parts.size() != 3) return false;
    for (size_t k = 0; k < 3; ++k) {
        if (!ParseStrictInt(parts[k], rgb[k])) return false;
        rgb[k] = (rgb[k] % 256 + 256) % 256;
    }
    out = RGBColor(rgb[0], rgb[1], rgb[2]);
    return true;
}

// A whole number where an empty text reads as 0.
bool WholeOrEmpty(std::string_view text, int32_t& out) {
    text = TrimBlanks(text);
    out = 0;
    return text.empty() || ParseStrictInt(text, out);
}

} // namespace

std::vector<SetColour> ParseColourText(std::string_view text, std::vector<std::string>& skipped) {
    std::vector<SetColour> colours;
    std::string rest = AsciiLower(text), token;
    while (!rest.empty()) {
        CutToken(rest, ";", token);
        const std::string_view item = token;
        if (TrimBlanks(item).empty()) continue;
        const size_t colon = std::min(item.find(':'), item.size());
        int32_t set = 0;
        TColor colour = 0;
        const char* why = nullptr;
        if (!ParseStrictInt(item.substr(0, colon), set))
            why = "no set number";
        else if (set < 1 || set > 100)
            why = "set number outside 1..100";
        else if (!ReadColour(item.substr(std::min(colon + 1, item.size())), colour))
            why = "no colour name nor three whole numbers";
        if (why)
            skipped.push_back("Colour \"" + std::string(item) + "\" skipped: " + why + ".");
        else
            colours.push_back({set, colour});
    }
    return colours;
}

bool ParseCGHGroupingFile(const std::string& fileName, CGHGrouping& out, std::string& errText) {
    out = CGHGrouping();
    LineReader reader;
    if (!OpenSmallFile(reader, fileName, errText)) return false;
    CGHGrouping g;
    std::string_view line;
    int64_t number = 0;
    while (reader.Next(line)) {
        ++number;
        const size_t comma = std::min(line.find(','), line.size());
        int32_t h = 0, colour = 0;
        const char* why = nullptr;
        if (!WholeOrEmpty(line.substr(0, comma), h) ||
            !WholeOrEmpty(line.substr(std::min(comma + 1, line.size())), colour))
            why = "no \"number,colour\" pair of whole numbers";
        else if (h < 0 || h > kMaxHybridisations)
            why = "hybridisation number outside 0..50";
        if (why)
            g.Skipped.push_back("\"" + fileName + "\", line " + std::to_string(number) +
                                " left out: " + why + ".");
        else
            g.Entries.push_back({h, static_cast<TColor>(colour)});
    }
    if (reader.Failed()) {
        errText = "Could not read file \"" + fileName + "\"";
        return false;
    }
    if (number == 0) g.Entries.push_back({0, 0}); // an empty file reads as one empty line
    out = std::move(g);
    return true;
}

void ApplyCGHGrouping(const CGHGrouping& grouping, tCGH_DataSet& data, tSetColours& colours) {
    for (int h = 1; h <= std::min(data.HNum, kMaxHybridisations); ++h) data.Hyb[h].Active = 0;
    for (const SetColour& e : grouping.Entries) {
        if (e.Set < 0 || e.Set > kMaxHybridisations) continue;
        data.Hyb[e.Set].Active = 1;
        colours[static_cast<size_t>(e.Set)] = e.Colour;
    }
    BumpDataVersion();
}

bool WriteCGHGroupingFile(const std::string& fileName, const tCGH_DataSet& data,
                          const tSetColours& colours, std::string& errText) {
    std::string text;
    for (int h = 1; h <= std::min(data.HNum, kMaxHybridisations); ++h)
        if (data.Hyb[h].Active != 0 && !data.Hyb[h].FileName.empty())
            text +=
                std::to_string(h) + "," + std::to_string(colours[static_cast<size_t>(h)]) + "\r\n";
    return WriteWholeFile(fileName, text, errText);
}
