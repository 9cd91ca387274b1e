#include "scatterdata.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

void Fill(ScatterPlotData& d, int k, std::vector<float> x, std::vector<float> y) {
    SetSeriesLength(d, k, int(x.size()));
    for (size_t i = 0; i < x.size(); ++i) {
        d.Series[k].Values[1][i + 1] = x[i];
        d.Series[k].Values[2][i + 1] = y[i];
    }
    UpdateSeriesRange(d, k);
}

TEST(ScatterData, RangesSpanAllSlotsAndSkipValuesThatAreNotFinite) {
    ScatterPlotData d;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Fill(d, 1, {1, 2, 3, nan}, {5, nan, 7, 100});
    EXPECT_EQ(d.Series[1].MinX, 1.0f); // rising x keeps its minimum
    EXPECT_EQ(d.Series[1].MaxX, 3.0f);
    EXPECT_EQ(d.Series[1].MaxY, 100.0f);
    EXPECT_TRUE(d.AllXNonNegative);
    Fill(d, 3, {-4}, {6});
    EXPECT_EQ(d.RangeMinX, -4.0f);
    EXPECT_EQ(d.RangeMinY, 5.0f);
    EXPECT_FALSE(d.AllXNonNegative);
    EXPECT_TRUE(d.AllYNonNegative);
    SetSeriesLength(d, 3, -5); // empties the slot
    UpdateSeriesRange(d, 3);
    EXPECT_EQ(d.Series[3].Count, 0);
    EXPECT_TRUE(d.AllXNonNegative);
    EXPECT_EQ(SetSeriesLength(d, 11, 5), 0); // outside 1..10: nothing
    EXPECT_FALSE(d.Empty());
    SetSeriesLength(d, 1, 0);
    UpdateSeriesRange(d, 1);
    EXPECT_TRUE(d.Empty());
}

TEST(ScatterData, AxisScaleFactorByMagnitude) {
    const struct {
        double m, divisor;
        const char* suffix;
    } cases[] = {{9.99, 1, ""},
                 {10, 10, " [ x 10] "},
                 {12345, 1e4, " [ x 10^4 ]"},
                 {1e9, 1e9, " [ x 10^9 ]"},
                 {2.5e10, 2.5e9, " [ x 2500000000]"}};
    for (const auto& c : cases) {
        const AxisScale s = AxisScaleFactor(c.m);
        EXPECT_EQ(s.divisor, c.divisor) << c.m;
        EXPECT_EQ(s.suffix, c.suffix) << c.m;
    }
}

TEST(ScatterData, PasteReadsEachLayout) {
    const struct {
        int tag;
        const char* text;
        float x, y, errY, errX;
        const char* annotation;
    } cases[] = {{0, "1\t2\tabc\r\n3\t4\r\n", 1, 2, 0, 0, "abc "},
                 {1, "1\t2\t0.5\tg1\tmore\n", 1, 2, 0.5f, 0, "g1\tmore"},
                 {2, "1\t2\t0.25\tg2\n", 1, 2, 0, 0.25f, "g2"},
                 {3, "1\t2\t0.25\t0.5\tg3\n", 1, 2, 0.5f, 0.25f, "g3"}};
    for (const auto& c : cases) {
        ScatterPlotData d;
        std::vector<std::string> log;
        PasteSeries(d, c.text, c.tag, log);
        const ScatterSeries& s = d.Series[1];
        EXPECT_EQ(s.Values[1][1], c.x) << c.tag;
        EXPECT_EQ(s.Values[2][1], c.y);
        EXPECT_EQ(s.Values[3][1], c.errY);
        EXPECT_EQ(s.Values[4][1], c.errX);
        ASSERT_GE(s.Annotations.size(), 2u);
        EXPECT_EQ(s.Annotations[0], "test");
        EXPECT_EQ(s.Annotations[1], c.annotation);
    }
    ScatterPlotData d;
    std::vector<std::string> log;
    PasteSeries(d, cases[0].text, 0, log);
    EXPECT_EQ(d.Series[1].Count, 2);
    EXPECT_EQ(d.Series[1].Values[1][2], 3.0f);
    EXPECT_EQ(d.Series[1].Values[2][2], 4.0f);
    EXPECT_EQ(d.Series[1].Annotations[2], "");
    EXPECT_EQ(log, (std::vector<std::string>{"1\t2\tabc ", "3\t4 "}));
    EXPECT_EQ(d.RangeMaxX, 3.0f);
}

TEST(ScatterData, CopyAllOrSelectedAndSwapWithErrorBars) {
    ScatterPlotData d;
    std::vector<std::string> log;
    PasteSeries(d, "1\t2\t0.1\t0.2\ta\n-3.5\t4\t0.3\t0.4\n", 3, log);
    d.Series[1].Flags[2] = 1;
    EXPECT_EQ(CopySeriesText(d.Series[1], false), "1.000\t2.000\ta\r\n-3.500\t4.000\t\r\n");
    EXPECT_EQ(CopySeriesText(d.Series[1], true), "-3.500\t4.000\t\r\n");
    d.Series[1].XLabel = "A";
    int errorBars = 1 | 4;
    SwapSeriesAxes(d, errorBars);
    EXPECT_EQ(errorBars, 2 | 4);
    const ScatterSeries& s = d.Series[1];
    EXPECT_EQ(s.YLabel, "A");
    EXPECT_EQ(s.Values[1][2], 4.0f);
    EXPECT_EQ(s.Values[2][2], -3.5f);
    EXPECT_FLOAT_EQ(s.Values[3][1], 0.1f); // the x error became the y error
    EXPECT_FLOAT_EQ(s.Values[4][1], 0.2f);
    EXPECT_EQ(d.RangeMinY, -3.5f);
    EXPECT_FALSE(d.AllYNonNegative);
}

} // namespace
