#include "bandpattern.h"

#include "binaryio.h"
#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace {

// Collects "name<delim>value" lines; a later line of a name replaces its value.
class PatternBuilder {
  public:
    // False with `errText` set when the line's value is no number; empty lines are skipped.
    bool Add(std::string_view line, char delim, const std::string& source, int64_t number,
             std::string& errText) {
        if (line.empty()) return true;
        const size_t at = std::min(line.find(delim), line.size());
        const std::string_view name = line.substr(0, at);
        const std::string_view text = line.substr(std::min(at + 1, line.size()));
        double v = 0;
        if (!ParseStrictFloat(text, v)) {
            errText = source + ", line " + std::to_string(number) + ": the value \"" +
                      std::string(text) + "\" of band \"" + std::string(name) + "\" is no number.";
            return false;
        }
        values_.insert_or_assign(std::string(name), v);
        return true;
    }
    BandPattern Finish() {
        BandPattern p;
        p.Names.reserve(values_.size());
        p.Values.reserve(values_.size());
        for (auto& [name, v] : values_) {
            p.Names.push_back(name);
            p.Values.push_back(v);
        }
        return p;
    }

  private:
    std::map<std::string, double, std::less<>> values_;
};

// Without decimals, and never "-0".
std::string Whole(double v) {
    std::string s = FormatFixed(v, 0);
    return s == "-0" ? "0" : s;
}

std::string Scientific(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 1);
    return std::string(buf, r.ptr);
}

} // namespace

bool ReadBandPatternFile(const std::string& fileName, BandPattern& out, std::string& errText) {
    LineReader reader;
    if (!OpenSmallFile(reader, fileName, errText)) return false;
    PatternBuilder builder;
    const std::string source = "\"" + fileName + "\"";
    std::string_view line;
    int64_t number = 0;
    while (reader.Next(line))
        if (!builder.Add(line, '\t', source, ++number, errText)) return false;
    if (reader.Failed()) {
        errText = "Could not read file " + source;
        return false;
    }
    out = builder.Finish();
    return true;
}

bool WriteBandPatternFile(const std::string& fileName, const BandPattern& pattern,
                          std::string& errText) {
    std::string text;
    const size_t n = std::min(pattern.Names.size(), pattern.Values.size());
    for (size_t i = 0; i < n; ++i)
        text += pattern.Names[i] + "\t" + FormatFixed(pattern.Values[i], 9) + "\r\n";
    return WriteWholeFile(fileName, text, errText);
}

BandPattern DemoBandPattern() {
    PatternBuilder builder;
    std::vector<std::string_view> lines;
    SplitQuoted(DemoPatternText(), '\n', lines);
    std::string ignored; // the built-in text holds numbers only
    for (size_t i = 0; i < lines.size(); ++i)
        builder.Add(lines[i], ';', "demo pattern", static_cast<int64_t>(i + 1), ignored);
    return builder.Finish();
}

bool ParseDataRange(std::string_view text, int kind, double& paletteMin, double& paletteMax,
                    std::string& errText) {
    std::string rest(text), first;
    CutToken(rest, ",", first);
    double a = 0, b = 0;
    if (!ParseStrictFloat(first, a) || !ParseStrictFloat(rest, b)) {
        errText = "\"" + std::string(text) + "\" is no range of two numbers such as \"1,100\".";
        return false;
    }
    if (kind == 3) {
        // 0.0 - x rather than -x: the range of "1,..." starts at 0, not -0.
        const auto minusLog = [](double v) { return v > 0 ? 0.0 - std::log10(v) : 0.0; };
        paletteMin = minusLog(a);
        paletteMax = minusLog(b);
    } else if (kind == 4) {
        const double m = std::max(std::fabs(a), std::fabs(b));
        paletteMin = -m;
        paletteMax = m;
    } else {
        paletteMin = a;
        paletteMax = b;
    }
    return true;
}

std::pair<std::string, std::string> ColourBarLabels(int kind, double paletteMin,
                                                    double paletteMax) {
    switch (kind) {
    case 1:
        return {Whole(paletteMin), Whole(paletteMax)};
    case 2:
        return {Whole(paletteMin) + "%", Whole(paletteMax) + "%"};
    case 3:
        return {Scientific(std::pow(10.0, -paletteMin)), Scientific(std::pow(10.0, -paletteMax))};
    case 4:
        return {Whole(-paletteMax), Whole(paletteMax)};
    default:
        return {};
    }
}
