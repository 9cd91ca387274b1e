#include "randomdata.h"

#include "random.h"

#include <algorithm>

namespace {
constexpr int kRandomSets = 10;
constexpr int kProbeSpacing = 100000;
} // namespace

void FillRandomCGHData(tCGH_DataSet& data, const tGenomeLayout& layout) {
    const auto recent = data.RecentFiles;
    ClearCGHDataSet(data);
    data.RecentFiles = recent;
    // Nothing of an earlier layout may stay beside the new sets.
    for (tCGHHybridisation& h : data.Hyb)
        for (tCGHProbeArray& a : h.Chr) a.Clear();
    for (tOligoArray& o : data.Oligo) o.clear();

    // The ideogram may count up to 40 chromosomes; the probe arrays end at 24.
    const int chromosomes = std::clamp(layout.ChromosomeCount, 0, kChromosomes);
    data.HNum = kRandomSets;
    for (int h = 1; h <= kRandomSets; ++h) {
        tCGHHybridisation& hyb = data.Hyb[h];
        hyb.FileName = "Randam data " + std::to_string(h);
        data.Annotation[h][1] = hyb.FileName;
        hyb.Active = 1;
        for (int c = 1; c <= chromosomes; ++c) {
            const int n = std::max(0, layout.ArmMaxEnd[c][1] / kProbeSpacing) +
                          std::max(0, layout.ArmMaxEnd[c][2] / kProbeSpacing);
            tCGHProbeArray& a = hyb.Chr[c];
            a.Resize(n + 10);
            a.SetCount(n);
            for (int i = 1; i <= n; ++i) {
                const auto start = static_cast<float>(int64_t{i} * kProbeSpacing);
                const auto value = static_cast<float>(2 * RandomUnit() - 1);
                a.Set(1, i, static_cast<float>(c));
                a.Set(2, i, start);
                a.Set(3, i, start + 20);
                for (const int slot : {4, 11, 40}) a.Set(slot, i, value);
            }
        }
    }
    BumpDataVersion();
}
