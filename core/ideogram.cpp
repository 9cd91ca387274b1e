#include "ideogram.h"

#include "binaryio.h"
#include "elapsed.h"
#include "numbers.h"
#include "parser.h"
#include "progresssteps.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <new>
#include <string_view>
#include <vector>

namespace {

struct Columns {
    int firstLine, chr, arm, band, start, end, stain, density, extra;
};

// The nine numbers after the file name; false when fewer than nine or one is below 1.
bool ParseColumns(std::string rest, Columns& c) {
    int values[9];
    for (int& v : values) {
        if (rest.empty()) return false;
        std::string item;
        CutToken(rest, ",", item);
        v = ParseLenientInt(item);
        if (v < 1) return false;
    }
    c = {values[0], values[1], values[2], values[3], values[4],
         values[5], values[6], values[7], values[8]};
    return true;
}

struct Band {
    int chr = 0, arm = 0, band = 0, subBand = 0, letter = 0, start = 0, end = 0, extra = 0;
    float density = 0;
};

// Band text "36.33" is band 36, sub-band 33; "11.2b" adds letter 2; a lettered band "a1" is
// (letter code) x 10 + its second character.
void ParseBand(std::string_view column, Band& b, int32_t& ideogramType) {
    std::string bandText = AsciiLower(column);
    std::string subText;
    const size_t dot = bandText.find('.');
    if (dot != std::string::npos) {
        subText = bandText.substr(dot + 1);
        bandText.resize(dot);
    }
    if (bandText == "ter") {
        b.band = 1000;
    } else {
        b.band = ParseLenientInt(bandText);
        if (b.band == 0 && !bandText.empty()) {
            ideogramType = 2;
            const int second = bandText.size() > 1 ? ParseLenientInt(bandText.substr(1, 1)) : 0;
            b.band = (static_cast<unsigned char>(bandText[0]) - 96) * 10 + second;
        }
    }
    if (!subText.empty() && static_cast<unsigned char>(subText.back()) >= 97) {
        b.letter = static_cast<unsigned char>(subText.back()) - 96;
        subText.pop_back();
    }
    b.subBand = ParseLenientInt(subText);
}

bool ReadBands(const std::string& spec, tFList& bands, tGenomeLayout& layout, int32_t& ideogramType,
               Report& report, std::string& errText) {
    const Stopwatch clock;
    std::string rest = spec, fileName;
    CutToken(rest, ";", fileName);
    report.Add("Parsing ideogram file \"" + fileName + "\" ...");

    Columns col{};
    if (spec.find(';') == std::string::npos || !ParseColumns(rest, col)) {
        errText = "Invalid ideogram specification: " + spec;
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) {
        report.Add("Fialed !! File does not exist.");
        errText = "File \"" + fileName + "\" does not exist !";
        return false;
    }
    // Text holds no NUL byte. A file that does (a picture, UTF-16 text, random bytes) is refused,
    // most of them by their first block before the whole file is read and split into lines.
    const auto notText = [&] {
        errText = "File \"" + fileName + "\" is not a text file (it holds NUL bytes) !";
        return false;
    };
    constexpr size_t kFirstBlock = 65536;
    std::string text;
    if (ReadFileStart(fileName, kFirstBlock, text) == 0 && text.find('\0') != std::string::npos)
        return notText();
    int err = 0;
    if (!ReadWholeFile(fileName, text, err)) {
        errText = "File \"" + fileName + "\" could not be read !";
        return false;
    }
    if (text.find('\0') != std::string::npos) return notText();
    std::vector<std::string_view> lines;
    LineReader::SplitLines(text, lines);
    const int lineCount = static_cast<int>(lines.size());

    // Fresh storage, swapped in at the end, so a failure leaves the old ideogram in place.
    tFList newBands(lines.size() + 10);
    tGenomeLayout geo = layout;
    geo.TotalLength = 0;
    geo.ChromosomeCount = 0;
    geo.LongestChromosome = 0;
    geo.LongestPArm = 0;
    for (int c = 1; c <= kLayoutSlots; ++c) {
        geo.Length[c] = 0;
        geo.ArmMaxEnd[c] = {0, 0, 0};
    }
    int32_t type = 1;

    std::vector<std::string_view> fields;
    auto field = [&fields](int column) {
        return static_cast<size_t>(column) <= fields.size() ? fields[column - 1]
                                                            : std::string_view();
    };
    int arm = 0; // a row with an unknown arm keeps the previous row's
    for (int i = col.firstLine; i <= lineCount; ++i) {
        const std::string_view line = lines[i - 1];
        report.Add(std::string(line));
        if (line.empty() || line.front() == '#') continue;
        SplitQuoted(line, '\t', fields);

        Band b;
        const std::string chr = AsciiLower(field(col.chr));
        b.chr = chr == "x" ? 23 : chr == "y" ? 24 : ParseLenientInt(chr);
        const bool inTable = b.chr >= 1 && b.chr <= kLayoutSlots;
        if (inTable) geo.ChromosomeCount = std::max(geo.ChromosomeCount, b.chr);

        const std::string armText = AsciiLower(field(col.arm));
        if (armText == "p")
            arm = 1;
        else if (armText == "q")
            arm = 2;
        else if (armText == "cen")
            arm = 0;
        else if (armText == "ter")
            arm = 1000;
        b.arm = arm;

        ParseBand(field(col.band), b, type);
        b.start = ParseLenientInt(field(col.start));
        b.end = ParseLenientInt(field(col.end));
        const std::string_view density = field(col.density);
        if (!density.empty())
            b.density = static_cast<float>(ParseLenientFloat(density));
        else
            b.density = field(col.stain) == "gpos" ? 100.0f : 0.0f;
        b.extra = ParseLenientInt(field(col.extra));

        auto& num = newBands[static_cast<size_t>(i)].Num;
        num[1] = static_cast<float>(b.chr);
        num[2] = static_cast<float>(b.arm);
        num[3] = static_cast<float>(b.band);
        num[4] = static_cast<float>(b.subBand);
        num[5] = static_cast<float>(b.letter);
        num[8] = static_cast<float>(b.start);
        num[9] = static_cast<float>(b.end);
        num[10] = static_cast<float>(b.extra);
        num[11] = b.density;
        report.Add(std::to_string(b.chr) + ":" + std::to_string(b.arm) + ":" +
                   std::to_string(b.band) + ":" + std::to_string(b.subBand) + ":" +
                   std::to_string(b.letter) + " - " + std::to_string(b.start) + " - " +
                   std::to_string(b.end) + " - " + std::to_string(b.extra));

        if (inTable && b.arm >= 0 && b.arm <= 2 && b.end > geo.ArmMaxEnd[b.chr][b.arm])
            geo.ArmMaxEnd[b.chr][b.arm] = b.end;
    }
    newBands[0].Num[1] = static_cast<float>(lineCount);
    if (geo.ChromosomeCount == 0) {
        errText = "File \"" + fileName + "\" holds no band rows (from line " +
                  std::to_string(col.firstLine) + ", chromosome column " + std::to_string(col.chr) +
                  ")";
        return false;
    }

    // The q maximum becomes the q arm's length; both maxima are non-negative, so no overflow.
    for (int c = 1; c <= geo.ChromosomeCount; ++c) geo.ArmMaxEnd[c][2] -= geo.ArmMaxEnd[c][1];
    int32_t longestQ = 0;
    for (int c = 1; c <= geo.ChromosomeCount; ++c) {
        const int32_t p = geo.ArmMaxEnd[c][1], q = geo.ArmMaxEnd[c][2];
        geo.LongestPArm = std::max(geo.LongestPArm, p);
        longestQ = std::max(longestQ, q);
        geo.Length[c] = p + q;
        geo.Selected[c] = 1;
        geo.TotalLength += geo.Length[c];
    }
    geo.LongestChromosome = static_cast<int32_t>(std::min<int64_t>(
        int64_t{longestQ} + geo.LongestPArm, std::numeric_limits<int32_t>::max()));

    report.Add(std::to_string(lineCount) + " lines parsed.");
    report.Add("Ideogram type = " + std::to_string(type));
    report.Add(clock.Line());
    bands = std::move(newBands);
    layout = geo;
    ideogramType = type;
    BumpDataVersion();
    return true;
}

} // namespace

bool ReadIdeogramFile(const std::string& spec, tFList& bands, tGenomeLayout& layout,
                      int32_t& ideogramType, LogSink* log, std::string& errText) {
    Report report(log);
    try {
        return ReadBands(spec, bands, layout, ideogramType, report, errText);
    } catch (const std::bad_alloc&) {
        std::string fileName = spec;
        fileName.resize(std::min(spec.find(';'), spec.size()));
        errText = NotEnoughMemoryText(fileName);
        return false;
    }
}
