#include "bandpattern.h"

#include "bandlist.h"
#include "ideogrambands.h"
#include "testfiles.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using BandPatternFile = FileTest;

TEST_F(BandPatternFile, RoundTripSortedWithTheLastValueOfAName) {
    BandPattern p;
    std::string error;
    ASSERT_TRUE(
        ReadBandPatternFile(Put("p.txt", "xq21\t0.1\r\n1p36.3\t2\n\nxq21\t-0.25\n"), p, error))
        << error;
    EXPECT_EQ(p.Names, (std::vector<std::string>{"1p36.3", "xq21"}));
    EXPECT_EQ(p.Values, (std::vector<double>{2, -0.25}));
    ASSERT_TRUE(WriteBandPatternFile(Path("out.txt"), p, error)) << error;
    EXPECT_EQ(Get(Path("out.txt")), "1p36.3\t2.000000000\r\nxq21\t-0.250000000\r\n");
    BandPattern back;
    ASSERT_TRUE(ReadBandPatternFile(Path("out.txt"), back, error));
    EXPECT_EQ(back, p);

    // A value that is no number refuses the file and names the line; nothing changes.
    EXPECT_FALSE(ReadBandPatternFile(Put("bad.txt", "1p\t1\nband\tvalue\n"), back, error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_FALSE(ReadBandPatternFile(Path("none.txt"), back, error));
    EXPECT_EQ(back, p);
}

TEST(DataRange, PerPaletteKind) {
    const struct {
        const char* text;
        int kind;
        double min, max;
    } cases[] = {{"1,0.01", 3, 0, 2},  {"0,0.1", 3, 0, 1},  {"-1,3", 4, -3, 3},
                 {"1,100", 1, 1, 100}, {"5, 50", 2, 5, 50}, {" -2 ,1", 4, -2, 2}};
    for (const auto& c : cases) {
        double min = -9, max = -9;
        std::string error;
        ASSERT_TRUE(ParseDataRange(c.text, c.kind, min, max, error)) << c.text;
        EXPECT_DOUBLE_EQ(min, c.min) << c.text;
        EXPECT_DOUBLE_EQ(max, c.max) << c.text;
        EXPECT_FALSE(std::signbit(min) && min == 0) << c.text;
    }
    for (const char* bad : {"1", "1,x", "1,2,3", "", "nan,1"}) {
        double min = 7, max = 8;
        std::string error;
        EXPECT_FALSE(ParseDataRange(bad, 1, min, max, error)) << bad;
        EXPECT_EQ(min, 7);
        EXPECT_EQ(max, 8);
    }
}

TEST(ColourBarLabels, PerPaletteKind) {
    using Pair = std::pair<std::string, std::string>;
    EXPECT_EQ(ColourBarLabels(1, 0.4, 99.6), (Pair{"0", "100"}));
    EXPECT_EQ(ColourBarLabels(2, 1, 50), (Pair{"1%", "50%"}));
    EXPECT_EQ(ColourBarLabels(3, 0, 2), (Pair{"1.0e+00", "1.0e-02"}));
    EXPECT_EQ(ColourBarLabels(4, -3, 3), (Pair{"-3", "3"}));
    EXPECT_EQ(ColourBarLabels(4, 0, 0), (Pair{"0", "0"}));
    EXPECT_EQ(ColourBarLabels(5, 0, 1), Pair{});
}

// The demonstration colours every band the map draws, at every resolution, and names nothing else.
TEST(DemoBandPattern, NamesEveryBandTheMapDrawsForTheShippedIdeogram) {
    const ShippedBands shipped;
    const std::vector<std::string> drawn =
        AllShownBandNames(shipped.bands, shipped.layout.ChromosomeCount, shipped.type);
    const BandPattern demo = DemoBandPattern();
    EXPECT_EQ(demo.Names, drawn);
    ASSERT_EQ(demo.Values.size(), demo.Names.size());
    for (double v : demo.Values) {
        EXPECT_GE(v, 0.0002);
        EXPECT_LE(v, 0.83);
    }
    EXPECT_NE(*std::min_element(demo.Values.begin(), demo.Values.end()),
              *std::max_element(demo.Values.begin(), demo.Values.end()));
}

} // namespace
