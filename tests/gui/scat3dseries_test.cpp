// The 3D plots' shared series table, without windows.
#include "scat3dseries.h"
#include "scat3dtest.h"

#include <limits>
#include <vector>

namespace {

class Scat3DSeries : public Scat3DTableTest {
  protected:
    tPlotWindowSeries a, b;
};

TEST_F(Scat3DSeries, RangesAreSymmetricForNegativeDataAndIgnoreValuesThatAreNotFinite) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        std::vector<float> values;
        float minimum, maximum, range;
    } cases[] = {
        {{3, 5, 8}, 3, 8, 5},
        {{8, 3, 5}, 3, 8, 5},
        {{2, -4}, -4, 4, 4},
        {{-1, -5}, -10, 10, 10}, // a negative maximum becomes 10
        {{1, inf, std::numeric_limits<float>::quiet_NaN(), -inf, 3}, 1, 3, 2},
        {{2e6f, 3e6f}, 0, 3e6f, 3e6f}, // a minimum never moved from 1e6 becomes 0
    };
    for (const Case& c : cases) {
        AddSeries(a, 7, "s", c.values);
        const tPlotSeries& s = PlotSeries[7];
        EXPECT_EQ(s.Minimum, c.minimum);
        EXPECT_EQ(s.Maximum, c.maximum);
        EXPECT_EQ(s.Range, c.range);
        EXPECT_EQ(s.LowerThreshold, c.minimum);
        EXPECT_EQ(s.UpperThreshold, c.maximum);
    }
    UpdateSeriesRange3D(a, 9); // an empty series
    EXPECT_EQ(PlotSeries[9].Minimum, 0);
    EXPECT_EQ(PlotSeries[9].Maximum, 10);
    EXPECT_EQ(PlotSeries[9].Range, 10);
}

TEST_F(Scat3DSeries, AddSeriesFillsTheFirstFreeRecordAndDropsWhatDoesNotFit) {
    const std::vector<float> values{1, 2, 3};
    AddSeries(a, 0, "none", {});
    EXPECT_EQ(a.PointCount, 0);
    EXPECT_EQ(PlotSeries[1].Count, 0);
    AddSeries(a, 0, "first", values);
    AddSeries(a, 3, "third", std::vector<float>{4, 5});
    AddSeries(a, 0, "second", values);
    EXPECT_EQ(PlotSeries[1].Name, "first");
    EXPECT_EQ(PlotSeries[2].Name, "second");
    EXPECT_EQ(PlotSeries[3].Values, (std::vector<float>{0, 4, 5}));
    EXPECT_EQ(a.DimSeries[3], 3);
    EXPECT_EQ(a.PointCount, 3);
    for (int k = 4; k <= 100; ++k) AddSeries(a, 0, "fill", values);
    AddSeries(a, 0, "101st", std::vector<float>{9});
    EXPECT_EQ(a.PointCount, 3);
    for (const tPlotSeries& s : PlotSeries) EXPECT_NE(s.Name, "101st");

    ResetSeriesTable(a);
    EXPECT_EQ(PlotSeries[1].Count, 0);
    EXPECT_EQ(PlotSeries[1].Values.capacity(), 0u); // released, not just dropped
    EXPECT_TRUE(PlotSeries[1].Name.empty());
}

TEST_F(Scat3DSeries, ThresholdsAreSharedByEveryWindowShowingTheSeries) {
    AddSeries(a, 1, "s", std::vector<float>{0, 4, 8});
    int redraws = 0;
    const auto redraw = [&redraws] { ++redraws; };
    SetMinThreshold(a, 1, 25, redraw);
    SetMaxThreshold(a, 1, 75, redraw);
    SetMaxThreshold(a, 1, 75, redraw); // unchanged: no redraw
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(a.SeriesView[1].LowerPercent, 25);
    EXPECT_EQ(b.SeriesView[1].LowerPercent, 0); // the percentages are the window's own
    b.DimSeries[1] = 1;
    EXPECT_EQ(PlotSeries[b.DimSeries[1]].LowerThreshold, 2);
    EXPECT_EQ(PlotSeries[b.DimSeries[1]].UpperThreshold, 6);
}

TEST_F(Scat3DSeries, GatesHoldThePointsOutsideTheThresholdsOfTheDimensionSeries) {
    AddSeries(a, 1, "x", std::vector<float>{0, 4, 8, 2});
    AddSeries(a, 8, "z", std::vector<float>{0, 8, 4});
    AddSeries(a, 3, "unshown", std::vector<float>{0, 0, 0, 0});
    a.DimSeries = {};
    a.DimSeries[1] = 1;
    a.DimSeries[3] = 8; // record 8 on Z; record 3 on no dimension
    a.DimSeries[4] = 1; // tested once
    a.PointCount = 4;
    SetMinThreshold(a, 1, 25, nullptr); // x >= 2
    SetMaxThreshold(a, 8, 75, nullptr); // z <= 6
    PlotSeries[3].LowerThreshold = 1;   // would hide every point if record 3 were tested
    EXPECT_EQ(FirstFreeGate(PlotGates), 1);
    ThresholdsToGate(a, 5);
    ASSERT_EQ(PlotGates.MaskCount, 4);
    EXPECT_EQ(PlotGates.Masks, (std::vector<uint32_t>{16, 16, 0, 0}));
    ThresholdsToGate(a, 33); // no such gate
    EXPECT_EQ(PlotGates.Masks, (std::vector<uint32_t>{16, 16, 0, 0}));
    EXPECT_EQ(FirstFreeGate(PlotGates), 1);
    PlotGates.Masks[3] = 0xFFFFFFFFu;
    EXPECT_EQ(FirstFreeGate(PlotGates), 32);
}

} // namespace
