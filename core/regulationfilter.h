// The group-regulation filter: marks the probes of hybridisation 1 whose window mean (slot 12)
// passes a threshold in enough members of group 1 (GroupText[1], usually the active
// hybridisations), writing the report and one table line per marked probe.
//
// After a run slot 17 holds 0.01 for a gain, -0.01 for a loss and 1.0 for an unmarked probe;
// slot 15 of a marked probe holds its mean regulation (the data set's TestSlot says so) and slot
// 16 the fraction of members that matched. A caller that wants a fresh report empties its report
// target before the run.
#pragma once

#include "records.h"
#include "sinks.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// How a run combines with the marks probes already carry; any other mode keeps only new finds.
constexpr int32_t kCombineAnd = 1; // found now and significant before (slot 17 < 0.05)
constexpr int32_t kCombineOr = 2;  // found now, or significant before (that mark is kept)

// One direction (threshold > 0 gains, < 0 losses, 0 finds nothing) combined by `mode` with the
// probes' current slot 17. With writeAll every probe's slot 17 is rewritten, otherwise only the
// marks. stat.SignificantCount := the probes found; each found probe's table line goes to the
// report and to `lines`. `shownKeys` are the annotation keys listed for each member. Returns ""
// or, changing nothing, why it cannot run (no members, minCount below 1).
std::string GroupRegulationFilter(tStat& stat, tCGH_DataSet& data, int32_t minCount, bool writeAll,
                                  LogSink* log, std::vector<std::string>& lines, int32_t mode,
                                  float threshold, const std::vector<int32_t>& shownKeys);

// Receives one pass's table lines (the command runs its list filter over them).
using RegulationPassDone = std::function<void(std::vector<std::string>& lines)>;

// The regulation command: a pass for gains with |threshold|, then one for losses with
// -|threshold|, both combined with the shown p-values as they were before the first pass. Gains
// are never overwritten by the loss pass; in mode "or" a probe found in neither pass keeps a
// significant earlier mark. Each pass writes its own report; stat.SignificantCount ends as the
// loss pass's count. `passDone` (optional) receives each pass's lines after its report. Returns
// "" or, changing nothing, why it cannot run.
std::string RegulationFilterTwoPasses(tStat& stat, tCGH_DataSet& data, int32_t minCount,
                                      int32_t mode, float threshold,
                                      const std::vector<int32_t>& shownKeys, LogSink* log,
                                      const RegulationPassDone& passDone);

// The regulation command's text "factor minimum combination" ("1.5 2 new"), parts separated by
// blanks.
struct RegulationSettings {
    float Factor = 1.5f;     // |factor|; 1.5 for 0 or no number
    int32_t MinCount = 2;    // 2 for 0 or no whole number
    int32_t Combination = 0; // the rest without regard to case: "and" kCombineAnd, "or" kCombineOr
    bool operator==(const RegulationSettings&) const = default;
};
RegulationSettings ParseRegulationText(std::string_view text);
