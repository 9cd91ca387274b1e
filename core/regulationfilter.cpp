#include "regulationfilter.h"

#include "grouptests.h"
#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr float kSignificant = 0.05f;
constexpr float kMark = 0.01f;

using ProbeFlags = std::array<std::vector<uint8_t>, kChromosomes + 1>;
using ProbeValues = std::array<std::vector<float>, kChromosomes + 1>;

struct Pass {
    int32_t minCount = 1;
    int32_t mode = 0;
    float threshold = 0;
    bool writeAll = true;
    const ProbeValues* before = nullptr; // marks to combine with; null: the current slot 17
    ProbeFlags* found = nullptr;         // probes an earlier pass found are left alone
};

std::string CheckInput(const tStat& stat, const tCGH_DataSet& data, int32_t minCount,
                       std::vector<int32_t>& members) {
    if (minCount < 1) return "The minimum number of matching samples must be at least 1.";
    members = ReadMembers(stat.GroupText[1], std::min(data.HNum, kMaxHybridisations));
    if (members.empty()) return "No hybridisations to filter: the sample list names none loaded.";
    return {};
}

std::string ModeName(int32_t mode) {
    return mode == kCombineAnd ? "and" : mode == kCombineOr ? "or" : "new";
}

void WriteHead(Report& report, const tStat& stat, const tCGH_DataSet& data,
               const std::vector<int32_t>& members, const Pass& pass,
               const std::vector<int32_t>& shownKeys) {
    report.Add("Group-regulation filtering V1.02 from 24.11.2010");
    report.Add(std::string(48, '='));
    report.Add("Sample-IDs: " + stat.GroupText[1]);
    for (size_t k = 0; k < members.size(); ++k) {
        const int32_t h = members[k];
        report.Add("\t" + std::to_string(k + 1) + "\t" + data.Hyb[h].FileName);
        std::string values = "\t\t";
        for (const int32_t key : shownKeys)
            if (key >= 0 && key <= kAnnotationKeys) values += data.Annotation[h][key] + ", ";
        report.Add(values);
    }
    report.Add("Regulation threshold: " + FormatFixed(pass.threshold, 2));
    report.Add("Min number of matching samples: " + std::to_string(pass.minCount));
    report.Add("Combine with previous filter: " + ModeName(pass.mode));
    report.Add("Probe       \tPos(MB)\t#\t%\tRegulation\tSmoothed\tRaw\tMember IDs");
}

bool Matches(float v, float threshold) {
    return (threshold > 0 && v >= threshold) || (threshold < 0 && v <= threshold);
}

void RunPass(tStat& stat, tCGH_DataSet& data, const std::vector<int32_t>& members, const Pass& pass,
             LogSink* log, std::vector<std::string>& lines, const std::vector<int32_t>& shownKeys) {
    Report report(log);
    WriteHead(report, stat, data, members, pass, shownKeys);
    const float mark = pass.threshold < 0 ? -kMark : kMark;
    int32_t found = 0;
    for (int c = 1; c <= kChromosomes; ++c) {
        tCGHProbeArray& out = data.Hyb[1].Chr[c];
        const int32_t n = out.Count();
        if (n < 1) continue;
        float* shown = out.WritableSlot(17);
        std::vector<const tCGHProbeArray*> arrays;
        std::vector<int32_t> counts;
        for (const int32_t h : members) {
            arrays.push_back(&data.Hyb[h].Chr[c]);
            counts.push_back(arrays.back()->Count());
        }
        for (int32_t i = 1; i <= n; ++i) {
            if (pass.found && (*pass.found)[c][i]) continue;
            int32_t matches = 0;
            long double sum = 0;
            for (size_t m = 0; m < members.size(); ++m) {
                if (i > counts[m]) continue;
                const float v = arrays[m]->Get(12, i);
                if (Matches(v, pass.threshold)) {
                    ++matches;
                    sum += v;
                }
            }
            const float before = pass.before ? (*pass.before)[c][i] : shown[i];
            const bool isFound = matches >= pass.minCount;
            const bool marked = isFound && (pass.mode != kCombineAnd || before < kSignificant);
            const bool kept = !marked && pass.mode == kCombineOr && before < kSignificant;
            const float r = marked ? mark : kept ? before : 1.0f;
            if (pass.writeAll || marked || kept) shown[i] = r;
            if (!marked) continue;

            ++found;
            if (pass.found) (*pass.found)[c][i] = 1;
            out.Set(16, i, static_cast<float>(matches) / static_cast<float>(members.size()));
            out.Set(15, i, static_cast<float>(sum / matches));
            std::string smoothed, raw, ids;
            for (size_t m = 0; m < members.size(); ++m) {
                if (i > counts[m]) continue;
                const float v = arrays[m]->Get(12, i);
                if (!Matches(v, pass.threshold)) continue;
                smoothed += FormatFixed(v, 3) + ";";
                raw += FormatFixed(arrays[m]->Get(11, i), 3) + ";";
                ids += std::to_string(members[m]) + ";";
            }
            std::string number = std::to_string(i);
            if (number.size() < 7) number.insert(0, 7 - number.size(), ' ');
            std::string line =
                "Chr-" + std::to_string(c) + number + "\t" +
                FormatFixedWidth(out.Get(2, i) / 1000000.0, 7, 3) + "\t" + std::to_string(matches) +
                "\t" + FormatFixedWidth(out.Get(16, i), 6, 2) + "\t" +
                FormatFixedWidth(out.Get(15, i), 6, 3) + "\t" + smoothed + "\t" + raw + "\t" + ids;
            report.Add(line);
            lines.push_back(std::move(line));
        }
    }
    stat.SignificantCount = found;
    report.Add(std::to_string(found) + " matching probes found");
    data.TestSlot = TestSlotContent::RegulationMeans;
    BumpDataVersion();
}

} // namespace

std::string GroupRegulationFilter(tStat& stat, tCGH_DataSet& data, int32_t minCount, bool writeAll,
                                  LogSink* log, std::vector<std::string>& lines, int32_t mode,
                                  float threshold, const std::vector<int32_t>& shownKeys) {
    std::vector<int32_t> members;
    if (auto error = CheckInput(stat, data, minCount, members); !error.empty()) return error;
    Pass pass;
    pass.minCount = minCount;
    pass.mode = mode;
    pass.threshold = threshold;
    pass.writeAll = writeAll;
    RunPass(stat, data, members, pass, log, lines, shownKeys);
    return {};
}

std::string RegulationFilterTwoPasses(tStat& stat, tCGH_DataSet& data, int32_t minCount,
                                      int32_t mode, float threshold,
                                      const std::vector<int32_t>& shownKeys, LogSink* log,
                                      const RegulationPassDone& passDone) {
    std::vector<int32_t> members;
    if (auto error = CheckInput(stat, data, minCount, members); !error.empty()) return error;
    // Both passes combine with the marks as they were before the command, and the loss pass
    // must not undo what the gain pass found.
    ProbeValues before;
    ProbeFlags found;
    for (int c = 1; c <= kChromosomes; ++c) {
        const tCGHProbeArray& a = data.Hyb[1].Chr[c];
        const int32_t n = a.Count();
        if (n < 1) continue;
        before[c].assign(a.Slot(17), a.Slot(17) + n + 1);
        found[c].assign(static_cast<size_t>(n) + 1, 0);
    }
    Pass pass;
    pass.minCount = minCount;
    pass.mode = mode;
    pass.before = &before;
    pass.found = &found;
    for (const float direction : {1.0f, -1.0f}) {
        pass.threshold = direction * std::fabs(threshold);
        pass.writeAll = direction > 0;
        std::vector<std::string> lines;
        RunPass(stat, data, members, pass, log, lines, shownKeys);
        if (passDone) passDone(lines);
    }
    return {};
}

namespace {
// The text before the first blank of s (less leading blanks); s keeps what follows that blank.
std::string_view NextWord(std::string_view& s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    const size_t blank = std::min(s.find(' '), s.size());
    const std::string_view word = s.substr(0, blank);
    s.remove_prefix(blank);
    return word;
}
} // namespace

RegulationSettings ParseRegulationText(std::string_view text) {
    RegulationSettings r;
    double factor = 0;
    if (ParseStrictFloat(NextWord(text), factor) && factor != 0)
        r.Factor = static_cast<float>(std::fabs(factor));
    int32_t minCount = 0;
    if (ParseStrictInt(NextWord(text), minCount) && minCount != 0) r.MinCount = minCount;
    const std::string rest = AsciiLower(TrimBlanks(text));
    r.Combination = rest == "and" ? kCombineAnd : rest == "or" ? kCombineOr : 0;
    return r;
}
