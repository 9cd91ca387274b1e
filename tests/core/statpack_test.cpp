#include "numbers.h"
#include "statpack.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

TEST(PowerLog, FailureValuesHaveTheirBitPatterns) {
    EXPECT_EQ(std::bit_cast<uint32_t>(kPowerSFailure), 0x7F7843B0u);
    EXPECT_EQ(kPowerSFailure, 3.3e38f);
    EXPECT_EQ(std::bit_cast<uint32_t>(kLog2SFailure), 0x001E7D43u);
    EXPECT_EQ(kLog2SFailure, 2.8000003e-39f);
}

TEST(PowerLog, PowerSComputesOrReturnsTheFailureValue) {
    EXPECT_FLOAT_EQ(PowerS(2, 10), 1024);
    EXPECT_FLOAT_EQ(PowerS(10, -2), 0.01f);
    EXPECT_FLOAT_EQ(PowerS(9, 0.5f), 3);
    EXPECT_EQ(PowerS(0, 2), kPowerSFailure);
    EXPECT_EQ(PowerS(-8, 3), kPowerSFailure);
    EXPECT_EQ(PowerS(10, 39), kPowerSFailure); // beyond the float range
    EXPECT_LT(PowerS(10, 38), kPowerSFailure);
    EXPECT_EQ(PowerS(kNaN, 1), kPowerSFailure);
    EXPECT_EQ(PowerS(kInf, 0), kPowerSFailure); // inf * 0 is invalid
}

TEST(PowerLog, LogarithmsHandleNonPositiveArguments) {
    EXPECT_EQ(Log2S(8), 3.0f);
    EXPECT_FLOAT_EQ(Log2S(0.25f), -2);
    EXPECT_EQ(Log2S(0), kLog2SFailure);
    EXPECT_EQ(Log2S(-3), kLog2SFailure);
    EXPECT_EQ(Log2S(kNaN), kLog2SFailure);
    EXPECT_FLOAT_EQ(LogBaseS(10, 1000), 3);
    EXPECT_FLOAT_EQ(LogBaseS(2, 0.5f), -1);
    EXPECT_EQ(LogBaseS(10, 0), 0.0f);
    EXPECT_EQ(LogBaseS(10, -1), 0.0f);
    EXPECT_EQ(LogBaseS(1, 5), 0.0f);
    EXPECT_EQ(LogBaseS(0, 5), 0.0f);
    EXPECT_EQ(LogBaseS(-10, 5), 0.0f);
}

TEST(PowerLog, NoNaNReachesAnIntegerConversion) {
    // The group tests bin -100 LogBaseS(10, p) into a histogram.
    const float odd[] = {kNaN, kInf, -kInf, 0.0f, -0.0f, -1.0f, 1.0f, 1e-45f};
    for (float x : odd) {
        for (float y : odd) {
            EXPECT_FALSE(std::isnan(PowerS(x, y))) << x << " " << y;
            EXPECT_FALSE(std::isnan(LogBaseS(x, y))) << x << " " << y;
        }
        EXPECT_FALSE(std::isnan(Log2S(x))) << x;
    }
}

TEST(SplitFileName, SplitsDirectoryNameAndExtension) {
    std::string dir, name, ext;
    SplitFileName("/data/run1/sample.txt", dir, name, ext);
    EXPECT_EQ(dir, "/data/run1/");
    EXPECT_EQ(name, "sample");
    EXPECT_EQ(ext, ".txt");
    SplitFileName("C:\\prof\\a.b.prf", dir, name, ext);
    EXPECT_EQ(dir, "C:\\prof\\");
    EXPECT_EQ(name, "a.b");
    EXPECT_EQ(ext, ".prf");
    SplitFileName("dir.d/noext", dir, name, ext);
    EXPECT_EQ(dir, "dir.d/");
    EXPECT_EQ(name, "noext");
    EXPECT_EQ(ext, "");
    SplitFileName("x.txt.y.txt", dir, name, ext);
    EXPECT_EQ(dir, "");
    EXPECT_EQ(name, "x"); // cut before the first ".txt"
    EXPECT_EQ(ext, ".txt");
}

std::vector<tQuadRecord> Records(const std::vector<float>& keys) {
    std::vector<tQuadRecord> r(keys.size() + 1);
    for (size_t i = 0; i < keys.size(); ++i) r[i + 1] = {static_cast<float>(i + 1), keys[i], 0, 0};
    return r;
}

std::vector<float> Field(const std::vector<tQuadRecord>& r, int f) {
    std::vector<float> out;
    for (size_t i = 1; i < r.size(); ++i) out.push_back(r[i][f]);
    return out;
}

TEST(Sorting, QuadRecordsKeepTiesInInputOrderBothWays) {
    auto r = Records({5, 1, 5, 3, 1, 5});
    SortQuadRecords(r, 1, 1, 6, 1);
    EXPECT_EQ(Field(r, 1), (std::vector<float>{1, 1, 3, 5, 5, 5}));
    EXPECT_EQ(Field(r, 0), (std::vector<float>{2, 5, 4, 1, 3, 6}));
    for (int descending : {0, 2, -1}) {
        r = Records({5, 1, 5, 3, 1, 5});
        SortQuadRecords(r, 1, 1, 6, descending);
        EXPECT_EQ(Field(r, 1), (std::vector<float>{5, 5, 5, 3, 1, 1}));
        EXPECT_EQ(Field(r, 0), (std::vector<float>{1, 3, 6, 4, 2, 5}));
    }
    // Long enough that an unstable sort would reorder ties.
    std::vector<float> keys;
    for (int i = 0; i < 5000; ++i) keys.push_back(static_cast<float>((i * 7919) % 13));
    r = Records(keys);
    SortQuadRecords(r, 1, 1, 5000, 1);
    for (size_t i = 2; i < r.size(); ++i) {
        ASSERT_LE(r[i - 1][1], r[i][1]);
        if (r[i - 1][1] == r[i][1]) {
            ASSERT_LT(r[i - 1][0], r[i][0]) << i;
        }
    }
}

TEST(Sorting, SortsOnlyTheRangeAndIgnoresBadArguments) {
    std::vector<float> a = {9, 4, 3, 2, 1, 0};
    SortSingles(a, 2, 4, 1);
    EXPECT_EQ(a, (std::vector<float>{9, 4, 1, 2, 3, 0}));
    SortSingles(a, 1, 100, 1); // hi clamped to the array
    EXPECT_EQ(a, (std::vector<float>{9, 0, 1, 2, 3, 4}));
    SortSingles(a, 4, 2, 0); // empty range
    EXPECT_EQ(a, (std::vector<float>{9, 0, 1, 2, 3, 4}));
    auto r = Records({3, 2, 1});
    const auto before = r;
    SortQuadRecords(r, 4, 1, 3, 1);
    SortQuadRecords(r, -1, 1, 3, 1);
    EXPECT_EQ(r, before);
    SortQuadRecords(r, 0, 1, 3, 0); // by the other field
    EXPECT_EQ(Field(r, 0), (std::vector<float>{3, 2, 1}));
}

TEST(Sorting, NaNKeysSortLastInsteadOfBreakingTheOrder) {
    std::vector<float> a = {0, 2, kNaN, 1, kNaN, 0.5f};
    SortSingles(a, 1, 5, 1);
    EXPECT_EQ(a[1], 0.5f);
    EXPECT_EQ(a[2], 1);
    EXPECT_EQ(a[3], 2);
    EXPECT_TRUE(std::isnan(a[4]) && std::isnan(a[5]));
}

TEST(Sorting, MillionsOfEqualOrDescendingKeys) {
    const int n = 2000000;
    std::vector<float> equal(n + 1, 7.0f);
    SortSingles(equal, 1, n, 1);
    EXPECT_EQ(equal[n], 7.0f);
    std::vector<float> down(n + 1);
    for (int i = 1; i <= n; ++i) down[i] = static_cast<float>(n - i);
    SortSingles(down, 1, n, 1);
    EXPECT_TRUE(std::is_sorted(down.begin() + 1, down.end()));
    std::vector<tQuadRecord> recs(n + 1);
    for (int i = 1; i <= n; ++i) recs[i] = {static_cast<float>(i), 1.0f, 0, 0};
    SortQuadRecords(recs, 1, 1, n, 0);
    for (int i = 1; i <= n; ++i) ASSERT_EQ(recs[i][0], static_cast<float>(i));
}

TEST(Statistics, MeanAndGeometricMean) {
    const std::vector<float> a = {99, 2, 4, 9};
    EXPECT_EQ(MeanS(a, 0), 0.0f);
    EXPECT_EQ(MeanS(a, 1), 2.0f);
    EXPECT_EQ(MeanS(a, 3), 5.0f);
    EXPECT_EQ(MeanS(a, 50), 5.0f); // a count beyond the array is clamped
    // A float sum would lose every 1 against 1e8.
    std::vector<float> b(1003, 1.0f);
    b[1] = 1e8f;
    b[1002] = -1e8f;
    EXPECT_FLOAT_EQ(MeanS(b, 1002), 1000.0f / 1002);

    EXPECT_FLOAT_EQ(GeoMeanS(std::vector<float>{0, 1, 4, 16}, 3), 4);
    EXPECT_FLOAT_EQ(GeoMeanS(std::vector<float>{0, -1, 2, 8, 0}, 4), 4); // non-positive skipped
    EXPECT_EQ(GeoMeanS(std::vector<float>{0, -1, 0}, 2), 0.0f);
    EXPECT_EQ(GeoMeanS(std::vector<float>{0, -3}, 1), -3.0f);
    EXPECT_EQ(GeoMeanS(std::vector<float>{0}, 5), 0.0f);
}

TEST(Statistics, VarianceAndStandardDeviation) {
    const std::vector<float> a = {0, 2, 4, 4, 4, 5, 5, 7, 9};
    EXPECT_DOUBLE_EQ(static_cast<double>(VarianceAbout(a, 8, 5)), 32.0 / 7);
    EXPECT_DOUBLE_EQ(static_cast<double>(StdDevAbout(a, 8, 5)), std::sqrt(32.0 / 7));
    EXPECT_DOUBLE_EQ(static_cast<double>(VarianceAbout(a, 1, 5)), 9.0); // divided by 1
    EXPECT_EQ(VarianceAbout(a, 0, 5), 0.0L);
    EXPECT_EQ(StdDevAbout(a, 1, 5), 0.0L);
    const std::vector<float> same = {0, 3.25f, 3.25f};
    EXPECT_EQ(StdDevAbout(same, 2, MeanS(same, 2)), 0.0L);
}

TEST(Statistics, MedianSortsTheCallersArray) {
    std::vector<float> a = {0, 3, 1, 2};
    EXPECT_EQ(MedianS(a, 3), 2.0f);
    EXPECT_EQ(a, (std::vector<float>{0, 1, 2, 3}));
    std::vector<float> b = {42, 7, 1, 4, 2};
    EXPECT_EQ(MedianS(b, 4), 3.0f);
    EXPECT_EQ(b[0], 42.0f); // element 0 untouched
    EXPECT_EQ(MedianS(b, 0), 0.0f);
    std::vector<float> c = {0, 5, 9, 1};
    EXPECT_EQ(QuantileS(c, 3, 1), 1.0f);
    EXPECT_EQ(QuantileS(c, 3, 3), 9.0f);
    EXPECT_EQ(QuantileS(c, 3, 7), 9.0f); // k clamped to n
    EXPECT_EQ(MedianS(c, 1000), 5.0f);

    // The selecting median agrees with the sorting one, NaN included, and leaves element 0.
    const std::vector<std::vector<float>> inputs = {
        {9, 3, 1, 2}, {9, 7, 1, 4, 2}, {9, 5}, {9, 2, NAN, 1}, {9, 6, 6, 1, 6, 8, 2}};
    for (const auto& input : inputs) {
        std::vector<float> sorted = input, selected = input;
        const int32_t n = static_cast<int32_t>(input.size()) + 1; // clamped to the array
        EXPECT_EQ(SelectMedianS(selected, n), MedianS(sorted, n));
        EXPECT_EQ(selected[0], 9.0f);
    }
    std::vector<float> none{1};
    EXPECT_EQ(SelectMedianS(none, 3), 0.0f);
}

} // namespace
