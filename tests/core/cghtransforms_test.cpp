#include "cghtestdata.h"
#include "cghtransforms.h"
#include "columnwalks.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

using Lines = std::vector<std::string>;

const std::string Rule(int n) {
    return std::string(static_cast<size_t>(n), '=');
}

TEST(ZTransformHybridisations, StandardisesEachSetOverItsOwnProbes) {
    auto data = std::make_unique<tCGH_DataSet>();
    // Set 1: 1, 2, 3 and 4 over two chromosomes: mean 2.5, SD sqrt(1.25) with divisor n.
    SetProbes(*data, 1, 1, 4, {1, 2, 3});
    SetProbes(*data, 1, 5, 4, {4});
    // Set 2 is constant and shorter than set 1: SD 0 counts as 1.
    SetProbes(*data, 2, 1, 4, {7});
    SetProbes(*data, 2, 5, 4, {7});
    data->HNum = 3; // set 3 holds no probes
    const uint64_t version = DataVersion;
    MemoryLog log;

    ZTransformHybridisations(*data, &log);

    const double sd = std::sqrt(1.25);
    const std::vector<float> chr1 = Column(data->Hyb[1].Chr[1], 4);
    ASSERT_EQ(chr1.size(), 3u);
    EXPECT_FLOAT_EQ(chr1[0], static_cast<float>(-1.5 / sd));
    EXPECT_FLOAT_EQ(chr1[2], static_cast<float>(0.5 / sd));
    EXPECT_FLOAT_EQ(data->Hyb[1].Chr[5].Get(4, 1), static_cast<float>(1.5 / sd));
    EXPECT_EQ(Column(data->Hyb[2].Chr[1], 4), std::vector<float>{0.0f});
    EXPECT_EQ(Column(data->Hyb[2].Chr[5], 4), std::vector<float>{0.0f});
    EXPECT_EQ(
        MaskTime(log.lines),
        (Lines{"", "z-transformation of hybridizations", Rule(36), "Set 1 - Mean=2.500; SDev=1.118",
               "Set 2 - Mean=7.000; SDev=1.000", "Set 3 - no probes", "<t>s elapsed time."}));
    EXPECT_GT(DataVersion, version);
}

// The z-transform of hybridisations as it was first written: one hybridisation at a time,
// each chromosome summed in two chains (odd and even probes) in extended precision.
long double OldSum(const float* x, int n, long double mean, bool squares) {
    long double a = 0.0L, b = 0.0L;
    auto term = [&](float v) {
        const long double d = mean - v;
        return squares ? d * d : static_cast<long double>(v);
    };
    int i = 1;
    for (; i < n; i += 2) {
        a += term(x[i]);
        b += term(x[i + 1]);
    }
    if (i == n) a += term(x[i]);
    return a + b;
}

void OldZTransform(tCGH_DataSet& data) {
    for (int h = 1; h <= data.HNum; ++h) {
        std::array<tCGHProbeArray, kChromosomes + 1>& chr = data.Hyb[h].Chr;
        int64_t n = 0;
        for (int c = 1; c <= kChromosomes; ++c) n += chr[c].Count();
        if (n == 0) continue;
        long double sum = 0.0L, deviations = 0.0L;
        for (int c = 1; c <= kChromosomes; ++c)
            sum += OldSum(chr[c].Slot(4), chr[c].Count(), 0, false);
        const long double mean = sum / n;
        for (int c = 1; c <= kChromosomes; ++c)
            deviations += OldSum(chr[c].Slot(4), chr[c].Count(), mean, true);
        long double sd = std::sqrt(deviations / n);
        if (sd == 0.0L) sd = 1.0L;
        const double m = static_cast<double>(mean), d = static_cast<double>(sd);
        for (int c = 1; c <= kChromosomes; ++c) {
            float* x = chr[c].WritableSlot(4);
            for (int i = 1; i <= chr[c].Count(); ++i) x[i] = static_cast<float>((x[i] - m) / d);
        }
    }
}

// Both ways: with the vector units (where the processor has them) and without.
TEST(ZTransformHybridisations, EqualsTheOneSetAtATimeSumsToTheBit) {
    const float huge = std::ldexp(1.0f, 70), large = std::ldexp(1.0f, 20);
    struct Case {
        const char* name;
        std::vector<std::vector<int>> counts; // per hybridisation, chromosomes 1, 2, ...
        float offset, spread;
        std::vector<std::pair<int, float>> planted; // probe, value in every chromosome long enough
    };
    const std::vector<Case> cases{
        {"seven sets of one layout", std::vector<std::vector<int>>(7, {37, 1, 0, 64, 5}), 0, 1, {}},
        {"lengths differ, one set empty",
         {{10, 3}, {11, 4}, {2}, {0, 0}, {33, 7, 9}, {1}},
         0,
         1,
         {{1, huge}, {3, -huge}}},
        // The x87 chain loses the probes between +-2^70.
        {"huge values cancel in a chain",
         std::vector<std::vector<int>>(5, {31, 29, 2}),
         0,
         1,
         {{1, huge}, {3, -huge}}},
        // 2^-40 sits far below the units that suit 2^20.
        {"a fine value the large ones cancel to",
         std::vector<std::vector<int>>(3, {16, 5}),
         0,
         0,
         {{1, large}, {3, std::ldexp(1.0f, -40)}, {5, -large}}},
        {"huge values after the first 64 probes",
         std::vector<std::vector<int>>(3, {100}),
         1,
         0,
         {{71, huge}, {73, -huge}}},
        {"an offset far above the spread",
         std::vector<std::vector<int>>(9, {120, 77}),
         1e6f,
         1,
         {}},
    };
    for (bool vector : {true, false})
        for (const Case& test : cases) {
            std::mt19937 rng(29);
            std::normal_distribution<float> noise(0.0f, 1.0f);
            auto data = std::make_unique<tCGH_DataSet>();
            data->HNum = static_cast<int>(test.counts.size());
            for (int h = 1; h <= data->HNum; ++h) {
                const std::vector<int>& counts = test.counts[static_cast<size_t>(h - 1)];
                for (size_t c = 0; c < counts.size(); ++c) {
                    std::vector<float> x(static_cast<size_t>(counts[c]));
                    for (float& v : x) v = test.offset + test.spread * noise(rng);
                    for (auto [probe, value] : test.planted)
                        if (probe <= counts[c]) x[static_cast<size_t>(probe - 1)] = value;
                    SetProbes(*data, h, static_cast<int>(c) + 1, 4, x);
                }
            }
            if (data->HNum >= 2 && data->Hyb[2].Chr[1].Count() > 1)
                data->Hyb[2].Chr[1].Set(4, 2, std::nanf("")); // spoils set 2 only
            auto expected = std::make_unique<tCGH_DataSet>(*data);

            UseVectorUnits(vector);
            ZTransformHybridisations(*data, nullptr);
            UseVectorUnits(true);
            OldZTransform(*expected);

            for (int h = 1; h <= data->HNum; ++h)
                for (int c = 1; c <= kChromosomes; ++c) {
                    const tCGHProbeArray &got = data->Hyb[h].Chr[c],
                                         &want = expected->Hyb[h].Chr[c];
                    for (int i = 1; i <= want.Count(); ++i)
                        ASSERT_EQ(std::bit_cast<uint32_t>(got.Get(4, i)),
                                  std::bit_cast<uint32_t>(want.Get(4, i)))
                            << test.name << (vector ? "" : ", no vector units") << ", set " << h
                            << ", chromosome " << c << ", probe " << i;
                }
        }
}

TEST(ZTransformOligos, StandardisesEachProbeOverTheSetsHoldingIt) {
    auto data = std::make_unique<tCGH_DataSet>();
    SetProbes(*data, 1, 2, 4, {1, 10, 5});
    SetProbes(*data, 2, 2, 4, {3, 20, 5});
    SetProbes(*data, 3, 2, 4, {5}); // probes 2 and 3 are missing here
    data->HNum = 3;
    MemoryLog log;

    ZTransformOligos(*data, &log);

    // Probe 1: 1, 3, 5 -> mean 3, SD sqrt(8 / 3). Probe 2: 10, 20 -> mean 15, SD 5 (the missing
    // value is not taken as 0). Probe 3: SD 0 counts as 1.
    const float z1 = static_cast<float>(2.0 / std::sqrt(8.0 / 3.0));
    const std::vector<float> h1 = Column(data->Hyb[1].Chr[2], 4);
    const std::vector<float> h2 = Column(data->Hyb[2].Chr[2], 4);
    ASSERT_EQ(h1.size(), 3u);
    ASSERT_EQ(h2.size(), 3u);
    EXPECT_FLOAT_EQ(h1[0], -z1);
    EXPECT_FLOAT_EQ(h2[0], 0.0f);
    EXPECT_FLOAT_EQ(data->Hyb[3].Chr[2].Get(4, 1), z1);
    EXPECT_FLOAT_EQ(h1[1], -1.0f);
    EXPECT_FLOAT_EQ(h2[1], 1.0f);
    EXPECT_EQ(h1[2], 0.0f);
    EXPECT_EQ(h2[2], 0.0f);
    EXPECT_EQ(MaskTime(log.lines),
              (Lines{"", "z-transformation of oligos", Rule(36), "<t>s elapsed time."}));
}

// A probe with a distinct value in every slot that has storage; slot 17 holds the
// "not significant" mark.
tCGHProbeArray& FillAllSlots(tCGH_DataSet& data, int h, int chr, int count) {
    tCGHProbeArray& a = SetProbes(data, h, chr, 4, std::vector<float>(static_cast<size_t>(count)));
    for (int i = 1; i <= count; ++i)
        for (int s = 1; s <= 40; ++s)
            if (tCGHProbeArray::HasStorage(s)) a.Set(s, i, s + 0.25f * i);
    for (int i = 1; i <= count; ++i) a.Set(17, i, 1.0f);
    return a;
}

bool Scaled(int slot, int lastLow) {
    return (slot >= 4 && slot <= lastLow) || slot >= 18;
}

TEST(InvertHybridisations, NegatesValueSlotsAndKeepsThePValueSlots) {
    auto data = std::make_unique<tCGH_DataSet>();
    FillAllSlots(*data, 1, 3, 4);
    FillAllSlots(*data, 2, 3, 2); // shorter than set 1
    data->HNum = 2;
    const tCGHProbeArray before1 = data->Hyb[1].Chr[3];
    MemoryLog log;

    InvertHybridisations(*data, &log);

    EXPECT_EQ(log.lines, (Lines{"", "Invert sign of hybridizations", Rule(29)}));
    for (int h = 1; h <= 2; ++h) {
        const tCGHProbeArray& a = data->Hyb[h].Chr[3];
        for (int i = 1; i <= a.Count(); ++i)
            for (int s = 1; s <= 40; ++s) {
                if (!tCGHProbeArray::HasStorage(s)) continue;
                const float original = s == 17 ? 1.0f : s + 0.25f * i;
                EXPECT_EQ(a.Get(s, i), Scaled(s, 14) ? -original : original) << h << ":" << s;
            }
    }

    InvertHybridisations(*data, nullptr);
    const tCGHProbeArray& after1 = data->Hyb[1].Chr[3];
    for (int s = 0; s <= 40; ++s) EXPECT_EQ(Column(after1, s), Column(before1, s)) << s;
}

TEST(Log10ToLog2, ScalesValueSlotsAndRestoreGivesLog2) {
    auto data = std::make_unique<tCGH_DataSet>();
    FillAllSlots(*data, 1, 1, 3);
    data->HNum = 1;
    MemoryLog log;

    Log10ToLog2(*data, &log);

    EXPECT_EQ(log.lines, (Lines{"", "Transform Log10 => Log2 ratios", Rule(31)}));
    const double log2of10 = 3.321928094887362;
    const tCGHProbeArray& a = data->Hyb[1].Chr[1];
    for (int i = 1; i <= 3; ++i)
        for (int s = 1; s <= 40; ++s) {
            if (!tCGHProbeArray::HasStorage(s)) continue;
            const float original = s == 17 ? 1.0f : s + 0.25f * i;
            const float expected =
                Scaled(s, 13) ? static_cast<float>(original * log2of10) : original;
            EXPECT_EQ(a.Get(s, i), expected) << s;
        }

    data->Hyb[1].Chr[1].Set(4, 2, 0.0f);
    log.lines.clear();
    RestoreRawCGHValues(*data, &log);
    EXPECT_FLOAT_EQ(a.Get(4, 2), static_cast<float>((40 + 0.5) * log2of10));
    EXPECT_EQ(MaskTime(log.lines),
              (Lines{"", "Restore raw CGH-values", Rule(24), "<t>s elapsed time."}));
}

TEST(RestoreRawCGHValues, AfterInversionGivesTheNegatedRawValues) {
    auto data = std::make_unique<tCGH_DataSet>();
    SetProbes(*data, 1, 1, 40, {1.5f, -2.0f});
    data->HNum = 1;
    InvertHybridisations(*data, nullptr);
    data->Hyb[1].Chr[1].Set(4, 1, 9.0f);
    RestoreRawCGHValues(*data, nullptr);
    EXPECT_EQ(Column(data->Hyb[1].Chr[1], 4), (std::vector<float>{-1.5f, 2.0f}));
}

// Elements past a hybridisation's probe count (arrays are sized count + 2 or more) are no probes.
TEST(CGHTransforms, LeaveElementsBeyondTheProbeCountAlone) {
    auto data = std::make_unique<tCGH_DataSet>();
    tCGHProbeArray& a = SetProbes(*data, 1, 1, 4, {1, 2, 3});
    a.Resize(6);
    for (int s : {4, 11, 12, 13, 40}) a.Set(s, 4, 99.0f), a.Set(s, 5, 99.0f);
    data->HNum = 1;

    ZTransformHybridisations(*data, nullptr);
    ZTransformOligos(*data, nullptr);
    InvertHybridisations(*data, nullptr);
    Log10ToLog2(*data, nullptr);
    RestoreRawCGHValues(*data, nullptr);

    for (int s : {4, 11, 12, 13, 40}) {
        EXPECT_EQ(a.Get(s, 4), 99.0f) << s;
        EXPECT_EQ(a.Get(s, 5), 99.0f) << s;
    }
}

TEST(CGHTransforms, WithNothingLoadedChangeNothingAndReportOneLine) {
    auto data = std::make_unique<tCGH_DataSet>();
    SetProbes(*data, 1, 1, 4, {1, 2, 3});
    SetProbes(*data, 1, 1, 11, {1, 2, 3});
    data->HNum = 0;
    const uint64_t version = DataVersion;
    auto lineOf = [&](auto routine) {
        MemoryLog log;
        routine(&log);
        return log.lines;
    };
    EXPECT_EQ(lineOf([&](LogSink* l) { ZTransformHybridisations(*data, l); }),
              Lines{"z-transformation of hybridizations - no hybridizations loaded."});
    EXPECT_EQ(lineOf([&](LogSink* l) { ZTransformOligos(*data, l); }),
              Lines{"z-transformation of oligos - no hybridizations loaded."});
    EXPECT_EQ(lineOf([&](LogSink* l) { InvertHybridisations(*data, l); }),
              Lines{"Invert sign of hybridizations - no hybridizations loaded."});
    EXPECT_EQ(lineOf([&](LogSink* l) { Log10ToLog2(*data, l); }),
              Lines{"Transform Log10 => Log2 ratios - no hybridizations loaded."});
    EXPECT_EQ(lineOf([&](LogSink* l) { RestoreRawCGHValues(*data, l); }),
              Lines{"Restore raw CGH-values - no hybridizations loaded."});
    EXPECT_EQ(lineOf([&](LogSink* l) { SmoothCGHData(*data, 3, l); }),
              Lines{"Process: Smooth data - no hybridizations loaded."});
    EXPECT_EQ(lineOf([&](LogSink* l) { WeightedSmoothCGHData(*data, 0, 3, 3, l); }),
              Lines{"Weighted smoothing - no hybridizations loaded."});

    data->HNum = 1;
    EXPECT_EQ(lineOf([&](LogSink* l) { SmoothCGHData(*data, 0, l); }),
              Lines{"Process: Smooth data - filter width 0 is below 1; nothing smoothed."});
    EXPECT_EQ(lineOf([&](LogSink* l) { WeightedSmoothCGHData(*data, 0, 1, -4, l); }),
              Lines{"Weighted smoothing - filter width -4 is below 1; nothing smoothed."});
    EXPECT_EQ(DataVersion, version);
    EXPECT_EQ(Column(data->Hyb[1].Chr[1], 4), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(Column(data->Hyb[1].Chr[1], 12), (std::vector<float>{0, 0, 0}));
}

} // namespace
