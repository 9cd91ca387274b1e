#include "grouptests.h"

#include "fdist.h"
#include "numbers.h"
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
    int64_t commonEnd = 0;      // every member holds the items below it
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

template <bool kCheckEnds>
void SummariseGroups(const Segment& s, const Groups& groups, int64_t i, GroupSummary* out) {
    for (int32_t j = 0; j < groups.k; ++j) {
        GroupSummary g;
        long double sum = 0;
        for (int32_t m = groups.start[j]; m < groups.start[j + 1]; ++m)
            if (!kCheckEnds || i < s.ends[m]) {
                sum += s.columns[m][i];
                ++g.n;
            }
        if (g.n > 0) {
            g.mean = sum / g.n;
            for (int32_t m = groups.start[j]; m < groups.start[j + 1]; ++m)
                if (!kCheckEnds || i < s.ends[m]) {
                    const long double d = g.mean - s.columns[m][i];
                    g.sumSquares += d * d;
                }
        }
        out[j] = g;
    }
}

void Summarise(const Segment& s, const Groups& groups, int64_t i, GroupSummary* out) {
    if (i < s.commonEnd)
        SummariseGroups<false>(s, groups, i, out);
    else
        SummariseGroups<true>(s, groups, i, out);
}

// One-way analysis of variance: the statistic kept is the unweighted ratio the program has
// always shown; p is the F(k - 1, N - k) tail of the standard n-weighted statistic, because the
// unweighted ratio does not follow that distribution.
Outcome AnovaOutcome(const GroupSummary* g, int32_t k) {
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

Outcome TestItem(const GroupSummary* g, int32_t k) {
    for (int32_t j = 0; j < k; ++j)
        if (g[j].n == 0) return {}; // a group without values at this item: nothing to test
    Outcome o;
    if (k <= 2) {
        const auto sd = [](const GroupSummary& s) {
            return static_cast<float>(std::sqrt(s.sumSquares / s.n));
        };
        float df = 0;
        if (k == 1)
            WelchTTest(1, o.statistic, o.p, static_cast<float>(g[0].n),
                       static_cast<float>(g[0].mean), sd(g[0]), 0, 0, 0, df);
        else
            WelchTTest(1, o.statistic, o.p, static_cast<float>(g[0].n),
                       static_cast<float>(g[0].mean), sd(g[0]), static_cast<float>(g[1].n),
                       static_cast<float>(g[1].mean), sd(g[1]), df);
        if (!(df >= 1)) o.p = 1; // fewer degrees of freedom than one: not testable
    } else {
        o = AnovaOutcome(g, k);
    }
    if (std::isnan(o.p))
        o.p = 1;
    else if (o.p < kSmallestPValue)
        o.p = kSmallestPValue;
    return o;
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
    size_t s = static_cast<size_t>(std::upper_bound(offsets.begin(), offsets.end(), begin) -
                                   offsets.begin() - 1);
    for (int64_t at = begin; at < end; ++s) {
        const Segment& seg = segments[s];
        const int64_t stop = std::min(end, offsets[s + 1]);
        for (int64_t i = at - offsets[s] + 1; at < stop; ++i, ++at) {
            Summarise(seg, groups, i, summary.data());
            const Outcome o = TestItem(summary.data(), groups.k);
            if (seg.statistic) seg.statistic[i] = o.statistic;
            seg.p[i] = o.p;
            if (seg.shown) seg.shown[i] = o.p;
            Count(o.p, alpha, tally);
        }
    }
}

void RunTest(tStat& stat, std::vector<Segment>& segments, const Groups& groups) {
    std::vector<int64_t> offsets(1, 0);
    for (auto& s : segments) {
        offsets.push_back(offsets.back() + s.count);
        s.commonEnd = *std::min_element(s.ends.begin(), s.ends.end());
    }
    const int64_t total = offsets.back();

    // Items are independent: split them over a few threads; each keeps its own tally.
    constexpr int64_t kItemsPerThread = 50000;
    const int64_t hw = std::max(1u, std::thread::hardware_concurrency());
    const int64_t threads =
        std::clamp<int64_t>(total / kItemsPerThread, 1, std::min<int64_t>(hw, 8));
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
        Summarise(*s, groups, s->count, summary.data());
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
    return {};
}
