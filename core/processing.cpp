#include "processing.h"

#include "numbers.h"

#include <algorithm>

void AddReportHead(Report& report, const std::string& title, int rule) {
    report.Add("");
    report.Add(title);
    report.Add(std::string(static_cast<size_t>(std::max(rule, 0)), '='));
}

bool HybridisationsInUse(Report& report, const tCGH_DataSet& data, const std::string& title) {
    if (LastHybridisation(data) > 0) return true;
    report.Add(title + " - no hybridizations loaded.");
    return false;
}

int LastHybridisation(const tCGH_DataSet& data) {
    return std::clamp(data.HNum, 0, kMaxHybridisations);
}

int64_t HybridisationProbeCount(const tCGHHybridisation& hyb) {
    int64_t n = 0;
    for (int c = 1; c <= kChromosomes; ++c) n += hyb.Chr[c].Count();
    return n;
}
