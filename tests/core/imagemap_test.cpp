#include "imagemap.h"
#include "imagezoom.h"

#include <gtest/gtest.h>

namespace {

const char kBase[] = "https://db.example";

struct AreaCase {
    const char* line;
    int shape, kind, x1, y1, x2, y2;
    const char* names;
    const char* link;
};

TEST(ImageMap, AreasFromTheirTabFields) {
    const AreaCase cases[] = {
        {"<area shape=rect\tcoords=10,20,30,40\thref=\"/dbget?hsa:7157\"\t"
         "title=\"7157 (TP53), 1017 (CDK2)\" />",
         0, 0, 10, 20, 30, 40, "TP53 CDK2 ", "https://db.example/dbget?hsa:7157"},
        {"<area shape=circle\tcoords=100,50,10\thref=\"/c\"\ttitle=\"C00031 (D-Glucose)\"", 1, 1,
         90, 40, 110, 60, "D-Glucose", "https://db.example/c"},
        // The compound's text runs to the parenthesis before the closing quote.
        {"<area shape=rect\tcoords=1,2,3,4\thref=\"x\"\ttitle=\"C00022 (Pyruvate (enol))\"", 0, 1,
         1, 2, 3, 4, "Pyruvate (enol)", ""},
        {"<area shape=rect\tcoords=1,2,3,4\thref=\"@evil.host/x\"\ttitle=\"hsa04110 (cycle)\"", 0,
         2, 1, 2, 3, 4, "", ""},
        // Cut short: missing fields and delimiters read as empty or 0, coordinates are held.
        {"<area shape=rect\tcoords=5,-9999999,abc", 0, 0, 5, -1000000, 0, 0, "", ""},
        {"<area shape=rect\tcoords=1,1,2,2\thref=\"/p\tttitle=\"7157 (TP53), 1 (CDK", 0, 0, 1, 1, 2,
         2, "TP53 ", ""},
        {"<area shape=rect\tcoords=1,1,2,2\thref=\"/p\"\ttitle=\"C00031 (Glucose", 0, 1, 1, 1, 2, 2,
         "", "https://db.example/p"},
        {"<area shape=poly", 0, 0, 0, 0, 0, 0, "", ""},
    };
    for (const AreaCase& c : cases) {
        const ImageMapArea a = ParseImageMapArea(c.line, kBase);
        EXPECT_EQ(a.Shape, c.shape) << c.line;
        EXPECT_EQ(a.Kind, c.kind) << c.line;
        EXPECT_EQ(a.X1, c.x1) << c.line;
        EXPECT_EQ(a.Y1, c.y1) << c.line;
        EXPECT_EQ(a.X2, c.x2) << c.line;
        EXPECT_EQ(a.Y2, c.y2) << c.line;
        EXPECT_EQ(a.Names, c.names) << c.line;
        EXPECT_EQ(a.Link, c.link) << c.line;
    }
    const auto areas = ReadImageMap("<html>\r\n<map>\r\n" + std::string(cases[0].line) +
                                        "\r\n<area shape=rect\tcoords=25,35,50,50\r\n</map>",
                                    kBase);
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(FindArea(areas, 30, 40), 1); // edges count; the first area wins
    EXPECT_EQ(FindArea(areas, 31, 40), 2);
    EXPECT_EQ(FindArea(areas, 9, 20), 0);
    EXPECT_TRUE(ReadImageMap("no areas here", kBase).empty());
    EXPECT_EQ(ImageMapFileName("/d/map.PNG"), "/d/map.html");
    EXPECT_EQ(ImageMapFileName("/d/map.bmp"), "");
}

TEST(GeneList, MeansPerGeneAndOutlinesByRegulation) {
    GenePaste regulation = ParseGeneList("TP53 2.5 0.001\r\n\"tp53\"\t1,5\t0.003\nCDK2 -3\n\n", 12);
    ASSERT_EQ(regulation.GeneList, (std::vector<std::string>{"CDK2", "TP53"}));
    EXPECT_FLOAT_EQ(regulation.RegulationMeans[1], 2.0f);
    EXPECT_FLOAT_EQ(regulation.PValueMeans[1], 0.002f);
    EXPECT_FLOAT_EQ(regulation.RegulationMeans[0], -3.0f);
    EXPECT_EQ(FindGene(regulation, "Tp53"), 1);
    EXPECT_EQ(FindGene(regulation, "MYC"), -1);
    EXPECT_EQ(GenePasteReport(regulation),
              (std::vector<std::string>{"Pasted genes (2) :", "CDK2\t-3.000\t0.0E+0",
                                        "TP53\t2.000\t2.0E-3"}));

    const GenePaste plain = ParseGeneList("MYC;\"TP53\",CDK2\tMYC", 0);
    EXPECT_EQ(plain.GeneList, (std::vector<std::string>{"CDK2", "MYC", "TP53"}));
    EXPECT_FLOAT_EQ(plain.RegulationMeans[0], -1e9f);

    std::vector<ImageMapArea> areas(4);
    areas[0].Names = "TP53 MYC ";
    areas[1].Names = "CDK2 ";
    areas[2].Names = "MYC ";
    areas[3] = areas[0];
    areas[3].Kind = 1;
    areas[0].X1 = 10;
    areas[0].Y1 = 20;
    areas[0].X2 = 30;
    areas[0].Y2 = 40;
    auto outlines = GeneAreaOutlines(areas, regulation, 2);
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[0].Area, 1);
    EXPECT_EQ(outlines[0].Colour, 0x0000FFu); // red: up
    EXPECT_EQ(outlines[0].Width, 5);
    EXPECT_EQ(outlines[0].Left, 7);
    EXPECT_EQ(outlines[0].Bottom, 43);
    EXPECT_EQ(outlines[1].Colour, 0x008000u); // green: down
    EXPECT_EQ(areas[0].Hits, "TP53 ");
    EXPECT_EQ(areas[3].Hits, "");
    outlines = GeneAreaOutlines(areas, plain, 2);
    EXPECT_EQ(outlines.size(), 3u);
    EXPECT_EQ(outlines[0].Colour, 0u); // a plain list: black
    EXPECT_EQ(areas[0].Hits, "TP53 MYC ");
    EXPECT_EQ(GeneAreaOutlines(areas, plain, 1)[0].Width, 3);
    EXPECT_EQ(GeneAreaOutlines(areas, plain, 0)[0].Colour, 0xFF0000u);
}

TEST(ImageZoom, StepsSizesAndThresholds) {
    const std::pair<int, int> in[] = {{-100, -99}, {-3, -2}, {-2, 1}, {1, 2},   {100, 101},
                                      {101, 1},    {0, 1},   {-1, 1}, {-101, 1}};
    for (const auto& [from, to] : in) EXPECT_EQ(ZoomInLevel(from), to) << from;
    const std::pair<int, int> out[] = {{-100, -101}, {-1, -2}, {1, -2}, {2, 1},
                                       {100, 99},    {101, 1}, {0, 1},  {-101, 1}};
    for (const auto& [from, to] : out) EXPECT_EQ(ZoomOutLevel(from), to) << from;

    EXPECT_EQ(ZoomInfoLine(ZoomPictureSize(2, 100, 50), 100, 50), "120x60; 100x50");
    EXPECT_EQ(ZoomInfoLine(ZoomPictureSize(-12, 100, 50), 100, 50), "45x23; 100x50");
    EXPECT_EQ(ZoomInfoLine(ZoomPictureSize(-50, 100, 50), 100, 50), "10x5; 100x50");
    EXPECT_EQ(ZoomInfoLine(ZoomPictureSize(100, 100, 50), 100, 50), "1100x550; 100x50");
    EXPECT_EQ(ZoomInfoLine(ZoomPictureSize(101, 100, 50), 100, 50), "100x50; 100x50");
    EXPECT_EQ(ZoomInfoLine(ZoomPictureSize(-30, 4, 4), 4, 4), "1x1; 4x4"); // at least 1 pixel

    const std::pair<int, const char*> thresholds[] = {
        {0, "1.0E+00"},  {9, "1.0E-01"},  {18, "1.0E-02"}, {27, "1.0E-03"}, {88, "3.0E-10"},
        {89, "0.0E+00"}, {90, "2.0E-10"}, {91, "1.0E-10"}, {92, "0.0E+00"}, {20, "8.0E-03"}};
    for (const auto& [position, text] : thresholds)
        EXPECT_EQ(FormatExponent(PThresholdAt(position), 2, 2), text) << position;
}

} // namespace
