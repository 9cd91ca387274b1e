#include "scattersearch.h"

#include "elapsed.h"
#include "numbers.h"
#include "parser.h"
#include "statpack.h"

#include <algorithm>
#include <string_view>

namespace {

enum Kind {
    Plain = 0,
    StartsWith = 1,
    EndsWith = 2,
    Contains = 3,
    AtLeast = 10,
    AtMost = 11,
    RatioAtMost = 12,
    RatioAtLeast = 13,
    LogRatioAtMost = 14,
    LogRatioAtLeast = 15
};

struct Term {
    std::string text;
    int kind = Plain;
};

double NumberOrZero(std::string_view s) {
    double v = 0;
    return ParseStrictFloat(s, v) ? v : 0.0;
}

// An empty term occurs nowhere.
bool Occurs(std::string_view a, std::string_view t) {
    return !t.empty() && a.find(t) != std::string_view::npos;
}

std::string PaddedIndex(int32_t i) {
    std::string s = std::to_string(i);
    return std::string(s.size() < 6 ? 6 - s.size() : 0, ' ') + s;
}

// The annotation as a log line: TABs as "; ", line breaks dropped.
std::string LogText(std::string_view a) {
    std::string out;
    out.reserve(a.size());
    for (char c : a) {
        if (c == '\t')
            out += "; ";
        else if (c != '\r' && c != '\n')
            out += c;
    }
    return out;
}

} // namespace

void AnnotationIndex::Build(const std::vector<std::string>& annotations) {
    Upper.resize(annotations.size());
    Number.resize(annotations.size());
    for (size_t i = 0; i < annotations.size(); ++i) {
        Upper[i] = UpperAscii(annotations[i]);
        Number[i] = NumberOrZero(annotations[i]);
    }
}

AnnotationSearch SearchAnnotation(const std::vector<std::string>& annotations,
                                  const AnnotationIndex& index, std::span<const float> x,
                                  std::span<const float> y, std::span<int32_t> flags, int32_t count,
                                  const std::string& query) {
    AnnotationSearch result;
    if (query.empty()) return result;
    const Stopwatch watch;
    std::vector<std::string> items;
    SplitQuoted(query, ' ', items);
    result.LogLines = {" ", "Seaching genes for \"" + query + "\""};

    static constexpr std::pair<std::string_view, int> kNumeric[] = {
        {"\\>=", AtLeast},       {"\\<=", AtMost},           {"\\R<=", RatioAtMost},
        {"\\R>=", RatioAtLeast}, {"\\LR<=", LogRatioAtMost}, {"\\LR>=", LogRatioAtLeast}};
    bool containsMode = false, keep = false;
    double threshold = 0;
    std::vector<Term> terms;
    for (const std::string& item : items) {
        Term t{UpperAscii(item)};
        if (t.text == "\\C") {
            containsMode = true;
            continue;
        }
        if (t.text == "\\K") keep = true;
        if (!t.text.empty() && t.text.front() == '*') {
            t.kind = EndsWith;
            t.text.erase(0, 1);
        }
        if (const size_t star = t.text.find('*');
            star != std::string::npos && star + 1 == t.text.size()) {
            t.kind = t.kind == EndsWith ? Contains : StartsWith;
            t.text.pop_back();
        }
        for (const auto& [prefix, kind] : kNumeric) {
            if (t.text.starts_with(prefix)) {
                t.kind = kind;
                threshold = NumberOrZero(std::string_view(t.text).substr(prefix.size()));
                break;
            }
        }
        terms.push_back(std::move(t));
    }

    const size_t n = std::min({static_cast<size_t>(std::max(count, 0)) + 1, flags.size(), x.size(),
                               y.size(), index.Upper.size(), annotations.size()});
    if (!keep) std::fill(flags.begin(), flags.end(), 0);
    std::vector<std::string> shown;
    for (const Term& t : terms) {
        for (size_t i = 1; i < n; ++i) {
            if (annotations[i].empty()) continue;
            const std::string& a = index.Upper[i];
            const float r = y[i] != 0 ? x[i] / y[i] : 0.0f;
            bool matched;
            switch (t.kind) {
            case StartsWith:
                matched = !t.text.empty() && a.starts_with(t.text);
                break;
            case EndsWith:
                matched = !t.text.empty() && a.ends_with(t.text);
                break;
            case Contains:
                matched = Occurs(a, t.text);
                break;
            case AtLeast:
                matched = index.Number[i] >= threshold;
                break;
            case AtMost:
                matched = index.Number[i] <= threshold;
                break;
            case RatioAtMost:
                matched = y[i] != 0 && r <= threshold;
                break;
            case RatioAtLeast:
                matched = y[i] != 0 && r >= threshold;
                break;
            case LogRatioAtMost:
                matched = y[i] != 0 && r > 0 && Log2S(r) <= threshold;
                break;
            case LogRatioAtLeast:
                matched = y[i] != 0 && r > 0 && Log2S(r) >= threshold;
                break;
            default:
                matched = containsMode ? Occurs(a, t.text) : a == t.text;
            }
            if (!matched) continue;
            flags[i] = 1;
            ++result.Matches;
            std::string line =
                PaddedIndex(static_cast<int32_t>(i)) + '\t' + LogText(annotations[i]);
            if (shown.size() < 20)
                shown.push_back(line.size() > 100 ? line.substr(0, 100) + "..." : line);
            result.LogLines.push_back(std::move(line));
        }
    }
    std::string list;
    for (const std::string& s : shown) list += (list.empty() ? "" : "\n") + s;
    if (result.Matches > 20) list += "\n     ...... see Log tab-sheet for more";
    const std::string found = std::to_string(result.Matches) + " matches found";
    result.LogLines.push_back(found);
    result.Message = "Searching for \"" + query + "\"\n\n" + found;
    if (result.Matches > 0) result.Message += "\n\n" + list;
    result.LogLines.push_back(FormatFixedWidth(watch.Seconds(), 8, 3) + "s elapsed time");
    result.LogLines.emplace_back();
    return result;
}
