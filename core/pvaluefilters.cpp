#include "pvaluefilters.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int32_t kMaxProbesPerGene = 10000;

void HideAllProbes(tCGH_DataSet& data) {
    for (int c = 1; c <= kChromosomes; ++c) {
        tCGHProbeArray& a = data.Hyb[1].Chr[c];
        const int n = a.Count();
        if (n > 0) std::fill_n(a.WritableSlot(17) + 1, n, 1.0f);
    }
}

// First k in [lo, hi) for which pred(k) is false, pred being true on a prefix.
template <typename Pred> int32_t FirstFailing(int32_t lo, int32_t hi, Pred pred) {
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (pred(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Probes of one chromosome in order of their start, for range searches around genes.
struct ProbeIndex {
    std::vector<int32_t> order; // position -> probe; empty when the probes are already in order
    std::vector<double> start;  // per position, NaN starts first
    double maxLength = 0;       // largest end - start, to bound the search on the left

    int32_t Probe(int32_t k) const { return order.empty() ? k + 1 : order[k]; }
};

ProbeIndex BuildIndex(const tCGHProbeArray& a) {
    ProbeIndex index;
    const int n = a.Count();
    const float* start = a.Slot(2);
    const float* end = a.Slot(3);
    const auto key = [&](int32_t i) {
        return std::isnan(start[i]) ? -std::numeric_limits<double>::infinity()
                                    : static_cast<double>(start[i]);
    };
    bool sorted = true;
    for (int32_t i = 1; i <= n; ++i) {
        const double length = static_cast<double>(end[i]) - start[i];
        if (length > index.maxLength) index.maxLength = length;
        if (i > 1 && key(i) < key(i - 1)) sorted = false;
    }
    if (!sorted) {
        index.order.resize(static_cast<size_t>(n));
        std::iota(index.order.begin(), index.order.end(), 1);
        std::stable_sort(index.order.begin(), index.order.end(),
                         [&](int32_t x, int32_t y) { return key(x) < key(y); });
    }
    index.start.resize(static_cast<size_t>(n));
    for (int32_t k = 0; k < n; ++k) index.start[static_cast<size_t>(k)] = key(index.Probe(k));
    return index;
}

// A p-value a test wrote that passes alpha; 0 is a probe no test wrote.
bool Significant(float p, float alpha) {
    return p > 0.0f && p <= alpha;
}

std::string MissingPValues(const tCGH_DataSet& data) {
    return data.TestSlot == TestSlotContent::PValues ? std::string() : kNoPValuesText;
}

} // namespace

std::string CountSignificantProbes(tStat& stat, const tCGH_DataSet& data) {
    if (std::string why = MissingPValues(data); !why.empty()) return why;
    int32_t count = 0;
    for (int c = 1; c <= kChromosomes; ++c) {
        const tCGHProbeArray& a = data.Hyb[1].Chr[c];
        const int n = a.Count();
        if (n < 1) continue;
        const float* shown = a.Slot(17);
        for (int i = 1; i <= n; ++i) count += shown[i] > 0.0f && shown[i] < stat.Alpha;
    }
    stat.SignificantCount = count;
    BumpDataVersion();
    return {};
}

std::string WindowPValueFilter(tCGH_DataSet& data, float alpha, int32_t window, int32_t minCount,
                               LogSink* log) {
    if (std::string why = MissingPValues(data); !why.empty()) return why;
    if (window < 1 || minCount < 1) return {};
    minCount = std::min(minCount, window);
    HideAllProbes(data);
    Report report(log);
    const int64_t half = window / 2;
    std::vector<int32_t> below; // below[i] = probes 1..i with p <= alpha
    for (int c = 1; c <= kChromosomes; ++c) {
        tCGHProbeArray& a = data.Hyb[1].Chr[c];
        const int64_t n = a.Count();
        if (n < 1) continue;
        const float* p = a.Slot(15);
        float* shown = a.WritableSlot(17);
        below.assign(static_cast<size_t>(n) + 1, 0);
        for (int64_t i = 1; i <= n; ++i) below[i] = below[i - 1] + Significant(p[i], alpha);
        for (int64_t i = half + 1; i <= n - half; ++i) {
            if (!Significant(p[i], alpha)) continue;
            const int32_t count = below[i + half] - below[i - half - 1];
            if (count < minCount) continue;
            shown[i] = p[i];
            report.Add("CID=" + std::to_string(c) + " OID=" + std::to_string(i) +
                       " #=" + std::to_string(count));
        }
    }
    BumpDataVersion();
    return {};
}

std::string GeneProximityPValueFilter(tCGH_DataSet& data, const tHeatmap& h, float cghAlpha,
                                      float expAlpha, int32_t distance, int32_t minCount) {
    if (std::string why = MissingPValues(data); !why.empty()) return why;
    HideAllProbes(data);
    minCount = std::max(minCount, 1);
    int64_t genes = h.GeneCount;
    genes = std::min<int64_t>(genes, h.Data.empty() ? 0 : std::ssize(h.Data[0]) - 1);
    genes = std::min<int64_t>(genes, std::ssize(h.GAnno) - 1);

    std::array<ProbeIndex, kChromosomes + 1> indexes;
    std::array<bool, kChromosomes + 1> indexed{};
    std::vector<int32_t> near;
    const double d = distance;
    for (int64_t g = 1; g <= genes; ++g) {
        if (!(h.Data[0][g] <= expAlpha)) continue;
        const tHeatmap_GAnno& gene = h.GAnno[g];
        const int c = gene.Chr;
        if (c < 1 || c > kChromosomes) continue;
        tCGHProbeArray& a = data.Hyb[1].Chr[c];
        const int32_t n = a.Count();
        if (n < 1) continue;
        if (!indexed[c]) {
            indexes[c] = BuildIndex(a);
            indexed[c] = true;
        }
        const ProbeIndex& index = indexes[c];
        const float* start = a.Slot(2);
        const float* end = a.Slot(3);
        const float* p = a.Slot(15);
        float* shown = a.WritableSlot(17);
        // Probes starting before this bound end too early to reach the gene.
        const double left = gene.Start - d - index.maxLength - 1.0;
        const int32_t lo = FirstFailing(0, n, [&](int32_t k) { return index.start[k] < left; });
        const int32_t hi = FirstFailing(
            lo, n, [&](int32_t k) { return RoundToInt(index.start[k] - d) <= gene.Stop; });
        near.clear();
        for (int32_t k = lo; k < hi; ++k) {
            const int32_t i = index.Probe(k);
            if (Significant(p[i], cghAlpha) && RoundToInt(start[i] - d) <= gene.Stop &&
                RoundToInt(end[i] + d) >= gene.Start)
                near.push_back(i);
        }
        if (!index.order.empty()) std::sort(near.begin(), near.end());
        if (near.size() > static_cast<size_t>(kMaxProbesPerGene)) near.resize(kMaxProbesPerGene);
        if (near.empty() || std::ssize(near) < minCount) continue;
        for (const int32_t i : near) shown[i] = p[i];
    }
    BumpDataVersion();
    return {};
}
