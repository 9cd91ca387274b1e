#include "records.h"

#include "numbers.h"

#include <algorithm>
#include <atomic>

tCGH_DataSet CGHData;
tHeatmap ExpData;
tStat ExpStat;
tStat CGHStat;
std::array<tFList, 4> FeatureLists;
tGenomeLayout GenomeLayout;
int32_t IdeogramType = 0;
uint64_t DataVersion = 0;

namespace {
// Readers size arrays from several threads at once.
uint64_t NextGeneration() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}
} // namespace

void tCGHProbeArray::Resize(int n) {
    for (auto& c : cols_) c.resize(static_cast<size_t>(std::max(n, 0)), 0.0f);
    generation_ = NextGeneration();
}

namespace {
int ClampedCount(float header, int elements) {
    if (elements <= 0) return 0;
    return std::clamp(RoundToInt(header), 0, elements - 1);
}
} // namespace

int tCGHProbeArray::Count() const {
    return Size() > 0 ? ClampedCount(cols_[0][0], Size()) : 0;
}

void tCGHProbeArray::Permute(const std::vector<int>& order) {
    std::vector<float> tmp(order.size());
    for (auto& c : cols_) {
        for (size_t i = 0; i < order.size(); ++i) tmp[i] = c[static_cast<size_t>(order[i])];
        std::copy(tmp.begin(), tmp.end(), c.begin());
    }
    generation_ = NextGeneration();
}

bool SamePositions(const tCGHProbeArray& a, const tCGHProbeArray& b) {
    const int n = a.Count();
    if (n != b.Count()) return false;
    if (n == 0) return true; // empty arrays have no element 1 to start from
    for (int slot = 1; slot <= 3; ++slot)
        if (!std::equal(a.cols_[slot].begin() + 1, a.cols_[slot].begin() + 1 + n,
                        b.cols_[slot].begin() + 1))
            return false;
    return true;
}

int OligoCount(const tOligoArray& a) {
    return a.empty() ? 0 : ClampedCount(a[0].Num[0], static_cast<int>(a.size()));
}

int FeatureCount(const tFList& list) {
    return list.empty() ? 0 : ClampedCount(list[0].Num[1], static_cast<int>(list.size()));
}

void ClearCGHDataSet(tCGH_DataSet& data) {
    data.HNum = 0;
    data.DataType = 0;
    data.ShowGroups = 0;
    data.ShowProcessed = 0;
    data.ShowSingleProbes = 1;
    for (int k = 1; k <= kRecentFiles; ++k) data.RecentFiles[k].clear();
    for (int h = 0; h <= kMaxHybridisations; ++h) {
        data.Hyb[h].FileName.clear();
        data.Hyb[h].Active = 0;
        for (auto& cell : data.Annotation[h]) cell.clear();
    }
    data.Annotation[0][1] = "File name";
    data.DisplayStart = 50;
    data.Gain = 1.0f;
}

int FindFreeHybridisationSlot(tCGH_DataSet& data, int start) {
    for (int h = std::max(1, start); h <= kMaxHybridisations; ++h) {
        if (data.Hyb[h].FileName.empty()) {
            data.HNum = std::max(data.HNum, h);
            return h;
        }
    }
    return 0;
}

std::string LayoutConflict(const tCGH_DataSet& data, int slot,
                           const std::array<int, kChromosomes + 1>& counts,
                           const std::string& fileName) {
    for (int h = 1; h <= kMaxHybridisations; ++h) {
        if (h == slot || data.Hyb[h].FileName.empty()) continue;
        for (int c = 1; c <= kChromosomes; ++c) {
            const int theirs = data.Hyb[h].Chr[c].Count();
            if (theirs != counts[c])
                return "\"" + fileName +
                       "\" does not fit the hybridisations already loaded: chromosome " +
                       std::to_string(c) + " has " + std::to_string(counts[c]) +
                       " probes, hybridisation " + std::to_string(h) + " has " +
                       std::to_string(theirs) + ".";
        }
        return ""; // all hybridisations in use share one layout
    }
    return "";
}
