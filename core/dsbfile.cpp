#include "dsbfile.h"

#include "featureextraction.h"
#include "lenientcells.h"
#include "numbers.h"
#include "parser.h"
#include "progresssteps.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr size_t kFieldsNeeded = 24;
constexpr int64_t kLinesPerStep = 4096;

struct DSBProbe {
    float start, end, value;
};

std::string LineError(const std::string& fileName, int64_t line, const char* what,
                      std::string_view text) {
    return "\"" + fileName + "\", line " + std::to_string(line) + ": the " + what + " \"" +
           std::string(text) + "\" is no number.";
}

} // namespace

bool ReadDSBDataFile(const std::string& fileName, DSBData& out, ProgressSink* progress,
                     std::string& errText) {
    out = DSBData();
    LineReader reader;
    if (!reader.Open(fileName, errText)) return false;
    ProgressSteps steps(progress);
    const double fileSize = static_cast<double>(reader.FileSize());

    std::array<std::vector<DSBProbe>, kChromosomes + 1> probes;
    std::vector<std::string_view> f;
    std::string_view line;
    int64_t number = 0;
    LenientCells strands;
    while (reader.Next(line)) {
        if (++number % kLinesPerStep == 0) {
            const double done = static_cast<double>(reader.Consumed());
            if (number == kLinesPerStep) // size the rows for the whole file once, not by doubling
                for (auto& rows : probes)
                    rows.reserve(static_cast<size_t>(1.1 * fileSize / done * rows.size()));
            if (!steps.Step(ProgressSteps::Scale(0, ProgressSteps::kMaximum, done, fileSize))) {
                errText = kLoadCancelled;
                return false;
            }
        }
        if (number == 1) continue; // the header
        SplitQuoted(line, '\t', f, kFieldsNeeded);
        if (f.size() < kFieldsNeeded) continue;
        int32_t c = 0, position = 0;
        if (!ParseStrictInt(f[8], c) || c < 1 || c > kChromosomes) continue;
        if (!ParseStrictInt(f[10], position)) {
            errText = LineError(fileName, number, "position", f[10]);
            return false;
        }
        if (position == 0) continue;
        double value = 0;
        if (!ParseStrictFloat(f[7], value)) {
            errText = LineError(fileName, number, "value", f[7]);
            return false;
        }
        if (f[9] != "-" && f[9] != "+") strands.Note(number, 10, f[9]);
        const double strand = f[9] == "-" ? -1.0 : 1.0;
        const double p = std::abs(static_cast<double>(position));
        probes[static_cast<size_t>(c)].push_back({static_cast<float>(p),
                                                  static_cast<float>(p + 100.0 * strand),
                                                  static_cast<float>(value / 100.0 * strand)});
    }
    if (reader.Failed()) {
        errText = "Could not read file \"" + fileName + "\"";
        return false;
    }

    size_t used = 0;
    for (const std::vector<DSBProbe>& rows : probes) used += rows.size();
    if (used == 0) {
        errText = "\"" + fileName + "\" holds no DSB probe rows (lines of at least 24 " +
                  "TAB-separated fields with a chromosome 1 to 24 in column 9 and a position " +
                  "other than 0 in column 11)" + LineEndsClause(reader);
        return false;
    }

    for (int c = 1; c <= kChromosomes; ++c) {
        std::vector<DSBProbe>& rows = probes[static_cast<size_t>(c)];
        const int n = static_cast<int>(rows.size());
        tCGHProbeArray& a = out.Chr[static_cast<size_t>(c)];
        a.Resize(n + 1000);
        LoadedProbeColumns columns(a);
        for (int i = 1; i <= n; ++i) {
            const DSBProbe& r = rows[static_cast<size_t>(i - 1)];
            columns.Set(i, c, r.start, r.end, r.value);
        }
        a.SetCount(n);
        rows = std::vector<DSBProbe>();
    }
    out.FileName = fileName;
    out.Warning = strands.Describe(
        "Strand cells that are neither \"+\" nor \"-\" were read as plus", fileName);
    return true;
}

int ImportDSBData(tCGH_DataSet& data, DSBData&& dsb, LogSink* log, std::string& errText) {
    std::array<int, kChromosomes + 1> counts{};
    for (int c = 1; c <= kChromosomes; ++c) counts[c] = dsb.Chr[c].Count();
    errText = LayoutConflict(data, 0, counts, dsb.FileName);
    if (!errText.empty()) return 0;
    const int slot = FindFreeHybridisationSlot(data, 0);
    if (slot == 0) {
        errText = kNoFreeSlotText;
        return 0;
    }
    tCGHHybridisation& hyb = data.Hyb[slot];
    hyb.FileName = dsb.FileName;
    for (int c = 1; c <= kChromosomes; ++c) hyb.Chr[c] = std::move(dsb.Chr[c]);
    ShareEqualPositions(data, slot);
    BumpDataVersion();

    Report report(log);
    report.Add("Importing " + dsb.FileName + " ...");
    for (int c = 0; c <= kChromosomes; ++c)
        report.Add("Chr-" + std::to_string(c) + ": " + std::to_string(counts[c]));
    if (!dsb.Warning.empty()) report.Add(dsb.Warning);
    return slot;
}
