#include "cghgrouping.h"

#include "testfiles.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(ParseColourText, WordsNumbersAndSkippedItems) {
    std::vector<std::string> skipped;
    const auto colours = ParseColourText(
        "2:GREEN;3:100,50,300;4:-1,0,0;200:red;x:red;5:1,2;6:pink;;7: 1, 2 ,3 ;1:aqua", skipped);
    const std::vector<SetColour> expected = {{2, 0x008000},
                                             {3, 100 | 50 << 8 | 44 << 16},
                                             {4, 255},
                                             {7, 1 | 2 << 8 | 3 << 16},
                                             {1, 0xFFFF00}};
    EXPECT_EQ(colours, expected);
    ASSERT_EQ(skipped.size(), 4u);
    EXPECT_EQ(skipped[0], "Colour \"200:red\" skipped: set number outside 1..100.");
    EXPECT_NE(skipped[1].find("\"x:red\""), std::string::npos);
    EXPECT_NE(skipped[3].find("\"6:pink\""), std::string::npos);
}

class CGHGroupingFile : public FileTest {
  protected:
    void SetUp() override {
        FileTest::SetUp();
        data->HNum = 4;
        for (int h = 1; h <= 4; ++h) data->Hyb[h].FileName = "h" + std::to_string(h);
        data->Hyb[3].FileName.clear();
        data->Hyb[1].Active = data->Hyb[3].Active = data->Hyb[4].Active = 1;
        colours[1] = 0x0000FF;
        colours[4] = 0x123456;
    }
    std::unique_ptr<tCGH_DataSet> data = std::make_unique<tCGH_DataSet>();
    tSetColours colours{};
};

TEST_F(CGHGroupingFile, RoundTripOfActiveNamedHybridisations) {
    std::string error;
    ASSERT_TRUE(WriteCGHGroupingFile(Path("g.txt"), *data, colours, error)) << error;
    EXPECT_EQ(Get(Path("g.txt")), "1,255\r\n4,1193046\r\n");

    CGHGrouping g;
    ASSERT_TRUE(ParseCGHGroupingFile(Path("g.txt"), g, error)) << error;
    data->Hyb[2].Active = 1;
    tSetColours read{};
    ApplyCGHGrouping(g, *data, read);
    for (int h = 1; h <= 4; ++h) EXPECT_EQ(data->Hyb[h].Active, h == 1 || h == 4) << h;
    EXPECT_EQ(read, colours);

    // No active hybridisation: an empty file, which hides every one and touches entry 0 only.
    for (auto& h : data->Hyb) h.Active = 0;
    ASSERT_TRUE(WriteCGHGroupingFile(Path("e.txt"), *data, colours, error));
    EXPECT_EQ(Get(Path("e.txt")), "");
    ASSERT_TRUE(ParseCGHGroupingFile(Path("e.txt"), g, error));
    EXPECT_EQ(g.Entries, (std::vector<SetColour>{{0, 0}}));
}

TEST_F(CGHGroupingFile, BadLinesAreLeftOutAndAMissingFileChangesNothing) {
    CGHGrouping g;
    std::string error;
    ASSERT_TRUE(
        ParseCGHGroupingFile(Put("b.txt", "abc,1\n2,7\r\n51,1\n\n-1,2\n3\n4,x\n"), g, error));
    EXPECT_EQ(g.Entries, (std::vector<SetColour>{{2, 7}, {0, 0}, {3, 0}}));
    ASSERT_EQ(g.Skipped.size(), 4u);
    EXPECT_NE(g.Skipped[0].find("line 1 left out"), std::string::npos) << g.Skipped[0];
    EXPECT_NE(g.Skipped[1].find("line 3 left out: hybridisation number outside 0..50"),
              std::string::npos);

    EXPECT_FALSE(ParseCGHGroupingFile(Path("none.txt"), g, error));
    EXPECT_NE(error.find("none.txt"), std::string::npos);
}

} // namespace
