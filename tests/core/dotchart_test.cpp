#include "dotchart.h"
#include "testfiles.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

std::vector<float> Shown(const DotGroup& g) {
    std::vector<float> v;
    for (const DotValue& d : g.Values) v.push_back(d.Shown);
    return v;
}

DotChartData Fresh() {
    DotChartData d;
    InitDotChartData(d);
    return d;
}

TEST(DotChartPaste, WordsNameGroupsAndCommasReadAsPoints) {
    DotChartData d = Fresh();
    ASSERT_TRUE(PasteSingleGroup(d, 0, "Liver\t1,5\t2", ""));
    EXPECT_EQ(d.Groups[1].Name, "Liver");
    EXPECT_EQ(Shown(d.Groups[1]), (std::vector<float>{1.5f, 2}));
    // Lines separate like TABs; a word after the first number is skipped; no word: the given
    // name, or the default when none is given.
    ASSERT_TRUE(PasteSingleGroup(d, 0, "3\r\nx\n1e39\n-2", ""));
    EXPECT_EQ(d.Groups[2].Name, "Data set\\nPasted");
    EXPECT_EQ(Shown(d.Groups[2]), (std::vector<float>{-2, 3, 3.4e38f}));
    ASSERT_TRUE(PasteSingleGroup(d, 1, "7", "Kidney"));
    EXPECT_EQ(d.Groups[1].Name, "Kidney");
    EXPECT_EQ(d.Groups[1].Count, 1);

    EXPECT_EQ(PasteGroupsByRow(d, "1\t2\r\n\r\nname\t4\n5"), 0);
    EXPECT_EQ(d.GroupCount, 5);
    EXPECT_EQ(d.Groups[3].Name, "P3");
    EXPECT_EQ(d.Groups[4].Name, "name");
    EXPECT_EQ(d.Groups[5].Name, "P5");

    // Past group 100 nothing is appended.
    std::string rows;
    for (int i = 0; i < 100; ++i) rows += std::to_string(i) + "\n";
    EXPECT_EQ(PasteGroupsByRow(d, rows), 5);
    EXPECT_EQ(d.GroupCount, kMaxDotGroups);
    EXPECT_FALSE(PasteSingleGroup(d, 0, "1", ""));
    EXPECT_FALSE(PasteSingleGroup(d, 101, "1", ""));
    EXPECT_EQ(d.GroupCount, kMaxDotGroups);
}

TEST(DotChartStats, QuantilesByHalfEvenIndicesAndEmptyGroupsStayOut) {
    DotChartData d = Fresh();
    PasteSingleGroup(d, 0, "10\t9\t8\t7\t6\t5\t4\t3\t2\t1", "");
    const DotGroup& g = d.Groups[1];
    EXPECT_FLOAT_EQ(g.Mean, 5.5f);
    EXPECT_FLOAT_EQ(g.Median, 5.5f);
    EXPECT_FLOAT_EQ(g.Q25, 2);
    EXPECT_FLOAT_EQ(g.Q75, 8);
    EXPECT_FLOAT_EQ(g.Q025, 1);
    EXPECT_FLOAT_EQ(g.Q975, 10);
    EXPECT_FLOAT_EQ(g.Values[0].Shown, 1); // sorted shown values, raw order kept
    EXPECT_FLOAT_EQ(g.Values[0].Raw, 10);
    EXPECT_FLOAT_EQ(d.AxisMin, 0.9f);
    EXPECT_FLOAT_EQ(d.AxisMax, 11);

    // A line of words: no values, statistics 0, and the range of the other group only.
    PasteGroupsByRow(d, "name\tFormat:");
    EXPECT_EQ(d.Groups[2].Count, 0);
    EXPECT_EQ(d.Groups[2].Mean, 0);
    EXPECT_FLOAT_EQ(d.AxisMax, 11);

    // Only empty or zero groups: never NaN, always a positive drawing range.
    for (const char* text : {"", "0\t0\t0"}) {
        DotChartData z = Fresh();
        PasteSingleGroup(z, 0, text, "g");
        EXPECT_FALSE(std::isnan(z.Groups[1].Mean) || std::isnan(z.Groups[1].StdDev));
        const DotAxis a = MakeDotAxis(z.AxisMin, z.AxisMax, DotChartHasValues(z), 300);
        EXPECT_GT(a.Max, a.Min) << text;
        EXPECT_TRUE(std::isfinite(a.PixelsPerUnit)) << text;
        EXPECT_EQ(a.Y(a.Max), 0);
    }
}

TEST(DotChartLayout, StaggeredRowsAndSingleColumn) {
    DotChartData d = Fresh();
    PasteSingleGroup(d, 0, "1\t2\t3\t4\t5", "");
    const auto offsets = [&] {
        std::vector<float> o;
        for (const DotValue& v : d.Groups[1].Values) o.push_back(v.Offset);
        return o;
    };
    EXPECT_EQ(offsets(), (std::vector<float>{1.5f, 1, 2, 1.5f, 1}));
    d.Groups[1].PointsPerLine = 0;
    LayoutDots(d);
    EXPECT_EQ(offsets(), (std::vector<float>(5, 0.5f)));
    d.Groups[1].PointsPerLine = 1;
    LayoutDots(d);
    EXPECT_EQ(offsets(), (std::vector<float>{1.5f, 1, 1.5f, 1, 1.5f}));
}

TEST(DotChartTransform, LogsOnlyAbovZeroAndPowersHeldInSingleRange) {
    DotChartData d = Fresh();
    PasteSingleGroup(d, 0, "-4\t0\t8\t100", "");
    // Raw values keep the pasted order.
    TransformValues(d, 1);
    EXPECT_EQ(Shown(d.Groups[1]), (std::vector<float>{-4, 0, 3, std::log2(100.0f)}));
    TransformValues(d, 2);
    EXPECT_EQ(Shown(d.Groups[1])[2], std::log10(8.0f));
    EXPECT_EQ(Shown(d.Groups[1])[1], 0);
    TransformValues(d, 4);
    EXPECT_EQ(Shown(d.Groups[1])[3], 3.4e38f);
    TransformValues(d, 0);
    EXPECT_EQ(Shown(d.Groups[1]), (std::vector<float>{-4, 0, 8, 100}));
}

TEST(DotChartDemo, GroupsOfThirtyToFiftyNineValuesAndAtMostHundred) {
    DotChartData d = Fresh();
    EXPECT_EQ(MakeDemoData(d, 8), 0);
    ASSERT_EQ(d.GroupCount, 8);
    EXPECT_EQ(d.Groups[8].Name, "Sim Data\\nSeries 8");
    for (int g = 1; g <= 8; ++g) {
        EXPECT_GE(d.Groups[g].Count, 30);
        EXPECT_LT(d.Groups[g].Count, 60);
        for (const DotValue& v : d.Groups[g].Values) {
            EXPECT_GE(v.Raw, -4 + g * 0.2f - 1e-5f);
            EXPECT_LT(v.Raw, 4 + g * 0.2f);
        }
    }
    EXPECT_EQ(MakeDemoData(d, 150), 50);
    EXPECT_EQ(d.GroupCount, kMaxDotGroups);
}

TEST(DotChartAxis, StepsLabelsAndFarValues) {
    const std::pair<double, double> steps[] = {
        {0, 0.1},    {0.99, 0.1},  {4.4, 1},      {10, 5},    {60, 10},   {499, 50},
        {4999, 500}, {99999, 1e4}, {999999, 1e5}, {2e6, 5e5}, {7e6, 1e6}, {3.7e38, 5e37}};
    for (const auto& [r, s] : steps) EXPECT_DOUBLE_EQ(MajorStep(r), s) << r;
    const DotAxis a = MakeDotAxis(0, 4.4, true, 440);
    EXPECT_DOUBLE_EQ(a.Step, 1);
    EXPECT_DOUBLE_EQ(a.PixelsPerUnit, 100);
    EXPECT_EQ(a.Y(1), 340);
    EXPECT_EQ(a.Y(1e300), -1000000); // held inside int range
    EXPECT_EQ(a.Y(NAN), 440);
    // Minimum above maximum (edits, or the range of value-less groups): min - 1 .. min + 1.
    const DotAxis inverted = MakeDotAxis(5, 2, true, 100);
    EXPECT_DOUBLE_EQ(inverted.Min, 4);
    EXPECT_DOUBLE_EQ(inverted.Max, 6);

    EXPECT_EQ(DotAxisLabel(3, 1, 0), "3");
    EXPECT_EQ(DotAxisLabel(-3, 0.1, 0), "-0.3");
    EXPECT_EQ(DotAxisLabel(2, 1e38, 0).size(), 39u);
    EXPECT_EQ(DotAxisLabel(3, 1, 10), "1000");
    EXPECT_EQ(DotAxisLabel(-3, 1, 10), "0.001");
    EXPECT_EQ(DotAxisLabel(5, 5, 10), "nn"); // 10^25 at R = 20
    EXPECT_EQ(DotAxisLabel(-3, 1, 2), "1/8");
    EXPECT_EQ(DotAxisLabel(10, 10, 2), "nn");
    EXPECT_EQ(DotAxisLabel(101, 0.1, 2), "nn");
}

class DotChartFile : public FileTest {};

TEST_F(DotChartFile, WritesFixedWidthFieldsAndReadsThemBack) {
    DotChartData d = Fresh();
    PasteSingleGroup(d, 0, "A\t2\t-1,25", "");
    PasteSingleGroup(d, 0, "", "Empty\\nGroup");
    std::string error;
    ASSERT_TRUE(SaveDotChartText(d, Path("chart.txt"), error)) << error;
    EXPECT_EQ(Get(Path("chart.txt")), "A\tFormat:\t              -1.250\t               2.000\t\r\n"
                                      "Empty\\nGroup\tFormat:\t\r\n");

    // Quoted fields stay whole; "Format" lines are skipped; no "Format:" field: values from 2.
    Put("in.txt", "\"a\tb\"\t1\tx\t2\nFormat line\n\n\"q\"\tFormat: 3\t4\r\n");
    int32_t dropped = -1;
    ASSERT_TRUE(LoadDotChartText(d, Path("in.txt"), dropped, error));
    EXPECT_EQ(dropped, 0);
    ASSERT_EQ(d.GroupCount, 2);
    EXPECT_EQ(d.Groups[1].Name, "\"a\tb\"");
    EXPECT_EQ(Shown(d.Groups[1]), (std::vector<float>{1, 2}));
    EXPECT_EQ(Shown(d.Groups[2]), (std::vector<float>{4}));

    std::string many;
    for (int i = 1; i <= 150; ++i) many += "g" + std::to_string(i) + "\tFormat:\t1\t\r\n";
    Put("many.txt", many);
    ASSERT_TRUE(LoadDotChartText(d, Path("many.txt"), dropped, error));
    EXPECT_EQ(dropped, 50);
    EXPECT_EQ(d.GroupCount, 100);
    EXPECT_EQ(d.Groups[100].Name, "g100");

    // An unreadable file leaves the chart as it was.
    EXPECT_FALSE(LoadDotChartText(d, Path("missing.txt"), dropped, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(d.GroupCount, 100);
    EXPECT_FALSE(SaveDotChartText(d, Path("no/such/dir.txt"), error));
}

} // namespace
