#include "cghtestdata.h"
#include "cghtransforms.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

using Lines = std::vector<std::string>;

struct Window {
    float mean, sd;
};

// Direct sums over the window of probe i (1-based) with the given weights; the SD is
// unweighted about the weighted mean and divides by the window's probe count.
Window DirectWindow(const std::vector<float>& x, int i, const std::vector<double>& w) {
    const int half = static_cast<int>(w.size()) / 2;
    long double sum = 0.0L, weightSum = 0.0L;
    for (int k = 0; k < static_cast<int>(w.size()); ++k) {
        sum += static_cast<long double>(w[k]) * x[static_cast<size_t>(i - half - 1 + k)];
        weightSum += w[k];
    }
    const long double mean = sum / weightSum;
    long double deviations = 0.0L;
    for (int k = 0; k < static_cast<int>(w.size()); ++k) {
        const long double d = mean - x[static_cast<size_t>(i - half - 1 + k)];
        deviations += d * d;
    }
    return {static_cast<float>(mean), static_cast<float>(std::sqrt(deviations / w.size()))};
}

std::vector<double> Flat(int width) {
    return std::vector<double>(static_cast<size_t>(width / 2 * 2 + 1), 1.0);
}

// Slots 12 and 13 preset to a mark, to see which probes a smoother filled.
tCGHProbeArray& Smoothable(tCGH_DataSet& data, int h, int chr, const std::vector<float>& x) {
    tCGHProbeArray& a = SetProbes(data, h, chr, 11, x);
    for (int i = 1; i <= a.Count(); ++i) a.Set(12, i, -7.0f), a.Set(13, i, -7.0f);
    return a;
}

void ExpectWindow(const tCGHProbeArray& a, int i, Window w) {
    EXPECT_FLOAT_EQ(a.Get(12, i), w.mean) << "probe " << i;
    EXPECT_FLOAT_EQ(a.Get(13, i), w.sd) << "probe " << i;
}

void ExpectUntouched(const tCGHProbeArray& a, std::initializer_list<int> probes) {
    for (int i : probes) {
        EXPECT_EQ(a.Get(12, i), -7.0f) << "probe " << i;
        EXPECT_EQ(a.Get(13, i), -7.0f) << "probe " << i;
    }
}

TEST(SmoothCGHData, Width5FillsTheInnerProbesAndReports) {
    auto data = std::make_unique<tCGH_DataSet>();
    const std::vector<float> x{3, 1, 4, 1, 5, 9, 2, 6, 5, 3};
    const tCGHProbeArray& a = Smoothable(*data, 1, 1, x);
    data->HNum = 1;
    MemoryLog log;

    SmoothCGHData(*data, 5, &log);

    // Probes 3..7: probe 8 would fit a window but is left like the leading edge.
    ExpectWindow(a, 3, {14.0f / 5, static_cast<float>(std::sqrt(12.8 / 5))});
    for (int i = 4; i <= 7; ++i) ExpectWindow(a, i, DirectWindow(x, i, Flat(5)));
    ExpectUntouched(a, {1, 2, 8, 9, 10});
    EXPECT_EQ(a.Get(11, 3), 4.0f);
    EXPECT_EQ(MaskTime(log.lines), (Lines{"", "Process: Smooth data", std::string(22, '='),
                                          "Filter width = 5", "<t>s elapsed time"}));
}

TEST(SmoothCGHData, EvenWidthsDivideByTheProbesInTheWindow) {
    auto data = std::make_unique<tCGH_DataSet>();
    const tCGHProbeArray& a = Smoothable(*data, 1, 2, {1, 2, 6, 4, 0});
    const tCGHProbeArray& b = Smoothable(*data, 2, 2, {1, 2, 6, 4, 0});
    data->HNum = 1;

    SmoothCGHData(*data, 2, nullptr);
    // Width 2 averages three probes and divides by 3, not by 2.
    ExpectWindow(a, 2, {3.0f, static_cast<float>(std::sqrt(14.0 / 3))});
    ExpectWindow(a, 3, {4.0f, static_cast<float>(std::sqrt(8.0 / 3))});
    ExpectUntouched(a, {1, 4, 5});

    data->HNum = 2;
    SmoothCGHData(*data, 3, nullptr);
    EXPECT_EQ(Column(b, 12), Column(a, 12)); // width 3 has the same window as width 2
    EXPECT_EQ(Column(b, 13), Column(a, 13));
}

TEST(SmoothCGHData, EachSetUsesItsOwnProbeCount) {
    auto data = std::make_unique<tCGH_DataSet>();
    const std::vector<float> x{1, 2, 3, 4, 5, 6, 7, 8};
    const tCGHProbeArray& longer = Smoothable(*data, 1, 4, x);
    const tCGHProbeArray& shorter = Smoothable(*data, 2, 4, {1, 2, 3, 4, 5, 6});
    const tCGHProbeArray& tooShort = Smoothable(*data, 3, 4, {1, 2, 3, 4, 5});
    data->HNum = 4; // set 4 holds no probes
    MemoryLog log;

    SmoothCGHData(*data, 5, &log);

    for (int i = 3; i <= 5; ++i) ExpectWindow(longer, i, DirectWindow(x, i, Flat(5)));
    ExpectWindow(shorter, 3, {3.0f, static_cast<float>(std::sqrt(2.0))});
    ExpectUntouched(shorter, {1, 2, 4, 5, 6});
    ExpectUntouched(tooShort, {1, 2, 3, 4, 5});
    EXPECT_EQ(MaskTime(log.lines)[4], "Set 4 - no probes");
}

bool Near(float a, float b) {
    const double d = std::fabs(static_cast<double>(a) - b);
    return d <= 1e-6 || d <= 1e-6 * std::fabs(static_cast<double>(b));
}

TEST(SmoothCGHData, RunningSumsMatchTheDirectSums) {
    std::mt19937 rng(7);
    std::normal_distribution<float> noise(0.0f, 1.0f);
    auto data = std::make_unique<tCGH_DataSet>();
    // Long and short chromosomes, an offset far larger than the spread, and steps.
    const std::vector<std::pair<int, float>> shapes{
        {50000, 0.0f}, {3000, 1000.0f}, {37, 5.0f}, {200, -3.0f}};
    std::vector<std::vector<float>> values;
    for (size_t c = 0; c < shapes.size(); ++c) {
        std::vector<float> x;
        for (int i = 0; i < shapes[c].first; ++i)
            x.push_back(shapes[c].second + noise(rng) * (i % 700 < 350 ? 0.1f : 2.0f));
        values.push_back(x);
        Smoothable(*data, 1, static_cast<int>(c) + 1, x);
    }
    data->HNum = 1;
    for (int width : {1, 2, 5, 35, 101}) {
        SmoothCGHData(*data, width, nullptr);
        int mismatches = 0;
        for (size_t c = 0; c < shapes.size(); ++c) {
            const tCGHProbeArray& a = data->Hyb[1].Chr[c + 1];
            for (int i = width / 2 + 1; i <= a.Count() - width / 2 - 1; ++i) {
                const Window w = DirectWindow(values[c], i, Flat(width));
                if (!Near(a.Get(12, i), w.mean) || !Near(a.Get(13, i), w.sd)) ++mismatches;
            }
        }
        EXPECT_EQ(mismatches, 0) << "width " << width;
    }
}

TEST(SmoothCGHData, ANaNOrAHugeValueTouchesOnlyTheWindowsThatHoldIt) {
    std::vector<float> x(400);
    for (size_t i = 0; i < x.size(); ++i) x[i] = float(i % 7) * 0.25f - 0.5f;
    x[99] = std::nanf("");
    x[199] = 1e10f;
    x[299] = -3e38f;
    auto data = std::make_unique<tCGH_DataSet>();
    const tCGHProbeArray& a = Smoothable(*data, 1, 1, x);
    data->HNum = 1;
    for (int width : {4, 35}) {
        SmoothCGHData(*data, width, nullptr);
        const int half = width / 2;
        for (int i = half + 1; i <= a.Count() - half - 1; ++i) {
            const bool holdsNaN = std::abs(i - 100) <= half;
            const Window w = DirectWindow(x, i, Flat(width));
            EXPECT_EQ(std::isnan(a.Get(12, i)), holdsNaN) << "width " << width << " probe " << i;
            EXPECT_EQ(std::isnan(a.Get(13, i)), holdsNaN) << "width " << width << " probe " << i;
            if (holdsNaN) continue;
            EXPECT_TRUE(Near(a.Get(12, i), w.mean)) << "width " << width << " probe " << i;
            EXPECT_TRUE(Near(a.Get(13, i), w.sd)) << "width " << width << " probe " << i;
        }
    }
}

TEST(SmoothingWeights, FlatTriangleAndGaussianWindows) {
    EXPECT_EQ(SmoothingWeights(1, 4), std::vector<double>(5, 1.0));
    EXPECT_EQ(SmoothingWeights(9, 3), std::vector<double>(3, 1.0));
    EXPECT_EQ(SmoothingWeights(3, 3), (std::vector<double>{0.5, 1.0, 0.5}));
    EXPECT_EQ(SmoothingWeights(3, 5), (std::vector<double>{1 / 3.0, 2 / 3.0, 1, 2 / 3.0, 1 / 3.0}));
    EXPECT_EQ(SmoothingWeights(3, 4), SmoothingWeights(3, 5));
    EXPECT_EQ(SmoothingWeights(3, 1), std::vector<double>{1.0});
    EXPECT_TRUE(SmoothingWeights(3, 0).empty());
    // Gaussian, width 5: k = 1 takes table entry 799, k = 2 entry 599; the centre stays 1.
    const double g799 = std::exp(-std::pow(799 * 2.9e-6, 2));
    const double g599 = std::exp(-std::pow(599 * 2.9e-6, 2));
    const std::vector<double> gauss = SmoothingWeights(4, 5);
    ASSERT_EQ(gauss.size(), 5u);
    EXPECT_DOUBLE_EQ(gauss[0], g799);
    EXPECT_DOUBLE_EQ(gauss[1], g599);
    EXPECT_EQ(gauss[2], 1.0);
    EXPECT_EQ(gauss[3], gauss[1]);
    EXPECT_EQ(gauss[4], gauss[0]);
    EXPECT_LT(gauss[0], gauss[1]);
}

TEST(WeightedSmoothCGHData, TriangleWeightsTheMeanButNotTheSD) {
    auto data = std::make_unique<tCGH_DataSet>();
    const std::vector<float> x{3, 0, 6, 3, 3, 9, 0};
    const tCGHProbeArray& a = Smoothable(*data, 1, 1, x);
    data->HNum = 1;
    MemoryLog log;

    WeightedSmoothCGHData(*data, 0, 3, 5, &log);

    // Probe 3: (3/3 + 0 + 6 + 3 * 2/3 + 3/3) / 3 = 10/3; SD about it over the 5 probes.
    const double m = 10.0 / 3;
    const double dev = (m - 3) * (m - 3) * 3 + m * m + (m - 6) * (m - 6);
    ExpectWindow(a, 3, {static_cast<float>(m), static_cast<float>(std::sqrt(dev / 5))});
    ExpectWindow(a, 4, DirectWindow(x, 4, SmoothingWeights(3, 5)));
    ExpectUntouched(a, {1, 2, 5, 6, 7});
    EXPECT_EQ(log.lines, (Lines{"0.333333333333333", "0.666666666666667", "1", "0.666666666666667",
                                "0.333333333333333"}));

    // An even width has the same window and divides by the sum of all five weights.
    log.lines.clear();
    Smoothable(*data, 1, 1, x);
    WeightedSmoothCGHData(*data, 0, 3, 4, &log);
    ExpectWindow(a, 3, {static_cast<float>(m), static_cast<float>(std::sqrt(dev / 5))});
    EXPECT_EQ(log.lines.size(), 5u);
}

TEST(WeightedSmoothCGHData, FlatKindEqualsSmoothingAndGaussianMatchesDirectSums) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> value(-2.0f, 2.0f);
    std::vector<float> x(300);
    for (float& v : x) v = value(rng);
    auto data = std::make_unique<tCGH_DataSet>();
    const tCGHProbeArray& weighted = Smoothable(*data, 1, 6, x);
    const tCGHProbeArray& plain = Smoothable(*data, 2, 6, x);
    data->HNum = 2;

    WeightedSmoothCGHData(*data, 1, 1, 7, nullptr);
    data->HNum = 2;
    SmoothCGHData(*data, 7, nullptr);
    EXPECT_EQ(Column(weighted, 12), Column(plain, 12));
    EXPECT_EQ(Column(weighted, 13), Column(plain, 13));

    const std::vector<double> gauss = SmoothingWeights(4, 21);
    WeightedSmoothCGHData(*data, 1, 4, 21, nullptr);
    for (int i = 11; i <= 289; ++i) {
        const Window w = DirectWindow(x, i, gauss);
        ASSERT_TRUE(Near(weighted.Get(12, i), w.mean)) << i;
        ASSERT_TRUE(Near(weighted.Get(13, i), w.sd)) << i;
    }
}

TEST(WeightedSmoothCGHData, ASlotAboveHNumProcessesTheLastSetOnly) {
    auto data = std::make_unique<tCGH_DataSet>();
    const std::vector<float> x{1, 2, 3, 4, 5};
    for (int h = 1; h <= 3; ++h) Smoothable(*data, h, 1, x);
    data->HNum = 3;

    WeightedSmoothCGHData(*data, 7, 1, 3, nullptr);

    ExpectUntouched(data->Hyb[1].Chr[1], {1, 2, 3, 4, 5});
    ExpectUntouched(data->Hyb[2].Chr[1], {1, 2, 3, 4, 5});
    ExpectWindow(data->Hyb[3].Chr[1], 3, DirectWindow(x, 3, Flat(3)));
}

TEST(WeightedSmoothCGHData, AWindowNoChromosomeHoldsSmoothsNothing) {
    auto data = std::make_unique<tCGH_DataSet>();
    const tCGHProbeArray& a = Smoothable(*data, 1, 1, {1, 2, 3, 4, 5});
    data->HNum = 1;
    const uint64_t version = DataVersion;
    MemoryLog log;

    WeightedSmoothCGHData(*data, 0, 3, 9999, &log);
    WeightedSmoothCGHData(*data, 0, 3, 5, &log); // the window needs six probes

    EXPECT_EQ(log.lines,
              (Lines{"Weighted smoothing - no chromosome holds more than 9999 probes; nothing "
                     "smoothed.",
                     "Weighted smoothing - no chromosome holds more than 5 probes; nothing "
                     "smoothed."}));
    ExpectUntouched(a, {1, 2, 3, 4, 5});
    EXPECT_EQ(DataVersion, version);
}

} // namespace
