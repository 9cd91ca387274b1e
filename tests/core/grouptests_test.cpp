#include "grouptests.h"

#include "grouptestdata.h"

#include <gtest/gtest.h>

#include "fdist.h"
#include "statpack.h"

#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

namespace {

std::vector<int32_t> MembersOf(const tStat& stat, int g) {
    return {stat.Members[g].begin() + 1, stat.Members[g].begin() + 1 + stat.Members[g][0]};
}

TEST(GroupMembers, TextsGiveTheirMembers) {
    auto stat = std::make_unique<tStat>();
    stat->GroupCount = 4;
    stat->GroupText[1] = "1,2,3";
    stat->GroupText[2] = "5";
    stat->GroupText[3] = "0,-2,";
    stat->GroupText[4] = " 7 ,x,2.5,,4,";
    stat->Members[3][0] = 9; // stale count from an earlier grouping
    ParseGrouping(*stat);
    EXPECT_EQ(MembersOf(*stat, 1), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(MembersOf(*stat, 2), (std::vector<int32_t>{5}));
    EXPECT_TRUE(MembersOf(*stat, 3).empty());
    EXPECT_EQ(MembersOf(*stat, 4), (std::vector<int32_t>{7, 4}));

    EXPECT_EQ(ReadMembers("1,5,3,51,", 3), (std::vector<int32_t>{1, 3}));
    std::string many;
    for (int i = 0; i < 1200; ++i) many += "2,";
    EXPECT_EQ(ReadMembers(many, 50).size(), 1000u);
}

TEST(GroupMembers, MoreGroupsThanListsStayInside) {
    auto stat = std::make_unique<tStat>();
    stat->GroupCount = 100;
    for (int g = 1; g <= 100; ++g) stat->GroupText[g] = std::to_string(g) + ",";
    ParseGrouping(*stat);
    EXPECT_EQ(MembersOf(*stat, 25), (std::vector<int32_t>{25}));
}

// Groups of hybridisations on chromosome 1, one probe per value position.
struct TwoGroups {
    std::unique_ptr<tCGH_DataSet> data;
    std::unique_ptr<tStat> stat = std::make_unique<tStat>();

    // values[h - 1] are the slot 11 values of hybridisation h.
    TwoGroups(const std::vector<std::vector<float>>& values, std::vector<std::string> groups) {
        data = MakeDataSet(static_cast<int>(values.size()), 1, static_cast<int>(values[0].size()));
        for (size_t h = 0; h < values.size(); ++h)
            SetSlot(*data, static_cast<int>(h) + 1, 1, 11, values[h]);
        stat->GroupCount = static_cast<int32_t>(groups.size());
        for (size_t g = 0; g < groups.size(); ++g) stat->GroupText[g + 1] = groups[g];
        stat->Alpha = 0.01f;
    }
    float Slot(int slot, int probe) const { return data->Hyb[1].Chr[1].Get(slot, probe); }
};

TEST(CGHGroupTest, TwoGroupsGiveWelchTestWithReferenceP) {
    // Probe 1: group 1 = 1, 3, 1, 3 (mean 2, variance 1), group 2 all 0: t = 4 with 3 degrees
    // of freedom. Probe 2: both groups alike. Probe 3: a difference far beyond every alpha.
    TwoGroups t({{1, 0, 10},
                 {3, 0, 10.001f},
                 {1, 0, 9.999f},
                 {3, 0, 10},
                 {0, 0, 0},
                 {0, 0, 0.001f},
                 {0, 0, -0.001f},
                 {0, 0, 0}},
                {"1,2,3,4,", "5,6,7,8,"});
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    EXPECT_FLOAT_EQ(t.Slot(14, 1), 4.0f);
    EXPECT_NEAR(t.Slot(15, 1), 0.014004228005073083, 1e-6 * 0.014004228005073083);
    EXPECT_EQ(t.Slot(17, 1), t.Slot(15, 1));
    EXPECT_EQ(t.Slot(14, 2), 0.0f); // identical groups
    EXPECT_EQ(t.Slot(15, 2), 1.0f);
    EXPECT_LT(t.Slot(15, 3), 1e-12f);
    EXPECT_GE(t.Slot(15, 3), kSmallestPValue);

    // -log10 p: 1.854 -> bin 185; p = 1 -> bin 0; below 1e-10 -> clamped into bin 1000.
    EXPECT_EQ(t.stat->Histogram[185], 1);
    EXPECT_EQ(t.stat->Histogram[0], 1);
    EXPECT_EQ(t.stat->Histogram[1000], 1);
    EXPECT_EQ(std::accumulate(t.stat->Histogram.begin(), t.stat->Histogram.end(), 0), 3);
    EXPECT_EQ(t.stat->HistogramMax, 1);
    EXPECT_EQ(t.stat->SignificantCount, 1); // 0.014 is not below 0.01
    // Working values of the last probe.
    EXPECT_NEAR(t.stat->GroupMean[0], 10.0f, 1e-6);
    EXPECT_NEAR(t.stat->GroupMean[1], 0.0f, 1e-6);
}

TEST(CGHGroupTest, OneGroupTestsAgainstZero) {
    TwoGroups t({{1, 200}, {3, 0}, {1, 0}, {3, 0}}, {"1,2,3,4,"});
    t.data->HNum = 4;
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    EXPECT_FLOAT_EQ(t.Slot(14, 1), 4.0f); // 4 members: 2 degrees of freedom
    EXPECT_NEAR(t.Slot(15, 1), 0.028595479208968317, 1e-6 * 0.028595479208968317);

    // A single member leaves no degree of freedom: not significant however large the value.
    t.stat->GroupText[1] = "1,";
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    EXPECT_EQ(t.Slot(15, 2), 1.0f);
    EXPECT_EQ(t.stat->SignificantCount, 0);
}

TEST(CGHGroupTest, SingleMembersPerGroupAreNotTestable) {
    TwoGroups t({{5}, {-5}}, {"1", "2"});
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    EXPECT_EQ(t.Slot(15, 1), 1.0f);
}

TEST(CGHGroupTest, ThreeGroupsUseTheAnovaTail) {
    // Means 1, 2, 6, each group's variance 1: one-way F = 7 on (2, 3) degrees of freedom; the
    // statistic kept in slot 14 is the unweighted ratio, 14. Probe 2: nearly equal means.
    TwoGroups t({{0, 0}, {2, 2}, {1, 0.1f}, {3, 2.1f}, {5, 0.05f}, {7, 2.05f}},
                {"1,2", "3,4", "5,6"});
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    EXPECT_FLOAT_EQ(t.Slot(14, 1), 14.0f);
    EXPECT_NEAR(t.Slot(15, 1), 0.07413247503677699, 1e-6 * 0.07413247503677699);
    EXPECT_GT(t.Slot(15, 2), 0.99f);
    EXPECT_LE(t.Slot(15, 2), 1.0f);
    EXPECT_NEAR(t.stat->GroupVariance[2], 1.0f, 1e-6);

    // Only as many members as groups: no within-group freedom, p = 1 and no division by 0.
    t.stat->GroupText[1] = "1";
    t.stat->GroupText[2] = "3";
    t.stat->GroupText[3] = "5";
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    EXPECT_EQ(t.Slot(15, 1), 1.0f);
}

TEST(CGHGroupTest, VanishingTailsStaySignificantAndNaNDoesNot) {
    // Probe 1: separated far beyond what a float p can hold. Probe 2: a member without a value.
    // Probe 3: three groups of constant, different values: the F tail is exactly 0.
    std::vector<std::vector<float>> values;
    for (int h = 0; h < 20; ++h)
        values.push_back({h < 10 ? 50.0f + 0.001f * h : 0.001f * h,
                          h == 3 ? std::numeric_limits<float>::quiet_NaN() : 1.0f * h,
                          h < 5    ? 1.0f
                          : h < 10 ? 2.0f
                                   : 3.0f});
    TwoGroups t(values, {"1,2,3,4,5,6,7,8,9,10", "11,12,13,14,15,16,17,18,19,20"});
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    EXPECT_LT(t.Slot(15, 1), 1e-12f);
    EXPECT_GE(t.Slot(15, 1), kSmallestPValue);
    EXPECT_EQ(t.Slot(15, 2), 1.0f);

    t.stat->GroupCount = 3;
    t.stat->GroupText[1] = "1,2,3,4,5";
    t.stat->GroupText[2] = "6,7,8,9,10";
    t.stat->GroupText[3] = "11,12,13,14,15,16,17,18,19,20";
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    EXPECT_EQ(t.Slot(15, 3), kSmallestPValue);
    EXPECT_EQ(t.Slot(17, 3), kSmallestPValue);
    EXPECT_EQ(t.stat->Histogram[1000], 2); // probes 1 and 3
    EXPECT_EQ(t.stat->Histogram[0], 1);    // the NaN probe counts as p = 1
    EXPECT_EQ(t.stat->SignificantCount, 2);
}

TEST(CGHGroupTest, ShortMemberArraysAreReadOnlyWithinTheirProbes) {
    TwoGroups t({{1, 1, 1, 1}, {3, 3, 3, 3}, {1, 1, 1, 1}, {3, 3, 3, 3}, {0, 0, 0, 0}},
                {"1,2,3,4", "5"});
    // Hybridisation 4 holds two probes only; hybridisation 5 none on this chromosome.
    t.data->Hyb[4].Chr[1].Resize(3);
    t.data->Hyb[4].Chr[1].SetCount(2);
    t.data->Hyb[5].Chr[1].Clear();
    ASSERT_EQ(CGHGroupTest(*t.stat, *t.data), "");
    // Group 2 has no value anywhere: nothing testable.
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(t.Slot(15, i), 1.0f);
}

TEST(CGHGroupTest, InvalidGroupsChangeNothing) {
    TwoGroups t({{1, 2}, {3, 4}, {5, 6}}, {"1,2", "3"});
    auto& probes = t.data->Hyb[1].Chr[1];
    for (int i = 1; i <= 2; ++i)
        for (int slot : {14, 15, 17}) probes.Set(slot, i, 0.5f);
    t.stat->Histogram.fill(7);
    t.stat->HistogramMax = 7;
    t.stat->SignificantCount = 7;
    t.stat->GroupMean.fill(7);
    const auto statBefore = *t.stat;
    const auto version = DataVersion;

    const std::vector<std::pair<int, std::vector<std::string>>> groupings = {
        {0, {}},
        {11, {"1", "2", "3", "1", "2", "3", "1", "2", "3", "1", "2"}},
        {2, {"1,2", "0,-2,"}},
        {2, {"1,2", "4,9"}}, // beyond the loaded hybridisations
        {2, {"1,2", ""}},
    };
    for (const auto& [count, texts] : groupings) {
        t.stat->GroupCount = count;
        for (size_t g = 0; g < texts.size(); ++g) t.stat->GroupText[g + 1] = texts[g];
        EXPECT_FALSE(CGHGroupTest(*t.stat, *t.data).empty()) << count;
        EXPECT_EQ(t.stat->Histogram, statBefore.Histogram);
        EXPECT_EQ(t.stat->SignificantCount, 7);
        EXPECT_EQ(t.stat->HistogramMax, 7);
        EXPECT_EQ(t.stat->GroupMean, statBefore.GroupMean);
        for (int i = 1; i <= 2; ++i)
            for (int slot : {14, 15, 17}) EXPECT_EQ(probes.Get(slot, i), 0.5f);
    }
    EXPECT_EQ(DataVersion, version);
}

TEST(ExpressionGroupTest, WritesGenePValues) {
    auto h = std::make_unique<tHeatmap>();
    h->SampleCount = 8;
    h->GeneCount = 2;
    h->Data.assign(10, std::vector<float>(4, 0.0f));
    const float gene1[] = {1, 3, 1, 3, 0, 0, 0, 0};
    for (int s = 1; s <= 8; ++s) {
        h->Data[s][1] = gene1[s - 1];
        h->Data[s][2] = 5;
    }
    auto stat = std::make_unique<tStat>();
    stat->GroupCount = 2;
    stat->GroupText[1] = "1,2,3,4,";
    stat->GroupText[2] = "5,6,7,8,";
    stat->Alpha = 0.05f;
    ASSERT_EQ(ExpressionGroupTest(*stat, *h), "");
    EXPECT_NEAR(h->Data[0][1], 0.014004228005073083, 1e-6 * 0.014004228005073083);
    EXPECT_EQ(h->Data[0][2], 1.0f);
    EXPECT_EQ(stat->SignificantCount, 1);

    // A gene count beyond the matrix is bounded by it; samples beyond SampleCount are skipped.
    h->GeneCount = 50;
    ASSERT_EQ(ExpressionGroupTest(*stat, *h), "");
    EXPECT_EQ(std::accumulate(stat->Histogram.begin(), stat->Histogram.end(), 0), 3);
    h->SampleCount = 4;
    const float before = h->Data[0][1];
    EXPECT_FALSE(ExpressionGroupTest(*stat, *h).empty());
    EXPECT_EQ(h->Data[0][1], before);
}

TEST(CGHGroupTest, ManyProbesSplitOverThreadsMatchOneByOne) {
    // Enough probes to run in parallel; every probe repeats the same small pattern, so each
    // must give the same p as a data set holding that pattern alone.
    const int n = 150000;
    auto data = MakeDataSet(6, 2, n);
    for (int h = 1; h <= 6; ++h) {
        std::vector<float> v(n);
        for (int i = 0; i < n; ++i) v[i] = static_cast<float>((i % 7) * (h <= 3 ? 1 : -1) + h);
        SetSlot(*data, h, 2, 11, v);
    }
    auto stat = std::make_unique<tStat>();
    stat->GroupCount = 2;
    stat->GroupText[1] = "1,2,3";
    stat->GroupText[2] = "4,5,6";
    stat->Alpha = 0.01f;
    ASSERT_EQ(CGHGroupTest(*stat, *data), "");
    const auto p = GetSlot(*data, 1, 2, 15);
    int significant = 0;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(p[i], p[i % 7]) << i;
        significant += p[i] < 0.01f;
    }
    EXPECT_EQ(stat->SignificantCount, significant);
    EXPECT_EQ(std::accumulate(stat->Histogram.begin(), stat->Histogram.end(), 0), n);
}

TEST(CGHGroupTest, BlockSumsGiveTheItemByItemResults) {
    // Each probe summarised on its own in long double, as the test did before it summed whole
    // columns: random values with NaN, shifted probes, constant groups, a short member array.
    const int n = 3000;
    auto data = MakeDataSet(9, 2, n);
    std::mt19937 rng(11);
    std::normal_distribution<float> noise(5.0f, 0.4f);
    for (int h = 1; h <= 9; ++h) {
        std::vector<float> v(n);
        for (int i = 0; i < n; ++i) {
            v[i] = noise(rng) + (i % 50 == 0 && h <= 4 ? 3.0f : 0.0f);
            if (i % 97 == h) v[i] = std::numeric_limits<float>::quiet_NaN();
            if (i % 211 == 0) v[i] = static_cast<float>(h % 3);
        }
        SetSlot(*data, h, 2, 11, v);
    }
    data->Hyb[9].Chr[2].SetCount(n - 700);
    const std::vector<std::vector<std::vector<int>>> groupings = {
        {{1, 2, 3, 4}}, {{1, 2, 3, 4}, {5, 6, 7, 8, 9}}, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
    for (const auto& groups : groupings) {
        auto stat = std::make_unique<tStat>();
        stat->GroupCount = static_cast<int32_t>(groups.size());
        for (size_t g = 0; g < groups.size(); ++g)
            for (int h : groups[g]) stat->GroupText[g + 1] += std::to_string(h) + ",";
        ASSERT_EQ(CGHGroupTest(*stat, *data), "");
        const int k = stat->GroupCount;
        for (int i = 1; i <= n; ++i) {
            std::array<long double, 3> count{}, mean{}, squares{};
            for (int j = 0; j < k; ++j) {
                long double sum = 0;
                for (int h : groups[size_t(j)])
                    if (i <= data->Hyb[h].Chr[2].Count()) {
                        sum += data->Hyb[h].Chr[2].Get(11, i);
                        ++count[size_t(j)];
                    }
                mean[size_t(j)] = sum / count[size_t(j)];
                for (int h : groups[size_t(j)])
                    if (i <= data->Hyb[h].Chr[2].Count()) {
                        const long double d = mean[size_t(j)] - data->Hyb[h].Chr[2].Get(11, i);
                        squares[size_t(j)] += d * d;
                    }
            }
            float statistic = 0, p = 1;
            if (k <= 2) {
                const auto sd = [&](int j) {
                    return static_cast<float>(std::sqrt(squares[size_t(j)] / count[size_t(j)]));
                };
                float df = 0;
                WelchTTest(1, statistic, p, float(count[0]), float(mean[0]), sd(0),
                           k == 1 ? 0.0f : float(count[1]), k == 1 ? 0.0f : float(mean[1]),
                           k == 1 ? 0.0f : sd(1), df);
                if (!(df >= 1)) p = 1;
            } else {
                long double all = 0, meanSum = 0, varSum = 0, weighted = 0, within = 0;
                for (int j = 0; j < k; ++j) {
                    all += count[size_t(j)];
                    meanSum += mean[size_t(j)];
                    varSum += squares[size_t(j)] / count[size_t(j)];
                    weighted += count[size_t(j)] * mean[size_t(j)];
                    within += squares[size_t(j)];
                }
                long double spread = 0, between = 0;
                for (int j = 0; j < k; ++j) {
                    spread += std::pow(mean[size_t(j)] - meanSum / k, 2);
                    between += count[size_t(j)] * std::pow(mean[size_t(j)] - weighted / all, 2);
                }
                statistic = float(all / k * spread / (k - 1) / (varSum == 0 ? k : varSum / k));
                const long double msWithin = within / (all - k);
                if (msWithin == 0)
                    p = between > 0 ? 0.0f : 1.0f;
                else
                    p = float(
                        FUpperTail(double(between / (k - 1) / msWithin), k - 1, int32_t(all) - k));
            }
            p = std::isnan(p) ? 1.0f : std::max(p, kSmallestPValue);
            const float newStatistic = data->Hyb[1].Chr[2].Get(14, i);
            const float newP = data->Hyb[1].Chr[2].Get(15, i);
            if (std::isnan(statistic))
                EXPECT_TRUE(std::isnan(newStatistic)) << k << " " << i;
            else
                EXPECT_NEAR(newStatistic, statistic, 1e-6 * std::fabs(statistic)) << k << " " << i;
            EXPECT_NEAR(newP, p, p >= 1e-10f ? 1e-6 * p : 1e-10) << k << " " << i;
        }
    }
}

} // namespace
