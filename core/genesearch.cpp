#include "genesearch.h"

#include "elapsed.h"
#include "numbers.h"

#include <algorithm>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `part` is lower case already; names are compared without copying them.
bool EqualAt(std::string_view name, size_t at, std::string_view part) {
    if (at + part.size() > name.size()) return false;
    for (size_t i = 0; i < part.size(); ++i)
        if (Lower(name[at + i]) != part[i]) return false;
    return true;
}

enum class Kind { Equal, Prefix, Suffix, Contained };

bool Matches(std::string_view name, Kind kind, std::string_view part) {
    switch (kind) {
    case Kind::Equal:
        return name.size() == part.size() && EqualAt(name, 0, part);
    case Kind::Prefix:
        return EqualAt(name, 0, part);
    case Kind::Suffix:
        return name.size() >= part.size() && EqualAt(name, name.size() - part.size(), part);
    case Kind::Contained:
        for (size_t at = 0; at + part.size() <= name.size(); ++at)
            if (EqualAt(name, at, part)) return true;
        return false;
    }
    return false;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

int MatchGeneNames(tFList& genes, std::string_view pattern, LogSink* log) {
    std::string lower(pattern);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    const bool first = !lower.empty() && lower.front() == '*';
    const bool last = !lower.empty() && lower.back() == '*';
    Kind kind = Kind::Suffix;
    std::string_view part = lower;
    if (lower.size() > 2 && first && last) {
        kind = Kind::Contained;
        part = part.substr(1, part.size() - 2);
    } else if (!first && !last) {
        kind = Kind::Equal;
    } else if (!first) {
        kind = Kind::Prefix;
        part.remove_suffix(1);
    } else {
        part.remove_prefix(1);
    }
    if (part.empty()) return 0;

    Report report(log);
    int found = 0;
    const int count = FeatureCount(genes);
    for (int i = 1; i <= count; ++i) {
        tFeature& f = genes[static_cast<size_t>(i)];
        if (!Matches(f.Name, kind, part)) continue;
        ++found;
        f.Num[15] = 1.0f;
        if (report.Enabled())
            report.Add(std::to_string(i) + " - " + f.Name + "; Chr=" + FormatGeneral(f.Num[1]) +
                       "; Start=" + FormatGeneral(f.Num[2]) + " - " + f.Str[1] + ", " + f.Str[2] +
                       ", " + f.Str[3]);
    }
    return found;
}

std::string CleanSearchText(std::string_view typed) {
    size_t from = 0, to = typed.size();
    while (from < to && IsBlank(typed[from])) ++from;
    while (to > from && IsBlank(typed[to - 1])) --to;
    std::string text(typed.substr(from, to - from));
    std::replace_if(text.begin(), text.end(), IsBlank, ' ');
    return text;
}

int SearchGeneNames(tFList& genes, std::string_view text, LogSink* log) {
    const Stopwatch timer;
    const int count = FeatureCount(genes);
    for (int i = 1; i <= count; ++i) genes[static_cast<size_t>(i)].Num[15] = 0.0f;
    Report head(log);
    head.Add("");
    head.Add("Searching for \"" + std::string(text) + "\"");
    head.Flush();
    int sum = 0;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) sum += MatchGeneNames(genes, text.substr(at, end - at), log);
        at = end + 1;
    }
    Report tail(log);
    tail.Add(std::to_string(sum) + " matches found");
    tail.Add(timer.Line("s elapsed time.", 10));
    return sum;
}
