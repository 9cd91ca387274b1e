#include "pvaluefilters.h"

#include "grouptestdata.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(CountSignificantProbes, CountsShownPBelowAlpha) {
    auto data = MakeDataSet(1, 3, 5);
    SetSlot(*data, 1, 3, 17,
            {0.009f, 0.01f, 1.0f, std::numeric_limits<float>::quiet_NaN(), 1e-30f});
    auto stat = std::make_unique<tStat>();
    stat->Alpha = 0.01f;
    EXPECT_EQ(CountSignificantProbes(*stat, *data), "");
    EXPECT_EQ(stat->SignificantCount, 2);
}

// Chromosome 1 with 20 probes whose p-values (slot 15) are 0.5 except those given.
std::unique_ptr<tCGH_DataSet> WithPValues(const std::vector<std::pair<int, float>>& significant,
                                          int probes = 20) {
    auto data = MakeDataSet(1, 1, probes);
    std::vector<float> p(static_cast<size_t>(probes), 0.5f);
    for (const auto& [i, v] : significant) p[static_cast<size_t>(i) - 1] = v;
    SetSlot(*data, 1, 1, 15, p);
    SetSlot(*data, 1, 1, 17, std::vector<float>(static_cast<size_t>(probes), 0.25f));
    return data;
}

std::vector<int> ShownProbes(const tCGH_DataSet& data) {
    std::vector<int> shown;
    const auto p = GetSlot(data, 1, 1, 17);
    for (size_t i = 0; i < p.size(); ++i)
        if (p[i] != 1.0f) shown.push_back(static_cast<int>(i) + 1);
    return shown;
}

TEST(WindowPValueFilter, KeepsProbesWithEnoughSignificantNeighbours) {
    // 9..11 significant (one exactly at alpha, which the filter keeps), 14 alone, and the first
    // and last two probes whose windows would leave the chromosome.
    auto data = WithPValues({{1, 0.001f},
                             {2, 0.001f},
                             {3, 0.001f},
                             {9, 0.001f},
                             {10, 0.01f},
                             {11, 0.001f},
                             {14, 0.001f},
                             {18, 0.001f},
                             {19, 0.001f},
                             {20, 0.001f}});
    MemoryLog log;
    WindowPValueFilter(*data, 0.01f, 5, 3, &log);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{3, 9, 10, 11, 18}));
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"CID=1 OID=3 #=3", "CID=1 OID=9 #=3", "CID=1 OID=10 #=3",
                                        "CID=1 OID=11 #=3", "CID=1 OID=18 #=3"}));
    EXPECT_EQ(data->Hyb[1].Chr[1].Get(17, 10), 0.01f);
    EXPECT_EQ(data->Hyb[1].Chr[1].Get(17, 14), 1.0f);
}

TEST(WindowPValueFilter, MinCountIsCappedAtTheWindow) {
    auto data = WithPValues({{5, 0.001f}, {6, 0.001f}, {7, 0.001f}, {8, 0.001f}, {9, 0.001f}});
    WindowPValueFilter(*data, 0.01f, 5, 9, nullptr);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{7}));
    // An even width reaches as far as the next odd one; the minimum is capped at the width, 4.
    WindowPValueFilter(*data, 0.01f, 4, 5, nullptr);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{6, 7, 8}));
}

TEST(WindowPValueFilter, BadParametersDoNothing) {
    auto data = WithPValues({{5, 0.001f}});
    const auto before = GetSlot(*data, 1, 1, 17);
    for (const auto& [window, minCount] :
         std::vector<std::pair<int, int>>{{0, 3}, {5, 0}, {-5, 3}, {5, -1}}) {
        WindowPValueFilter(*data, 0.01f, window, minCount, nullptr);
        EXPECT_EQ(GetSlot(*data, 1, 1, 17), before);
    }
    // A window wider than the chromosome keeps nothing and reads nothing outside it.
    WindowPValueFilter(*data, 1.0f, 41, 1, nullptr);
    EXPECT_TRUE(ShownProbes(*data).empty());
    WindowPValueFilter(*data, 1.0f, std::numeric_limits<int32_t>::max(), 1, nullptr);
    EXPECT_TRUE(ShownProbes(*data).empty());
}

// A matrix of genes (chromosome, start, stop, p-value).
struct Gene {
    int chr, start, stop;
    float p;
};
std::unique_ptr<tHeatmap> WithGenes(const std::vector<Gene>& genes) {
    auto h = std::make_unique<tHeatmap>();
    const int n = static_cast<int>(genes.size());
    h->GeneCount = n;
    h->SampleCount = 1;
    h->Data.assign(3, std::vector<float>(static_cast<size_t>(n) + 2, 1.0f));
    h->GAnno.resize(static_cast<size_t>(n) + 2);
    for (int g = 1; g <= n; ++g) {
        const Gene& x = genes[static_cast<size_t>(g) - 1];
        h->GAnno[g].Chr = x.chr;
        h->GAnno[g].Start = x.start;
        h->GAnno[g].Stop = x.stop;
        h->Data[0][g] = x.p;
    }
    return h;
}

TEST(GeneProximityPValueFilter, KeepsSignificantProbesNearSignificantGenes) {
    // Probe i spans 1000 i .. 1000 i + 500. All probes significant.
    auto data = WithPValues({}, 20);
    SetSlot(*data, 1, 1, 15, std::vector<float>(20, 0.001f));
    // Distance 0: overlap only. 5500..7000 touches probes 5 (its end), 6 and 7 (its start).
    auto h = WithGenes({{1, 5500, 7000, 0.001f},
                        {1, 15000, 16000, 0.5f},
                        {25, 1, 99999, 0.0f},
                        {0, 1, 99999, 0.0f}});
    GeneProximityPValueFilter(*data, *h, 0.01f, 0.01f, 0, 1);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{5, 6, 7}));
    GeneProximityPValueFilter(*data, *h, 0.01f, 0.01f, 999, 1);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{5, 6, 7}));
    GeneProximityPValueFilter(*data, *h, 0.01f, 0.01f, 1000, 1);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{4, 5, 6, 7, 8}));
    // Too few probes near the gene for the minimum count.
    GeneProximityPValueFilter(*data, *h, 0.01f, 0.01f, 0, 4);
    EXPECT_TRUE(ShownProbes(*data).empty());
    // Probes that are not significant are not collected.
    data->Hyb[1].Chr[1].Set(15, 6, 0.5f);
    GeneProximityPValueFilter(*data, *h, 0.01f, 0.01f, 0, 1);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{5, 7}));
}

TEST(GeneProximityPValueFilter, UnsortedProbesGiveTheSameMarks) {
    auto sorted = WithPValues({}, 30);
    auto shuffled = WithPValues({}, 30);
    std::vector<float> start, end, p;
    for (int k = 0; k < 30; ++k) {
        const int i = (k * 7) % 30 + 1; // a permutation of 1..30
        start.push_back(1000.0f * i);
        end.push_back(1000.0f * i + 500.0f + (i == 3 ? 27000.0f : 0.0f));
        p.push_back(i % 4 == 0 ? 0.5f : 0.001f);
    }
    SetSlot(*shuffled, 1, 1, 2, start);
    SetSlot(*shuffled, 1, 1, 3, end);
    SetSlot(*shuffled, 1, 1, 15, p);
    for (int i = 1; i <= 30; ++i) {
        sorted->Hyb[1].Chr[1].Set(3, i, 1000.0f * i + 500.0f + (i == 3 ? 27000.0f : 0.0f));
        sorted->Hyb[1].Chr[1].Set(15, i, i % 4 == 0 ? 0.5f : 0.001f);
    }
    auto h = WithGenes({{1, 12000, 14200, 0.001f}, {1, 25100, 25200, 0.001f}});
    GeneProximityPValueFilter(*sorted, *h, 0.01f, 0.01f, 100, 2);
    GeneProximityPValueFilter(*shuffled, *h, 0.01f, 0.01f, 100, 2);
    // Probe 3 reaches far to the right: it joins 13 and 14 near the first gene (12 is not
    // significant) and gives probe 25 the company it needs near the second.
    const std::vector<int> expected = {3, 13, 14, 25};
    EXPECT_EQ(ShownProbes(*sorted), expected);
    std::vector<int> shownShuffled;
    const auto marks = GetSlot(*shuffled, 1, 1, 17);
    for (int k = 0; k < 30; ++k)
        if (marks[static_cast<size_t>(k)] != 1.0f) shownShuffled.push_back((k * 7) % 30 + 1);
    std::sort(shownShuffled.begin(), shownShuffled.end());
    EXPECT_EQ(shownShuffled, expected);
}

TEST(GeneProximityPValueFilter, BoundsAndBadParameters) {
    auto data = WithPValues({{5, 0.001f}});
    auto h = WithGenes({{1, 0, 100000, 0.001f}});
    // A minimum count below 1 clears the marks too and takes at least one probe.
    data->Hyb[1].Chr[1].Set(17, 3, 0.002f);
    GeneProximityPValueFilter(*data, *h, 0.01f, 0.01f, 0, 0);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{5}));
    // A gene count beyond the matrix's arrays reads only what exists.
    h->GeneCount = 1000;
    GeneProximityPValueFilter(*data, *h, 0.01f, 0.01f, 0, 1);
    EXPECT_EQ(ShownProbes(*data), (std::vector<int>{5}));
    // No genes: every mark is cleared.
    h->GeneCount = 0;
    GeneProximityPValueFilter(*data, *h, 0.01f, 0.01f, 0, 1);
    EXPECT_TRUE(ShownProbes(*data).empty());
}

} // namespace
