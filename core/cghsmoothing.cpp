#include "cghtransforms.h"

#include "elapsed.h"

#include "numbers.h"
#include "processing.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The probes whose window is smoothed: half + 1 .. count - half - 1. Probes nearer the ends
// keep their previous window values.
struct ProbeRange {
    int64_t first, last;
};
ProbeRange SmoothedRange(const tCGHProbeArray& a, int64_t half) {
    return {half + 1, a.Count() - half - 1};
}

// Weighted sum of the window w[0..window) in extended precision; four accumulators keep the
// adds from waiting on each other.
long double WeightedSum(const float* w, const double* weights, int64_t window) {
    long double a = 0.0L, b = 0.0L, c = 0.0L, d = 0.0L;
    int64_t k = 0;
    for (; k + 3 < window; k += 4) {
        a += static_cast<long double>(weights[k]) * w[k];
        b += static_cast<long double>(weights[k + 1]) * w[k + 1];
        c += static_cast<long double>(weights[k + 2]) * w[k + 2];
        d += static_cast<long double>(weights[k + 3]) * w[k + 3];
    }
    for (; k < window; ++k) a += static_cast<long double>(weights[k]) * w[k];
    return (a + b) + (c + d);
}

// Window mean (slot 12) and SD about it (slot 13) of slot 11: the mean is the weighted sum over
// `weightSum`, or the plain mean when `weights` is null; the SD is unweighted. Running sums of x
// and x^2 give the SD (and the flat mean): the extended accumulators hold sums and squares of
// float values almost exactly, so adding the incoming and dropping the outgoing probe does not
// drift from the direct sum.
void SmoothWindows(tCGHProbeArray& a, int64_t half, const double* weights, long double weightSum) {
    const ProbeRange r = SmoothedRange(a, half);
    if (r.first > r.last) return;
    const float* x = a.Slot(11);
    float* mean = a.Slot(12);
    float* sd = a.Slot(13);
    const int64_t window = 2 * half + 1;
    const long double probes = static_cast<long double>(window), perProbe = 1.0L / probes;
    long double s = 0.0L, q = 0.0L;
    for (int64_t j = 1; j <= window; ++j) {
        s += x[j];
        q += static_cast<long double>(x[j]) * x[j];
    }
    for (int64_t i = r.first;; ++i) {
        const long double m =
            weights ? WeightedSum(x + (i - half), weights, window) / weightSum : s * perProbe;
        // Sum of (m - x)^2 over the window, expanded.
        const long double deviations = q - 2.0L * m * s + probes * m * m;
        mean[i] = static_cast<float>(m);
        sd[i] = static_cast<float>(
            std::sqrt(std::max(0.0, static_cast<double>(deviations * perProbe))));
        if (i == r.last) break;
        const long double in = x[i + half + 1], out = x[i - half];
        s += in - out;
        q += in * in - out * out;
    }
}

// True for a usable width; otherwise the routine's single report line is written.
bool WidthAtLeastOne(Report& report, const std::string& title, int width) {
    if (width >= 1) return true;
    report.Add(title + " - filter width " + std::to_string(width) +
               " is below 1; nothing smoothed.");
    return false;
}

std::string NoProbesLine(int h) {
    return "Set " + std::to_string(h) + " - no probes";
}

} // namespace

void SmoothCGHData(tCGH_DataSet& data, int width, LogSink* log) {
    const std::string title = "Process: Smooth data";
    Report report(log);
    if (!HybridisationsInUse(report, data, title)) return;
    const int last = LastHybridisation(data);
    if (!WidthAtLeastOne(report, title, width)) return;
    const Stopwatch timer;
    AddReportHead(report, title, 22);
    report.Add("Filter width = " + std::to_string(width));
    for (int h = 1; h <= last; ++h) {
        if (HybridisationProbeCount(data.Hyb[h]) == 0) {
            report.Add(NoProbesLine(h));
            continue;
        }
        for (int c = 1; c <= kChromosomes; ++c)
            SmoothWindows(data.Hyb[h].Chr[c], width / 2, nullptr, 0.0L);
    }
    report.Add(timer.Line("s elapsed time"));
    BumpDataVersion();
}

std::vector<double> SmoothingWeights(int kind, int width) {
    if (width < 1) return {};
    const int half = width / 2;
    const size_t window = 2 * static_cast<size_t>(half) + 1;
    std::vector<double> w(window, 1.0);
    if (kind == 3 && width >= 2) {
        // Triangle: 1 / (half + 1) at the ends rising to 1 in the centre.
        for (int k = 1; k <= half + 1; ++k) w[k - 1] = static_cast<double>(k) / (half + 1);
        for (int k = 1; k <= half; ++k) w[half + k] = w[half - k];
    } else if (kind == 4) {
        // The constant 2.9e-6 makes this window nearly flat; it is kept as users know it.
        for (int k = 1; k <= half; ++k) {
            const int idx = std::max(1, RoundToInt(1000.0 - 1000.0 * k / width));
            const double j = (idx - 1) * 2.9e-6;
            w[k - 1] = w[window - k] = std::exp(-(j * j));
        }
    }
    return w;
}

void WeightedSmoothCGHData(tCGH_DataSet& data, int slot, int kind, int width, LogSink* log) {
    const std::string title = "Weighted smoothing";
    Report report(log);
    if (!HybridisationsInUse(report, data, title)) return;
    const int last = LastHybridisation(data);
    if (!WidthAtLeastOne(report, title, width)) return;
    const int firstHyb = slot >= 1 ? std::min(slot, last) : 1;
    const int lastHyb = slot >= 1 ? firstHyb : last;
    const int64_t half = width / 2;
    const int64_t window = 2 * half + 1;
    // The width comes unchecked from the tool bus; a window no chromosome can hold smooths
    // nothing, and refusing it first keeps the weight table and its report small.
    int longest = 0;
    for (int h = firstHyb; h <= lastHyb; ++h)
        for (int c = 1; c <= kChromosomes; ++c)
            longest = std::max(longest, data.Hyb[h].Chr[c].Count());
    if (longest < window + 1) {
        report.Add(title + " - no chromosome holds more than " + std::to_string(window) +
                   " probes; nothing smoothed.");
        return;
    }
    const std::vector<double> weights = SmoothingWeights(kind, width);
    long double weightSum = 0.0L;
    for (double w : weights) {
        report.Add(FormatGeneral(w));
        weightSum += w;
    }
    const bool flat =
        std::all_of(weights.begin(), weights.end(), [](double w) { return w == 1.0; });
    for (int h = firstHyb; h <= lastHyb; ++h) {
        if (HybridisationProbeCount(data.Hyb[h]) == 0) {
            report.Add(NoProbesLine(h));
            continue;
        }
        for (int c = 1; c <= kChromosomes; ++c) {
            SmoothWindows(data.Hyb[h].Chr[c], half, flat ? nullptr : weights.data(), weightSum);
        }
    }
    BumpDataVersion();
}
