#include "bandlist.h"
#include "ideogram.h"
#include "ideogrambands.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

// Chromosome 1 written at every level: its p arm has bands 36 (sub-bands 36.3 with letters, 36.2
// without) and 33 (undivided); its q arm a region only. Chromosome 2 has one band.
const std::vector<BandRow> kRows = {
    {1, 1, 0, 0, 0, 1, 1000, 40},    // 1  arm p
    {1, 1, 3, 0, 0, 1, 1000, 40},    // 2  region 3
    {1, 1, 36, 0, 0, 1, 600, 30},    // 3  band 36
    {1, 1, 33, 0, 0, 601, 1000, 75}, // 4  band 33, no sub-bands
    {1, 1, 36, 3, 0, 1, 300, 10},    // 5  36.3
    {1, 1, 36, 2, 0, 301, 600, 0},   // 6  36.2, no letters
    {1, 1, 36, 3, 3, 1, 100, 0},     // 7  36.3c
    {1, 1, 36, 3, 2, 101, 200, 25},  // 8  36.3b
    {1, 1, 36, 3, 1, 201, 300, 0},   // 9  36.3a
    {1, 2, 0, 0, 0, 1001, 1500, 20}, // 10 arm q
    {1, 2, 1, 0, 0, 1001, 1500, 20}, // 11 region 1
    {1, 1000, 1000, 0, 0, 1, 1, 0},  // 12 telomere
    {2, 2, 21, 0, 0, 1, 500, 100},   // 13 band 2q21
    {25, 1, 0, 0, 0, 1, 10, 0},      // 14 arm of a chromosome without a name
};

std::vector<int> Shown(const tFList& bands, int c, int resolution, int type = 1) {
    std::vector<int> indices;
    for (const ShownBand& b : SelectShownBands(bands, c, resolution, type))
        indices.push_back(b.Index);
    return indices;
}

std::vector<std::string> Names(const tFList& bands, int c, int resolution, int type = 1) {
    std::vector<std::string> names;
    for (const ShownBand& b : SelectShownBands(bands, c, resolution, type))
        names.push_back(BandName(bands[b.Index], b.Level, type));
    return names;
}

TEST(IdeogramBands, EachResolutionShowsItsLevel) {
    const tFList bands = MakeBandList(kRows);
    EXPECT_EQ(Shown(bands, 1, 2), (std::vector<int>{1, 10}));
    EXPECT_EQ(Shown(bands, 1, 10), (std::vector<int>{2, 11}));
    EXPECT_EQ(Shown(bands, 1, 100), (std::vector<int>{3, 4}));
    EXPECT_EQ(Shown(bands, 2, 100), (std::vector<int>{13}));
    EXPECT_TRUE(Shown(bands, 1, 5).empty());
    EXPECT_TRUE(Shown(bands, 3, 450).empty());
    EXPECT_EQ(Names(bands, 1, 2), (std::vector<std::string>{"1p", "1q"}));
    EXPECT_EQ(Names(bands, 1, 10), (std::vector<std::string>{"1p3", "1q1"}));
    EXPECT_EQ(Names(bands, 2, 100), (std::vector<std::string>{"2q21"}));
}

TEST(IdeogramBands, UndividedBandsFillInAtSubBandResolutions) {
    const tFList bands = MakeBandList(kRows);
    // 450: the sub-bands of 36, and 33 with its own band name where it has none.
    EXPECT_EQ(Names(bands, 1, 450), (std::vector<std::string>{"1p33", "1p36.3", "1p36.2"}));
    // 800: the lettered rows, 36.2 where it has no letters, and 33.
    EXPECT_EQ(Names(bands, 1, 800),
              (std::vector<std::string>{"1p33", "1p36.2", "1p36.3c", "1p36.3b", "1p36.3a"}));
    // Regions are no band level: the q arm stays without rows at 450 and 800.
    EXPECT_EQ(Shown(bands, 1, 450), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(Shown(bands, 2, 800), (std::vector<int>{13}));
}

TEST(IdeogramBands, CompleteTablesDrawOnlyTheChosenLevel) {
    std::vector<BandRow> rows = {
        {1, 1, 36, 0, 0, 1, 600, 30}, {1, 1, 36, 1, 0, 1, 300, 10},  {1, 1, 36, 2, 0, 301, 600, 0},
        {1, 1, 36, 1, 1, 1, 150, 0},  {1, 1, 36, 1, 2, 151, 300, 0}, {1, 1, 36, 2, 1, 301, 600, 0},
    };
    const tFList bands = MakeBandList(rows);
    EXPECT_EQ(Shown(bands, 1, 450), (std::vector<int>{2, 3}));
    EXPECT_EQ(Shown(bands, 1, 800), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(Shown(bands, 1, 100), (std::vector<int>{1}));
}

TEST(IdeogramBands, NamesOfChromosomesArmsAndLetteredBands) {
    EXPECT_EQ(BandName(MakeBand({23, 2, 21, 3, 0, 0, 0}), 450, 1), "xq21.3");
    EXPECT_EQ(BandName(MakeBand({24, 1, 11, 3, 2, 0, 0}), 800, 1), "yp11.3b");
    EXPECT_EQ(BandName(MakeBand({25, 3, 11, 0, 0, 0, 0}), 100, 1), "11");
    EXPECT_EQ(BandName(MakeBand({7, 1, 36, 3, 0, 0, 0}), 2, 1), "7p");
    // Lettered: letter of band div 10, digit of band mod 10 when above 0, "." sub-band.
    EXPECT_EQ(BandName(MakeBand({2, 1, 11, 3, 0, 0, 0}), 450, 2), "2pA1.3");
    EXPECT_EQ(BandName(MakeBand({2, 2, 20, 0, 0, 0, 0}), 450, 2), "2qB");
    // Lettered ideograms show every row of the chromosome whatever the resolution.
    const tFList bands = MakeBandList(kRows);
    EXPECT_EQ(Shown(bands, 2, 2, 2), (std::vector<int>{13}));
    EXPECT_EQ(Shown(bands, 1, 5, 2).size(), 12u);
}

TEST(IdeogramBands, DumpListsArmsOrBandsAndRegions) {
    const tFList bands = MakeBandList(kRows);
    EXPECT_EQ(DumpIdeogram(bands, 2),
              (std::vector<std::string>{"1p\t1\t1000\t0\t40", "1q\t1001\t1500\t0\t20",
                                        "nnp\t1\t10\t0\t0"}));
    EXPECT_EQ(DumpIdeogram(bands, 3),
              (std::vector<std::string>{"1p3\t1\t1000\t0\t40", "1p36\t1\t600\t0\t30",
                                        "1p33\t601\t1000\t0\t75", "1q1\t1001\t1500\t0\t20",
                                        "2q21\t1\t500\t0\t100"}));
    tFList withExtra = MakeBandList({{23, 1, 22, 0, 0, 5, 9, 12.5f, 1521}});
    // An exact half of a report number rounds away from zero.
    EXPECT_EQ(DumpIdeogram(withExtra, 3), (std::vector<std::string>{"xp22\t5\t9\t1521\t13"}));
    EXPECT_TRUE(DumpIdeogram(tFList{}, 2).empty());
    EXPECT_TRUE(DumpIdeogram(bands, 4).empty());
}

// The shipped levels table leaves bands undivided; with the fill-in every resolution covers each
// arm, and covers it once.
TEST(IdeogramBands, ShippedTableCoversEveryArmAtEveryResolution) {
    const ShippedBands shipped;
    const auto& [bands, layout, type] = shipped;
    for (int resolution : {2, 10, 100, 450, 800}) {
        for (int c = 1; c <= layout.ChromosomeCount; ++c) {
            int64_t covered[3] = {0, 0, 0};
            for (const ShownBand& b : SelectShownBands(bands, c, resolution, type)) {
                const tFeature& f = bands[b.Index];
                covered[int(f.Num[2])] += int64_t(f.Num[9]) - int64_t(f.Num[8]) + 1;
            }
            // Positions are kept as floats: a few bases per row are lost, a band never is.
            EXPECT_NEAR(covered[1], layout.ArmMaxEnd[c][1], 2000) << c << " at " << resolution;
            EXPECT_NEAR(covered[2], layout.ArmMaxEnd[c][2], 2000) << c << " at " << resolution;
        }
    }
}

} // namespace
