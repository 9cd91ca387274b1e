#include "grouptests.h"

#include "fdist.h"
#include "numbers.h"
#include "parallel.h"
#include "parser.h"
#include "statpack.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

// The columns the groups are read from for one run of items: the probes of one chromosome, or
// the genes. Member m of the flattened groups reads columns[m][i] for items i below ends[m].
struct Segment {
    std::vector<const float*> columns;
    std::vector<int64_t> ends;
    int32_t count = 0;          // items 1..count
    float* statistic = nullptr; // per item outputs (statistic may be absent)
    float* p = nullptr;
    float* shown = nullptr;
};

struct Groups {
    int32_t k = 0;
    std::vector<int32_t> start; // group j owns flattened members start[j]..start[j + 1] - 1
    std::vector<int32_t> members;
};

struct GroupSummary {
    int32_t n = 0;
    long double mean = 0;
    long double sumSquares = 0; // squared deviations from the mean
};

struct Outcome {
    float statistic = 0;
    float p = 1;
};

struct Tally {
    std::array<int32_t, kHistogramBins> histogram{};
    int32_t significant = 0;
};

std::string ReadGroups(const tStat& stat, int32_t highest, const char* what, Groups& groups) {
    const int32_t k = stat.GroupCount;
    if (k < 1) return "No groups to test.";
    if (k > kMaxTestGroups)
        return "At most " + std::to_string(kMaxTestGroups) + " groups can be tested, not " +
               std::to_string(k) + ".";
    groups.k = k;
    groups.start.assign(1, 0);
    for (int32_t g = 1; g <= k; ++g) {
        const auto members = ReadMembers(stat.GroupText[g], highest);
        if (members.empty())
            return "Group " + std::to_string(g) + " has no members among the loaded " + what + ".";
        groups.members.insert(groups.members.end(), members.begin(), members.end());
        groups.start.push_back(static_cast<int32_t>(groups.members.size()));
    }
    return {};
}

// Items are summarised a block at a time: one pass down each member's column adds its values
// to its group's sums, so the columns are read in order and the loops vectorise. Each group's
// values are shifted by its first member's value at the item, which keeps the sum of squares
// free of cancellation.
constexpr int kBlock = 256;

struct BlockSums {
    explicit BlockSums(int32_t k)
        : shift(size_t(k) * kBlock), sum(size_t(k) * kBlock), squares(size_t(k) * kBlock),
          n(size_t(k) * kBlock) {}
    std::vector<double> shift, sum, squares, n; // [group * kBlock + item - first]
};

void SumBlock(const Segment& s, const Groups& groups, int64_t first, int len, BlockSums& b) {
    std::fill(b.sum.begin(), b.sum.end(), 0.0);
    std::fill(b.squares.begin(), b.squares.end(), 0.0);
    std::fill(b.n.begin(), b.n.end(), 0.0);
    for (int32_t j = 0; j < groups.k; ++j) {
        double* shift = b.shift.data() + size_t(j) * kBlock;
        double* sum = b.sum.data() + size_t(j) * kBlock;
        double* squares = b.squares.data() + size_t(j) * kBlock;
        double* n = b.n.data() + size_t(j) * kBlock;
        const int32_t lead = groups.start[j];
        // An empty array has no column: its pointer is only offset where it holds items.
        const int leadLen = int(std::clamp<int64_t>(s.ends[lead] - first, 0, len));
        const float* x0 = leadLen > 0 ? s.columns[lead] + first : nullptr;
        for (int t = 0; t < leadLen; ++t) shift[t] = std::isfinite(x0[t]) ? x0[t] : 0.0;
        std::fill(shift + leadLen, shift + len, 0.0);
        for (int32_t m = groups.start[j]; m < groups.start[j + 1]; ++m) {
            const int stop = int(std::clamp<int64_t>(s.ends[m] - first, 0, len));
            if (stop == 0) continue;
            const float* x = s.columns[m] + first;
            for (int t = 0; t < stop; ++t) {
                const double d = double(x[t]) - shift[t];
                sum[t] += d;
                squares[t] += d * d;
                n[t] += 1.0;
            }
        }
    }
}

// The summary of item first + t from the block's sums.
void Summarise(const BlockSums& b, int32_t k, int t, GroupSummary* out) {
    for (int32_t j = 0; j < k; ++j) {
        const size_t at = size_t(j) * kBlock + size_t(t);
        GroupSummary g;
        g.n = int32_t(b.n[at]);
        if (g.n > 0) {
            const double mean = b.sum[at] / g.n;
            g.mean = mean + b.shift[at];
            const double squares = b.squares[at] - mean * b.sum[at];
            g.sumSquares = squares < 0 ? 0.0 : squares; // rounding below 0; NaN stays
        }
        out[j] = g;
    }
}

// One-way analysis of variance: the statistic kept is the unweighted ratio the program has
// always shown; p is the F(k - 1, N - k) tail of the standard n-weighted statistic, because the
// unweighted ratio does not follow that distribution.
Outcome AnovaOutcome(const GroupSummary* g, int32_t k) {
    for (int32_t j = 0; j < k; ++j)
        if (g[j].n == 0) return {}; // a group without values at this item: nothing to test
    long double n = 0, meanSum = 0, varSum = 0, weightedSum = 0, within = 0;
    for (int32_t j = 0; j < k; ++j) {
        n += g[j].n;
        meanSum += g[j].mean;
        varSum += g[j].sumSquares / g[j].n;
        weightedSum += g[j].n * g[j].mean;
        within += g[j].sumSquares;
    }
    const long double meanOfMeans = meanSum / k;
    const long double grandMean = weightedSum / n;
    long double spread = 0, between = 0;
    for (int32_t j = 0; j < k; ++j) {
        spread += (g[j].mean - meanOfMeans) * (g[j].mean - meanOfMeans);
        between += g[j].n * (g[j].mean - grandMean) * (g[j].mean - grandMean);
    }
    long double w = varSum / k;
    if (w == 0) w = 1;
    Outcome o;
    o.statistic = static_cast<float>((n / k) * spread / (k - 1) / w);
    const int32_t d1 = k - 1;
    const int32_t d2 = static_cast<int32_t>(n) - k;
    if (d2 < 1) return o; // p stays 1: no within-group freedom
    const long double msWithin = within / d2;
    const long double msBetween = between / d1;
    if (msWithin == 0)
        o.p = msBetween > 0 ? 0.0f : 1.0f;
    else
        o.p = static_cast<float>(FUpperTail(static_cast<double>(msBetween / msWithin), d1, d2));
    return o;
}

// The t statistic of one or two groups (one tests against 0) into o; df and whether a p-value
// is wanted into the remaining arguments.
void WelchItem(const GroupSummary* g, int32_t k, Outcome& o, float& df, bool& test) {
    test = false;
    df = 0;
    o = {};
    for (int32_t j = 0; j < k; ++j)
        if (g[j].n == 0) return; // a group without values at this item: nothing to test
    const auto sd = [](const GroupSummary& s) {
        return static_cast<float>(std::sqrt(s.sumSquares / s.n));
    };
    const GroupSummary none;
    const GroupSummary& b = k == 1 ? none : g[1];
    WelchStatistic(1, o.statistic, static_cast<float>(g[0].n), static_cast<float>(g[0].mean),
                   sd(g[0]), static_cast<float>(b.n), static_cast<float>(b.mean),
                   k == 1 ? 0.0f : sd(b), df);
    test = o.statistic != 0 && df >= 1; // fewer degrees of freedom than one: not testable
}

float FinishP(float p) {
    if (std::isnan(p)) return 1;
    return p < kSmallestPValue ? kSmallestPValue : p;
}

void Count(float p, float alpha, Tally& t) {
    float q = p > 0 ? -LogBaseS(10.0f, p) : 0.0f;
    q = std::clamp(q, 0.0f, 10.0f);
    ++t.histogram[static_cast<size_t>(RoundToInt(100.0 * q))];
    if (p < alpha) ++t.significant;
}

// Tests the items of the flattened range [begin, end) over all segments.
void TestRange(const std::vector<Segment>& segments, const std::vector<int64_t>& offsets,
               const Groups& groups, float alpha, int64_t begin, int64_t end, Tally& tally) {
    std::vector<GroupSummary> summary(static_cast<size_t>(groups.k));
    BlockSums sums(groups.k);
    struct {
        Outcome outcome[kBlock];
        float df[kBlock], t[kBlock];
        double p[kBlock];
        bool test[kBlock];
    } block;
    size_t s = static_cast<size_t>(std::upper_bound(offsets.begin(), offsets.end(), begin) -
                                   offsets.begin() - 1);
    for (int64_t at = begin; at < end; ++s) {
        const Segment& seg = segments[s];
        const int64_t stop = std::min(end, offsets[s + 1]);
        while (at < stop) {
            const int64_t first = at - offsets[s] + 1;
            const int len = int(std::min<int64_t>(kBlock, stop - at));
            SumBlock(seg, groups, first, len, sums);
            for (int t = 0; t < len; ++t) {
                Summarise(sums, groups.k, t, summary.data());
                if (groups.k > 2) {
                    block.outcome[t] = AnovaOutcome(summary.data(), groups.k);
                    continue;
                }
                WelchItem(summary.data(), groups.k, block.outcome[t], block.df[t], block.test[t]);
                block.t[t] = block.test[t] ? block.outcome[t].statistic : 1.0f;
                if (!block.test[t]) block.df[t] = 2; // a short series for an unused value
            }
            if (groups.k <= 2) {
                StudentPValues(block.df, block.t, block.p, len);
                for (int t = 0; t < len; ++t)
                    block.outcome[t].p = block.test[t] ? static_cast<float>(block.p[t]) : 1.0f;
            }
            for (int t = 0; t < len; ++t) {
                const Outcome& o = block.outcome[t];
                const float p = FinishP(o.p);
                const int64_t i = first + t;
                if (seg.statistic) seg.statistic[i] = o.statistic;
                seg.p[i] = p;
                if (seg.shown) seg.shown[i] = p;
                Count(p, alpha, tally);
            }
            at += len;
        }
    }
}

void RunTest(tStat& stat, std::vector<Segment>& segments, const Groups& groups) {
    std::vector<int64_t> offsets(1, 0);
    for (auto& s : segments) offsets.push_back(offsets.back() + s.count);
    const int64_t total = offsets.back();

    // Items are independent: split them over a few threads; each keeps its own tally.
    constexpr int64_t kItemsPerThread = 50000;
    const int64_t threads = std::clamp<int64_t>(total / kItemsPerThread, 1, ThreadLimit());
    std::vector<Tally> tallies(static_cast<size_t>(threads));
    const float alpha = stat.Alpha;
    if (threads == 1) {
        TestRange(segments, offsets, groups, alpha, 0, total, tallies[0]);
    } else {
        std::vector<std::thread> pool;
        for (int64_t t = 0; t < threads; ++t)
            pool.emplace_back(TestRange, std::cref(segments), std::cref(offsets), std::cref(groups),
                              alpha, total * t / threads, total * (t + 1) / threads,
                              std::ref(tallies[static_cast<size_t>(t)]));
        for (auto& th : pool) th.join();
    }

    stat.Histogram.fill(0);
    stat.SignificantCount = 0;
    for (const auto& t : tallies) {
        for (size_t b = 0; b < t.histogram.size(); ++b) stat.Histogram[b] += t.histogram[b];
        stat.SignificantCount += t.significant;
    }
    stat.HistogramMax = *std::max_element(stat.Histogram.begin(), stat.Histogram.end());

    // The group means and variances are the working values of the last item tested.
    for (auto s = segments.rbegin(); s != segments.rend(); ++s) {
        if (s->count < 1) continue;
        std::vector<GroupSummary> summary(static_cast<size_t>(groups.k));
        BlockSums sums(groups.k);
        SumBlock(*s, groups, s->count, 1, sums);
        Summarise(sums, groups.k, 0, summary.data());
        for (int32_t j = 0; j < groups.k; ++j) {
            stat.GroupMean[j] = static_cast<float>(summary[j].mean);
            stat.GroupVariance[j] =
                summary[j].n > 0 ? static_cast<float>(summary[j].sumSquares / summary[j].n) : 0;
        }
        break;
    }
    BumpDataVersion();
}

} // namespace

std::vector<int32_t> ReadMembers(std::string_view text, int32_t highest) {
    std::vector<int32_t> members;
    std::string rest(text), piece;
    while (!rest.empty() && members.size() < static_cast<size_t>(kMaxGroupMembers)) {
        CutToken(rest, ",", piece);
        int32_t m = 0;
        if (ParseStrictInt(piece, m) && m >= 1 && m <= highest) members.push_back(m);
    }
    return members;
}

void ParseGrouping(tStat& stat) {
    const int32_t lists = static_cast<int32_t>(stat.Members.size()) - 1;
    for (int32_t g = 1; g <= std::min(stat.GroupCount, lists); ++g) {
        const auto members = ReadMembers(stat.GroupText[g], INT32_MAX);
        auto& list = stat.Members[g];
        std::copy(members.begin(), members.end(), list.begin() + 1);
        list[0] = static_cast<int32_t>(members.size());
    }
}

std::string ExpressionGroupTest(tStat& stat, tHeatmap& h) {
    const int32_t rows = static_cast<int32_t>(h.Data.size()) - 1;
    Groups groups;
    if (auto error = ReadGroups(stat, std::min(h.SampleCount, rows), "samples", groups);
        !error.empty())
        return error;
    Segment seg;
    for (const int32_t s : groups.members) {
        seg.columns.push_back(h.Data[s].data());
        seg.ends.push_back(static_cast<int64_t>(h.Data[s].size()));
    }
    seg.count = std::clamp(h.GeneCount, 0, static_cast<int32_t>(h.Data[0].size()) - 1);
    seg.p = h.Data[0].data();
    std::vector<Segment> segments{std::move(seg)};
    RunTest(stat, segments, groups);
    return {};
}

std::string CGHGroupTest(tStat& stat, tCGH_DataSet& data) {
    Groups groups;
    if (auto error =
            ReadGroups(stat, std::min(data.HNum, kMaxHybridisations), "hybridisations", groups);
        !error.empty())
        return error;
    std::vector<Segment> segments;
    for (int c = 1; c <= kChromosomes; ++c) {
        tCGHProbeArray& out = data.Hyb[1].Chr[c];
        Segment seg;
        seg.count = out.Count();
        if (seg.count < 1) continue;
        for (const int32_t h : groups.members) {
            const tCGHProbeArray& a = data.Hyb[h].Chr[c];
            seg.columns.push_back(a.Slot(11));
            seg.ends.push_back(static_cast<int64_t>(a.Count()) + 1);
        }
        seg.statistic = out.WritableSlot(14);
        seg.p = out.WritableSlot(15);
        seg.shown = out.WritableSlot(17);
        segments.push_back(std::move(seg));
    }
    RunTest(stat, segments, groups);
    data.TestSlot = TestSlotContent::PValues;
    return {};
}

void ClearTestResults(tStat& stat, float alpha) {
    stat.Histogram.fill(0);
    stat.HistogramMax = 0;
    stat.SignificantCount = 0;
    stat.GroupMean.fill(0.0f);
    stat.GroupVariance.fill(0.0f);
    stat.Alpha = alpha;
    BumpDataVersion();
}
