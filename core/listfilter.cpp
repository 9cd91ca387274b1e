#include "listfilter.h"

#include "numbers.h"
#include "parser.h"
#include "progresssteps.h"
#include "records.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

constexpr int64_t kNoPosition = std::numeric_limits<int64_t>::min();

// The whole number of `text` less surrounding blanks, or kNoPosition.
int64_t Position(std::string_view text) {
    int32_t v = 0;
    return ParseStrictInt(text, v) ? v : kNoPosition;
}

// Reports the runs among `pos`; lineAt(k) is the line of entry k.
template <class LineAt>
void Segments(const std::vector<int64_t>& pos, const LineAt& lineAt, Report& report,
              ProgressSteps& steps) {
    const size_t n = pos.size();
    size_t i = 0;
    while (i + 1 < n) {
        size_t within = 0, outside = 0;
        if (pos[i] != kNoPosition) {
            for (size_t j = 1; i + j < n; ++j) {
                if (!steps.Tick()) return;
                const int64_t next = pos[i + j];
                if (next != kNoPosition && 2 * static_cast<int64_t>(j) + pos[i] - next >= 0) {
                    ++within;
                } else {
                    ++outside;
                    break;
                }
            }
        }
        if (2 * outside >= within) {
            ++i;
            continue;
        }
        report.Add("Segment: " + std::to_string(i + 1) + "-" + std::to_string(i + within + 1));
        for (size_t k = i; k <= i + within; ++k) report.Add(lineAt(k));
        i += within + 1;
    }
}

// The chromosome of a key "Chr-c" spelled exactly so, or 0.
int KeyChromosome(std::string_view word) {
    if (word.size() < 5 || word.size() > 6 || word.substr(0, 4) != "Chr-" || word[4] == '0')
        return 0;
    int32_t c = 0;
    for (const char ch : word.substr(4))
        if (ch < '0' || ch > '9') return 0;
    ParseStrictInt(word.substr(4), c);
    return c <= kChromosomes ? c : 0;
}

// The entries of one chromosome and direction: positions and the lines they came from.
struct Bucket {
    std::vector<int64_t> pos;
    std::vector<size_t> line;
};

} // namespace

void FindListSegments(const std::vector<std::string>& entries,
                      const std::vector<std::string>& lines, LogSink* log, ProgressSink* progress) {
    std::vector<int64_t> pos;
    pos.reserve(entries.size());
    for (const std::string& e : entries) {
        const size_t tab = e.find('\t');
        pos.push_back(Position(std::string_view(e).substr(0, tab)));
    }
    static const std::string kNone;
    Report report(log);
    ProgressSteps steps(progress);
    Segments(
        pos, [&](size_t k) -> const std::string& { return k < lines.size() ? lines[k] : kNone; },
        report, steps);
}

void FilterListByChromosome(std::vector<std::string>& lines, LogSink* log, ProgressSink* progress) {
    Report report(log);
    report.Add(std::to_string(lines.size()) + " lines loaded.");
    size_t first = 0;
    while (first < lines.size() && lines[first].compare(0, 3, "Chr") != 0) ++first;
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first));

    // Each line is split once and filed under its chromosome and direction.
    std::array<std::array<Bucket, 2>, kChromosomes + 1> buckets; // [c][0 gains, 1 losses]
    ProgressSteps steps(progress);
    std::vector<std::string_view> f;
    size_t tooShort = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        if (!steps.Tick()) return;
        if (lines[k].empty()) continue;
        SplitQuoted(lines[k], '\t', f, 6);
        const std::string_view field0 = f[0];
        const size_t blank = field0.find(' ');
        const int c = KeyChromosome(field0.substr(0, blank));
        if (c == 0) continue;
        if (f.size() < 5) {
            ++tooShort;
            continue;
        }
        const std::string_view rest =
            blank == std::string_view::npos ? std::string_view() : field0.substr(blank + 1);
        Bucket& b = buckets[c][f[4].find('-') != std::string_view::npos ? 1 : 0];
        b.pos.push_back(Position(rest));
        b.line.push_back(k);
    }
    if (tooShort > 0)
        report.Add(std::to_string(tooShort) + " lines with fewer than five fields left out.");

    for (int c = 1; c <= kChromosomes; ++c) {
        report.Add("Filter UL " + std::to_string(c));
        for (const Bucket& b : buckets[c]) {
            Segments(
                b.pos, [&](size_t i) -> const std::string& { return lines[b.line[i]]; }, report,
                steps);
            if (steps.Cancelled()) return;
        }
        report.Flush();
    }
}

bool ReadListFile(const std::string& fileName, std::vector<std::string>& lines,
                  std::string& error) {
    lines.clear();
    LineReader reader;
    if (!reader.Open(fileName, error)) return false;
    std::string line;
    while (reader.ReadBufferedLine(line)) lines.push_back(line);
    if (reader.Failed()) {
        error = "\"" + fileName + "\" could not be read to its end.";
        lines.clear();
        return false;
    }
    return true;
}
