#include "conditionplots.h"
#include "genefilters.h"
#include "imputation.h"
#include "matrixnormalise.h"
#include "random.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {

constexpr float N = NAN;

AnalysisMatrix Matrix(int genes, int conditions, std::vector<float> values) {
    AnalysisMatrix m;
    m.Resize(genes, conditions);
    m.Values = std::move(values);
    return m;
}

std::vector<float> Row(const AnalysisMatrix& m, int g) {
    return std::vector<float>(m.Row(g), m.Row(g) + m.ConditionCount);
}

// Compares with NaN equal to NaN.
void ExpectRow(const AnalysisMatrix& m, int g, const std::vector<float>& expected) {
    const std::vector<float> row = Row(m, g);
    ASSERT_EQ(row.size(), expected.size());
    for (size_t c = 0; c < row.size(); ++c) {
        if (std::isnan(expected[c]))
            EXPECT_TRUE(std::isnan(row[c])) << "gene " << g << " column " << c + 1;
        else
            EXPECT_FLOAT_EQ(row[c], expected[c]) << "gene " << g << " column " << c + 1;
    }
}

TEST(MatrixNormalise, PoolsDivideOrCentreTheTargetsGeneByGene) {
    struct Case {
        const char* what;
        std::vector<float> row; // column 1 the target, 2..4 the pool
        PoolAverage average;
        bool centre, self;
        std::vector<float> expected;
    };
    const Case cases[] = {
        {"an all-0 pool divides by 1", {6, 0, 0, 0}, PoolAverage::Mean, false, true, {6, 0, 0, 0}},
        {"median centring of 1, 2, 9",
         {10, 1, 2, 9},
         PoolAverage::Median,
         true,
         true,
         {8, -1, 0, 7}},
        {"geometric mean, targets only",
         {12, 2, 8, -3},
         PoolAverage::Geometric,
         false,
         false,
         {3, 2, 8, -3}},
        {"a missing pool value is skipped",
         {6, 2, N, 4},
         PoolAverage::Mean,
         false,
         false,
         {2, 2, N, 4}},
        {"a missing target stays missing",
         {N, 2, 2, 2},
         PoolAverage::Mean,
         false,
         false,
         {N, 2, 2, 2}},
        {"a subnormal reference divides by 1",
         {6, 1e-40f, 1e-40f, 1e-40f},
         PoolAverage::Mean,
         false,
         false,
         {6, 1e-40f, 1e-40f, 1e-40f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AnalysisMatrix m = Matrix(1, 4, c.row);
        std::vector<int32_t> targets{1}, pool{2, 3, 4, 9}; // column 9 lies outside
        if (c.self) targets.insert(targets.end(), pool.begin(), pool.end());
        NormaliseHybridisationPools(m, targets, pool, c.average, c.centre, nullptr);
        ExpectRow(m, 1, c.expected);
    }

    AnalysisMatrix m = Matrix(2, 3, {2, 6, 1, N, 4, 5});
    NormaliseVirtualPool(m, std::vector<int32_t>{1, 2}, PoolAverage::Mean, false, nullptr);
    ExpectRow(m, 1, {0.5f, 1.5f, 1});
    ExpectRow(m, 2, {N, 1, 5}); // the pool of gene 2 is its one present value
    NormaliseVirtualPool(m, std::vector<int32_t>{1, 2, 3}, PoolAverage::Mean, true, nullptr);
    ExpectRow(m, 1, {-0.5f, 0.5f, 0});

    m.FirstConditionNumber = 5;
    EXPECT_EQ(MemberColumns(m, "7,5,8,4,x,,6"), (std::vector<int32_t>{3, 1, 2}));
}

TEST(MatrixNormalise, TotalIntensityScalesEachGroupByItsOwnAverage) {
    AnalysisMatrix m = Matrix(2, 4, {40, 100, 10, 1, 60, 200, N, 2});
    m.AnnotationColumnCount = 0; // data column c has header column c
    m.HeaderCells = {{}, {"", "A"}, {"", "B"}, {"", "C"}, {"", "D"}};
    // Column 4 has no group entry and is not read.
    const std::vector<int32_t> groups{0, 1, 1, 2};
    MemoryLog log;
    NormaliseTotalIntensity(m, groups, 3, &log);
    ExpectRow(m, 1, {80, 100 / 1.5f, 10, 1});
    ExpectRow(m, 2, {120, 200 / 1.5f, N, 2});

    const std::vector<std::string> expected{
        "",
        "Adjust data - Total intensity normalisation in Conditions",
        std::string(57, '='),
        "Normalising group #1",
        "Condition #\tCondition name\tTotal intensity",
        "1\tA\t       100",
        "2\tB\t       300",
        "Average total intensity=       200",
        "Condition #\tCondition name\tScaling factor",
        "1\tA\t     0.500",
        "2\tB\t     1.500",
        "",
        "Normalising group #2",
        "Condition #\tCondition name\tTotal intensity",
        "3\tC\t        10",
        "Average total intensity=        10",
        "Condition #\tCondition name\tScaling factor",
        "3\tC\t     1.000",
        "",
        "Normalising group #3",
        "Condition #\tCondition name\tTotal intensity",
        "Average total intensity=         1",
        "Condition #\tCondition name\tScaling factor",
        "",
    };
    ASSERT_EQ(log.lines.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(log.lines[i], expected[i]) << i;
    EXPECT_EQ(log.lines.back().size(), std::string("     0.000s elapsed time.").size());
    EXPECT_TRUE(log.lines.back().ends_with("s elapsed time."));
}

TEST(GeneFilters, MatchesRemoveInOrderAndSignsSwap) {
    const AnalysisMatrix m = Matrix(4, 3, {N, N, 1, 1, 2, 3, N, 5, 6, 0, 0, N});
    struct Case {
        GeneFilter filter;
        std::vector<std::vector<int32_t>> groups;
        double threshold;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        {GeneFilter::MissingValues, {{1, 2, 3}}, 1, {1, 0, 0, 0}},
        {GeneFilter::MissingValues, {{1, 2, 3}, {}}, 0.5, {1, 0, 1, 1}},
        {GeneFilter::Median, {{1, 2}, {3}}, 1, {1, 0, 0, 1}},
        {GeneFilter::Mean, {{}, {3, 7}}, 1, {1, 0, 0, 1}}, // the empty group is left out
        {GeneFilter::Mean, {{}, {}}, 1, {0, 0, 0, 0}},     // nothing assigned: no gene
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindFilteredGenes(m, c.filter, c.groups, c.threshold, nullptr), c.expected);

    AnalysisMatrix kept = m;
    kept.Annotation = {{"head"}, {"", "a"}, {"", "b"}, {"", "c"}, {"", "d"}};
    RemoveGenes(kept, {1, 0, 0, 1}, nullptr);
    EXPECT_EQ(kept.GeneCount, 2);
    ASSERT_EQ(kept.Values.size(), 6u);
    ExpectRow(kept, 1, {1, 2, 3});
    ExpectRow(kept, 2, {N, 5, 6});
    EXPECT_EQ(kept.Annotation,
              (std::vector<std::vector<std::string>>{{"head"}, {"", "b"}, {"", "c"}}));

    SwapSign(kept, std::vector<int32_t>{1, 9});
    ExpectRow(kept, 1, {-1, 2, 3});
    ExpectRow(kept, 2, {N, 5, 6});
}

TEST(Imputation, EachKindFillsWhatItCanAndCountsTheRest) {
    AnalysisMatrix constant = Matrix(2, 3, {N, 1, N, N, N, N});
    ImputationResult r =
        ImputeMissing(constant, Imputation::Constant, std::vector<int32_t>{1, 3}, 7, nullptr);
    ExpectRow(constant, 1, {7, 1, 7});
    ExpectRow(constant, 2, {7, N, 7});
    EXPECT_EQ(r.Replaced, 4);
    EXPECT_EQ(r.Considered, 4);
    EXPECT_EQ(r.RowsImputed, 2);

    AnalysisMatrix average = Matrix(2, 3, {N, 1, 4, N, N, N});
    r = ImputeMissing(average, Imputation::RowAverage, std::vector<int32_t>{1, 2, 3}, 0, nullptr);
    ExpectRow(average, 1, {2.5f, 1, 4});
    ExpectRow(average, 2, {N, N, N});
    EXPECT_EQ(r.RowsImputed, 1);
    EXPECT_EQ(r.RowsLeft, 1);

    // Hot deck draws from the process-wide generator: a reset repeats the draws.
    const AnalysisMatrix wide = Matrix(1, 8, {1, N, 3, N, N, 6, N, N});
    std::vector<AnalysisMatrix> runs(2, wide);
    for (AnalysisMatrix& run : runs) {
        ResetRandom();
        ImputeMissing(run, Imputation::HotDeck, std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8}, 0,
                      nullptr);
    }
    EXPECT_EQ(runs[0].Values, runs[1].Values);
    for (float v : runs[0].Values) EXPECT_TRUE(v == 1 || v == 3 || v == 6) << v;

    // Nearest genes over the marked columns 1..3: genes 2 and 3 are complete there.
    AnalysisMatrix nearest = Matrix(4, 4, {1, 2, N, N, 1, 2, 10, 100, 1, 2, 30, N, 5, 5, N, 1});
    r = ImputeMissing(nearest, Imputation::NearestGenes, std::vector<int32_t>{1, 2, 3}, 0, nullptr);
    ExpectRow(nearest, 1, {1, 2, 20, 100}); // gene 3's missing value in column 4 is skipped
    ExpectRow(nearest, 2, {1, 2, 10, 100});
    ExpectRow(nearest, 3, {1, 2, 30, N}); // complete in the marked columns: not a target
    ExpectRow(nearest, 4, {5, 5, 20, 1});
    EXPECT_EQ(r.Replaced, 3);
    EXPECT_EQ(r.Considered, 16);
    EXPECT_EQ(r.RowsImputed, 2);
    EXPECT_EQ(r.RowsLeft, 0);

    // Without complete genes nothing is filled: the genes stay missing and are counted.
    AnalysisMatrix none = Matrix(2, 2, {1, N, N, 2});
    r = ImputeMissing(none, Imputation::NearestGenes, std::vector<int32_t>{1, 2}, 0, nullptr);
    ExpectRow(none, 1, {1, N});
    EXPECT_EQ(r.Replaced, 0);
    EXPECT_EQ(r.RowsLeft, 2);

    // Eleven candidates at one distance: the ten earliest are the neighbours.
    std::vector<float> ties{0, N};
    for (int h = 1; h <= 11; ++h) ties.insert(ties.end(), {0, static_cast<float>(h)});
    AnalysisMatrix tied = Matrix(12, 2, ties);
    ImputeMissing(tied, Imputation::NearestGenes, std::vector<int32_t>{1, 2}, 0, nullptr);
    EXPECT_FLOAT_EQ(tied.At(1, 2), 5.5f);
}

TEST(ConditionPlots, SeriesPassMissingValuesAsZero) {
    const AnalysisMatrix m = Matrix(2, 3, {1, N, 5, 2, 4, 6});
    EXPECT_EQ(GroupMeanValues(m, std::vector<int32_t>{1, 2}), (std::vector<float>{0.5f, 3}));
    EXPECT_EQ(GroupMeanValues(m, std::vector<int32_t>{3, 1, 9}), (std::vector<float>{3, 4}));
    EXPECT_EQ(GroupMeanValues(m, std::vector<int32_t>{}), (std::vector<float>{0, 0}));
    EXPECT_EQ(ColumnValues(m, 2), (std::vector<float>{0, 4}));
    EXPECT_EQ(ColumnValues(m, 4), (std::vector<float>{0, 0}));

    std::vector<float> x, y;
    RatioIntensity(std::vector<float>{2, 4, -1, 0}, std::vector<float>{1, 0, 1, 5}, x, y);
    EXPECT_EQ(x, (std::vector<float>{std::sqrt(2.0f), 0, 1, 0}));
    EXPECT_FLOAT_EQ(y[0], std::log(2.0f));
    EXPECT_EQ(y[1], 0.0f); // b = 0: the ratio counts as 1
    EXPECT_FLOAT_EQ(y[2], std::log(0.001f));
    EXPECT_FLOAT_EQ(y[3], std::log(0.001f));
}

TEST(ConditionPlots, ScanCellsOfEachKind) {
    // Genes as rows (a, b): a missing a, b = 0, a product below 1, extremes of the single range.
    const AnalysisMatrix m =
        Matrix(6, 2, {4, 1, N, 2, 3, 0, 0.5f, 1, 3e38f, 3e38f, 3e38f, -1e-38f});
    const std::vector<int32_t> columns{1, 2};
    const auto plain = ScanColumns(m, columns, 1);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[0], (std::vector<float>{4, 0, 3, 0.5f, 3e38f, 3e38f}));
    const auto quantiles = ScanColumns(m, columns, 3);
    EXPECT_EQ(quantiles[0], (std::vector<float>{0, 0.5f, 3, 4, 3e38f, 3e38f}));
    EXPECT_EQ(quantiles[1], (std::vector<float>{-1e-38f, 0, 1, 1, 2, 3e38f}));

    std::vector<float> x(6), y(6);
    ScanCellSeries(1, plain[0], plain[1], x.data(), y.data());
    EXPECT_EQ(x, plain[0]);
    EXPECT_EQ(y, plain[1]);
    ScanCellSeries(2, plain[0], plain[1], x.data(), y.data());
    EXPECT_EQ(y, (std::vector<float>{2, 0, 0, -1, 0, 0})); // b = 0 and ratios not above 0 give 0
    EXPECT_EQ(x, (std::vector<float>{4, 1, 1, 1, FLT_MAX, 1}));
}

} // namespace
