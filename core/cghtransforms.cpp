#include "cghtransforms.h"

#include "elapsed.h"

#include "numbers.h"
#include "processing.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The probe helpers take a slot's column and read its probes x[1..n].

// Sum in extended precision; two accumulators keep the adds from waiting on each other.
long double Sum(const float* x, int n) {
    long double a = 0.0L, b = 0.0L;
    int i = 1;
    for (; i < n; i += 2) {
        a += x[i];
        b += x[i + 1];
    }
    if (i == n) a += x[i];
    return a + b;
}

long double SquaredDeviations(const float* x, int n, long double mean) {
    long double a = 0.0L, b = 0.0L;
    int i = 1;
    for (; i < n; i += 2) {
        const long double d = mean - x[i], e = mean - x[i + 1];
        a += d * d;
        b += e * e;
    }
    if (i == n) {
        const long double d = mean - x[i];
        a += d * d;
    }
    return a + b;
}

// An SD of 0 counts as 1, so a constant series becomes all zeros instead of NaN.
long double StandardDeviation(long double squaredDeviations, long double n) {
    const long double sd = std::sqrt(squaredDeviations / n);
    return sd == 0.0L ? 1.0L : sd;
}

// Replaces x[1..n] by op(x). The fixed blocks of 8 let the compiler vectorise the loop.
template <typename Op> void TransformProbes(float* x, int n, Op op) {
    int i = 1;
    for (; i + 7 <= n; i += 8)
        for (int k = 0; k < 8; ++k) x[i + k] = op(x[i + k]);
    for (; i <= n; ++i) x[i] = op(x[i]);
}

// Slots first..last with storage.
std::vector<int> SlotRange(int first, int last) {
    std::vector<int> slots;
    for (int s = first; s <= last; ++s)
        if (tCGHProbeArray::HasStorage(s)) slots.push_back(s);
    return slots;
}

// Multiplies the given slots of every probe of hybridisations 1..HNum by `factor`.
void ScaleSlots(tCGH_DataSet& data, const std::vector<int>& slots, double factor) {
    const int last = LastHybridisation(data);
    for (int h = 1; h <= last; ++h)
        for (int c = 1; c <= kChromosomes; ++c) {
            tCGHProbeArray& a = data.Hyb[h].Chr[c];
            const int n = a.Count();
            for (int s : slots) {
                // An unwritten slot stays 0 under a positive factor; a negative one makes it -0.
                if (!a.Allocated(s) && factor >= 0) continue;
                TransformProbes(a.WritableSlot(s), n,
                                [factor](float v) { return static_cast<float>(v * factor); });
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

} // namespace

void ZTransformHybridisations(tCGH_DataSet& data, LogSink* log) {
    const std::string title = "z-transformation of hybridizations";
    Report report(log);
    if (!HybridisationsInUse(report, data, title)) return;
    const int last = LastHybridisation(data);
    const Stopwatch timer;
    AddReportHead(report, title, 36);
    for (int h = 1; h <= last; ++h) {
        tCGHHybridisation& hyb = data.Hyb[h];
        const int64_t n = HybridisationProbeCount(hyb);
        if (n == 0) {
            report.Add("Set " + std::to_string(h) + " - no probes");
            continue;
        }
        long double sum = 0.0L;
        for (int c = 1; c <= kChromosomes; ++c) sum += Sum(hyb.Chr[c].Slot(4), hyb.Chr[c].Count());
        const long double mean = sum / n;
        long double deviations = 0.0L;
        for (int c = 1; c <= kChromosomes; ++c)
            deviations += SquaredDeviations(hyb.Chr[c].Slot(4), hyb.Chr[c].Count(), mean);
        const long double sd = StandardDeviation(deviations, n);
        const double m = static_cast<double>(mean), d = static_cast<double>(sd);
        for (int c = 1; c <= kChromosomes; ++c)
            TransformProbes(hyb.Chr[c].WritableSlot(4), hyb.Chr[c].Count(),
                            [m, d](float v) { return static_cast<float>((v - m) / d); });
        report.Add("Set " + std::to_string(h) + " - Mean=" + FormatFixed(mean, 3) +
                   "; SDev=" + FormatFixed(sd, 3));
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
