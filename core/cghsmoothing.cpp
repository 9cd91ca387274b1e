#include "cghtransforms.h"

#include "elapsed.h"

#include "numbers.h"
#include "parallel.h"
#include "processing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

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

// A sum kept as two doubles, the rounding error of every addition carried in the second
// (Knuth's two-sum): more exact than an extended-precision sum, and much faster.
struct ExactSum {
    double hi = 0.0, lo = 0.0;
    void Add(double x) {
        const double s = hi + x, b = s - hi;
        lo += (hi - (s - b)) + (x - b);
        hi = s;
    }
    // The sum of both, rounded once. An infinite sum leaves a NaN error term behind: the sum is
    // then what the leading terms say.
    double Plus(const ExactSum& o) const {
        const double leading = hi + o.hi, v = leading + (lo + o.lo);
        return v == v ? v : leading;
    }
};

// The runs of values that make up the windows of one length. A run's sum and squared deviation
// about its mean are taken in one value at a time (Welford's update, the running mean taken from
// the sum); two runs are joined by Chan's pairwise update. Runs never drop a value, so nothing of
// a value outside a window stays in that window's sums.
class WindowRuns {
  public:
    explicit WindowRuns(int64_t window)
        : window_(window), inverse_(Table(window)), shrink_(Table(window)), join_(Table(window)) {
        for (int64_t n = 1; n <= window; ++n) {
            inverse_[n] = 1.0 / static_cast<double>(n);
            shrink_[n] = static_cast<double>(n) / static_cast<double>(n + 1);
            join_[n] = static_cast<double>(n) * static_cast<double>(window - n) /
                       static_cast<double>(window);
        }
    }

    // Window mean (slot 12) and SD about it (slot 13) of slot 11 for the windows of `a`: the
    // mean is the weighted sum over `weightSum`, or the plain mean when `weights` is null; the SD
    // is unweighted. The probes are cut into blocks of one window's length; a window is the tail
    // of one block joined with the head of the next, so every window equals its direct sums
    // within rounding, and a NaN or a huge value only touches the windows that hold it.
    void Smooth(tCGHProbeArray& a, const double* weights, long double weightSum) const {
        const int64_t half = window_ / 2;
        const ProbeRange r = SmoothedRange(a, half);
        if (r.first > r.last) return;
        std::vector<ExactSum> tailSum(static_cast<size_t>(window_));
        std::vector<double> tailM2(static_cast<size_t>(window_));
        const float* x = a.Slot(11);
        float* mean = a.WritableSlot(12);
        float* sd = a.WritableSlot(13);
        const double probes = static_cast<double>(window_), perProbe = 1.0 / probes;
        const int64_t lastStart = r.last - half; // windows start at probes 1..lastStart
        for (int64_t block = 1; block <= lastStart; block += window_) {
            const int64_t blockEnd = block + window_ - 1;
            ExactSum sum;
            double m2 = 0.0;
            for (int64_t p = blockEnd, n = 0; p >= block; --p, ++n) {
                Add(sum, m2, n, x[p]);
                tailSum[size_t(p - block)] = sum;
                tailM2[size_t(p - block)] = m2;
            }
            ExactSum headSum; // probes after the block
            double headM2 = 0.0;
            const int64_t stop = std::min(blockEnd, lastStart);
            for (int64_t start = block, n = 0; start <= stop; ++start) {
                const ExactSum& tail = tailSum[size_t(start - block)];
                double q = tailM2[size_t(start - block)];
                if (start > block) {
                    Add(headSum, headM2, n++, x[start + window_ - 1]);
                    const double d = headSum.hi * inverse_[n] - tail.hi * inverse_[window_ - n];
                    q += headM2 + d * d * join_[n];
                }
                const double plain = tail.Plus(headSum) * perProbe;
                double m = plain;
                if (weights) {
                    // Deviations about m: about the window's own mean, and that mean's distance.
                    m = static_cast<double>(WeightedSum(x + start, weights, window_) / weightSum);
                    q += probes * (plain - m) * (plain - m);
                }
                const int64_t i = start + half;
                mean[i] = static_cast<float>(m);
                sd[i] = std::isfinite(m)
                            ? static_cast<float>(std::sqrt(std::max(0.0, q * perProbe)))
                            : std::numeric_limits<float>::quiet_NaN();
            }
        }
    }

  private:
    static std::vector<double> Table(int64_t window) {
        return std::vector<double>(static_cast<size_t>(window) + 1);
    }
    // Takes x into a run of n values.
    void Add(ExactSum& sum, double& m2, int64_t n, double x) const {
        if (n > 0) {
            const double d = x - sum.hi * inverse_[n];
            m2 += d * d * shrink_[n];
        }
        sum.Add(x);
    }

    int64_t window_;
    std::vector<double> inverse_, shrink_, join_;
};

// The most probes a chromosome of hybridisations first..last holds.
int LongestProbeCount(const tCGH_DataSet& data, int first, int last) {
    int longest = 0;
    for (int h = first; h <= last; ++h)
        for (int c = 1; c <= kChromosomes; ++c)
            longest = std::max(longest, data.Hyb[h].Chr[c].Count());
    return longest;
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

// Smooths every chromosome of hybridisations first..last that hold probes, one hybridisation per
// thread; reports those without probes. Nothing is smoothed when no chromosome holds a window.
void SmoothSets(tCGH_DataSet& data, int first, int last, int64_t window, const double* weights,
                long double weightSum, Report& report) {
    std::vector<int> sets;
    for (int h = first; h <= last; ++h) {
        if (HybridisationProbeCount(data.Hyb[h]) == 0)
            report.Add(NoProbesLine(h));
        else
            sets.push_back(h);
    }
    // The runs' tables are as long as a window: only made when some chromosome holds one.
    if (LongestProbeCount(data, first, last) <= window) return;
    const WindowRuns runs(window);
    ParallelChunks(
        static_cast<int>(sets.size()),
        [&](int k) {
            for (int c = 1; c <= kChromosomes; ++c)
                runs.Smooth(data.Hyb[sets[size_t(k)]].Chr[c], weights, weightSum);
        },
        nullptr);
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
    SmoothSets(data, 1, last, 2 * static_cast<int64_t>(width / 2) + 1, nullptr, 0.0L, report);
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
    if (LongestProbeCount(data, firstHyb, lastHyb) < window + 1) {
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
    SmoothSets(data, firstHyb, lastHyb, window, flat ? nullptr : weights.data(), weightSum, report);
    BumpDataVersion();
}
