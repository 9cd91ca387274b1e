#include "cghtransforms.h"

#include "columnwalks.h"
#include "elapsed.h"
#include "numbers.h"
#include "processing.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// An SD of 0 counts as 1, so a constant series becomes all zeros instead of NaN.
long double StandardDeviation(long double squaredDeviations, long double n) {
    const long double sd = std::sqrt(squaredDeviations / n);
    return sd == 0.0L ? 1.0L : sd;
}

// Slots first..last with storage.
std::vector<int> SlotRange(int first, int last) {
    std::vector<int> slots;
    for (int s = first; s <= last; ++s)
        if (tCGHProbeArray::HasStorage(s)) slots.push_back(s);
    return slots;
}

// Multiplies the given slots of every probe of hybridisations 1..HNum by `factor`. The sweep
// makes no column: slots that read one column scale it once and read it together again, and an
// unwritten slot only takes the factor's sign on its zeros.
void ScaleSlots(tCGH_DataSet& data, const std::vector<int>& slots, double factor) {
    const int last = LastHybridisation(data);
    const size_t m = slots.size();
    std::vector<size_t> first(m); // the first of the slots that read the same column
    for (int h = 1; h <= last; ++h)
        for (int c = 1; c <= kChromosomes; ++c) {
            tCGHProbeArray& a = data.Hyb[h].Chr[c];
            const int n = a.Count();
            for (size_t k = 0; k < m; ++k) {
                first[k] = k;
                for (size_t j = 0; j < k && first[k] == k; ++j)
                    if (a.Slot(slots[j]) == a.Slot(slots[k])) first[k] = j;
            }
            // Let go of a shared column before it is written, so it is scaled in place.
            for (size_t k = 0; k < m; ++k)
                if (first[k] < k) a.SetColumn(slots[k], nullptr);
            for (size_t k = 0; k < m; ++k) {
                const int s = slots[k];
                if (first[k] < k)
                    a.ShareSlot(slots[first[k]], s);
                else if (a.Allocated(s))
                    TransformProbes(a.WritableSlot(s), n,
                                    [factor](float v) { return static_cast<float>(v * factor); });
                else if (factor < 0)
                    a.NegateUnwritten(s);
            }
        }
}

// The sign and log sweeps leave the p-value, fraction and shown-p slots 15..17 alone: scaling
// them would turn the "not significant" mark 1.0 into a significant value.
void ScaleValueSlots(tCGH_DataSet& data, LogSink* log, const std::string& title, int rule,
                     int lastLowSlot, double factor) {
    Report report(log);
    if (!HybridisationsInUse(report, data, title)) return;
    AddReportHead(report, title, rule);
    std::vector<int> slots = SlotRange(4, lastLowSlot);
    const std::vector<int> high = SlotRange(18, 40);
    slots.insert(slots.end(), high.begin(), high.end());
    ScaleSlots(data, slots, factor);
    BumpDataVersion();
}

using PerSet = std::array<long double, kMaxHybridisations + 1>;

// The hybridisations sets[2u], sets[2u + 1] of pair u; the last pair of an odd count walks its
// one hybridisation in both lanes.
struct Pairs {
    std::vector<int> sets;
    int Count() const { return static_cast<int>(sets.size() + 1) / 2; }
    int Set(int pair, int lane) const {
        return sets[std::min(sets.size() - 1, static_cast<size_t>(2 * pair + lane))];
    }
    int Lanes(int pair) const { return Set(pair, 1) == Set(pair, 0) ? 1 : 2; }
};

// Step t sums pair t, the squared deviations of pair t - 1 and standardises pair t - 2, each
// chromosome in one RunChromosomeStep; means and SDs follow from the totals over the
// chromosomes in their order.
void ZTransformPairs(tCGH_DataSet& data, const Pairs& pairs,
                     const std::array<int64_t, kMaxHybridisations + 1>& probes, PerSet& mean,
                     PerSet& sd) {
    const int count = pairs.Count();
    for (int t = 0; t < count + 2; ++t) {
        const int summed = t < count ? t : -1, deviated = t - 1 < count ? t - 1 : -1,
                  standardised = t - 2;
        long double sums[2] = {}, deviations[2] = {};
        for (int c = 1; c <= kChromosomes; ++c) {
            ZChromosomeStep step;
            auto columns = [&](int pair) {
                ZColumns z;
                for (int k = 0; k < 2; ++k) {
                    const tCGHProbeArray& a = data.Hyb[pairs.Set(pair, k)].Chr[c];
                    z.x[k] = a.Slot(4);
                    z.n[k] = a.Count();
                }
                return z;
            };
            const ZColumns sum = summed >= 0 ? columns(summed) : ZColumns{};
            const ZColumns deviate = deviated >= 0 ? columns(deviated) : ZColumns{};
            if (summed >= 0) step.sum = &sum;
            if (deviated >= 0) {
                step.deviate = &deviate;
                for (int k = 0; k < 2; ++k) step.mean[k] = mean[pairs.Set(deviated, k)];
            }
            if (standardised >= 0)
                for (int k = 0; k < pairs.Lanes(standardised); ++k) {
                    const int h = pairs.Set(standardised, k);
                    tCGHProbeArray& a = data.Hyb[h].Chr[c];
                    step.standardise[k] = a.WritableSlot(4);
                    step.standardiseCount[k] = a.Count();
                    step.m[k] = static_cast<double>(mean[h]);
                    step.d[k] = static_cast<double>(sd[h]);
                }
            RunChromosomeStep(step);
            for (int k = 0; k < 2; ++k) {
                sums[k] += step.sums[k];
                deviations[k] += step.deviations[k];
            }
        }
        for (int k = 0; k < 2; ++k) {
            if (summed >= 0) {
                const int h = pairs.Set(summed, k);
                mean[h] = sums[k] / probes[h];
            }
            if (deviated >= 0) {
                const int h = pairs.Set(deviated, k);
                sd[h] = StandardDeviation(deviations[k], probes[h]);
            }
        }
    }
}

} // namespace

void ZTransformHybridisations(tCGH_DataSet& data, LogSink* log) {
    const std::string title = "z-transformation of hybridizations";
    Report report(log);
    if (!HybridisationsInUse(report, data, title)) return;
    const int last = LastHybridisation(data);
    const Stopwatch timer;
    AddReportHead(report, title, 36);
    std::array<int64_t, kMaxHybridisations + 1> probes{};
    Pairs pairs;
    for (int h = 1; h <= last; ++h) {
        probes[h] = HybridisationProbeCount(data.Hyb[h]);
        if (probes[h] > 0) pairs.sets.push_back(h);
    }
    PerSet mean{}, sd{};
    ZTransformPairs(data, pairs, probes, mean, sd);
    for (int h = 1; h <= last; ++h) {
        if (probes[h] == 0)
            report.Add("Set " + std::to_string(h) + " - no probes");
        else
            report.Add("Set " + std::to_string(h) + " - Mean=" + FormatFixed(mean[h], 3) +
                       "; SDev=" + FormatFixed(sd[h], 3));
    }
    report.Add(timer.Line("s elapsed time."));
    BumpDataVersion();
}

void ZTransformOligos(tCGH_DataSet& data, LogSink* log) {
    const std::string title = "z-transformation of oligos";
    Report report(log);
    if (!HybridisationsInUse(report, data, title)) return;
    const int last = LastHybridisation(data);
    const Stopwatch timer;
    AddReportHead(report, title, 36);
    std::vector<long double> sum, deviations;
    std::vector<int> members;
    std::vector<double> mean, sd;
    for (int c = 1; c <= kChromosomes; ++c) {
        int probes = 0;
        for (int h = 1; h <= last; ++h) probes = std::max(probes, data.Hyb[h].Chr[c].Count());
        if (probes == 0) continue;
        // Hybridisation-major passes keep the column reads sequential; a probe beyond a
        // hybridisation's count is missing there and left out of that probe's mean.
        sum.assign(static_cast<size_t>(probes) + 1, 0.0L);
        deviations.assign(sum.size(), 0.0L);
        members.assign(sum.size(), 0);
        for (int h = 1; h <= last; ++h) {
            const tCGHProbeArray& a = data.Hyb[h].Chr[c];
            const float* x = a.Slot(4);
            const int n = a.Count();
            for (int i = 1; i <= n; ++i) {
                sum[i] += x[i];
                ++members[i];
            }
        }
        for (int i = 1; i <= probes; ++i)
            if (members[i] > 0) sum[i] /= members[i]; // now the mean
        for (int h = 1; h <= last; ++h) {
            const tCGHProbeArray& a = data.Hyb[h].Chr[c];
            const float* x = a.Slot(4);
            const int n = a.Count();
            for (int i = 1; i <= n; ++i) {
                const long double d = sum[i] - x[i];
                deviations[i] += d * d;
            }
        }
        mean.assign(sum.size(), 0.0);
        sd.assign(sum.size(), 1.0);
        for (int i = 1; i <= probes; ++i)
            if (members[i] > 0) {
                mean[i] = static_cast<double>(sum[i]);
                sd[i] = static_cast<double>(StandardDeviation(deviations[i], members[i]));
            }
        for (int h = 1; h <= last; ++h) {
            tCGHProbeArray& a = data.Hyb[h].Chr[c];
            float* x = a.WritableSlot(4);
            const int n = a.Count();
            for (int i = 1; i <= n; ++i) x[i] = static_cast<float>((x[i] - mean[i]) / sd[i]);
        }
    }
    report.Add(timer.Line("s elapsed time."));
    BumpDataVersion();
}

void InvertHybridisations(tCGH_DataSet& data, LogSink* log) {
    ScaleValueSlots(data, log, "Invert sign of hybridizations", 29, 14, -1.0);
}

void Log10ToLog2(tCGH_DataSet& data, LogSink* log) {
    ScaleValueSlots(data, log, "Transform Log10 => Log2 ratios", 31, 13, 3.321928094887362);
}

void RestoreRawCGHValues(tCGH_DataSet& data, LogSink* log) {
    const std::string title = "Restore raw CGH-values";
    Report report(log);
    if (!HybridisationsInUse(report, data, title)) return;
    const int last = LastHybridisation(data);
    const Stopwatch timer;
    AddReportHead(report, title, 24);
    for (int h = 1; h <= last; ++h)
        for (int c = 1; c <= kChromosomes; ++c) {
            tCGHProbeArray& a = data.Hyb[h].Chr[c];
            const int n = a.Count();
            const float* raw = a.Slot(40);
            float* x = a.WritableSlot(4);
            for (int i = 1; i <= n; ++i) x[i] = raw[i];
        }
    report.Add(timer.Line("s elapsed time."));
    BumpDataVersion();
}
