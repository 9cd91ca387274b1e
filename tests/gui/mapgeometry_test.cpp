#include "bandlist.h"
#include "mapgeometry.h"
#include "mapsteps.h"

#include <gtest/gtest.h>

namespace {

// Three chromosomes: p arms 100, 300 and 200 bp, q arms 500, 200 and 700 bp.
tGenomeLayout ThreeChromosomes() {
    return MakeLayout({{1, 1, 0, 0, 0, 1, 100},
                       {1, 2, 0, 0, 0, 101, 600},
                       {2, 1, 0, 0, 0, 1, 300},
                       {2, 2, 0, 0, 0, 301, 500},
                       {3, 1, 0, 0, 0, 1, 200},
                       {3, 2, 0, 0, 0, 201, 900}});
}

MapViewInputs View(int orientation) {
    MapViewInputs v;
    v.Width = 1040;
    v.Height = 540;
    v.Orientation = orientation;
    v.FirstChromosome = 1;
    v.LastChromosome = 25;
    return v;
}

TEST(MapGeometry, TracksTakeTheirRoomAcrossInOrder) {
    const tGenomeLayout layout = ThreeChromosomes();
    MapViewInputs v = View(1);
    // Ideogram with band names: 15 + 45 per chromosome; the label 50 in.
    MapGeometry g(v, layout);
    ASSERT_EQ(g.Chromosomes().size(), 3u);
    EXPECT_EQ(g.Chromosomes()[1].Start, 60);
    EXPECT_EQ(g.Chromosomes()[1].LabelAcross, 110);
    EXPECT_EQ(g.Chromosomes()[1].Ideogram, 60);
    EXPECT_FALSE(g.Chromosomes()[1].Genes || g.Chromosomes()[1].CGH);
    EXPECT_EQ(g.Pitch(), 60);

    // All tracks: genes with names (50 first, then 50 + the name width), CGH (display start
    // + 10 each side), expression (10, columns, 10, 100 of annotation), then the gap.
    v.ShowBandNames = false;
    v.ShowGenes = v.ShowGeneNames = v.ShowCGH = v.ShowExpression = true;
    v.ShowExpressionAnnotation = true;
    v.CGHDisplayStart = 40;
    v.ExpressionColumns = 30;
    v.ChromosomeGap = 7;
    g = MapGeometry(v, layout);
    const PaintedChromosome& first = g.Chromosomes()[0];
    EXPECT_EQ(first.LabelAcross, 15);
    EXPECT_EQ(first.Ideogram, 0);
    EXPECT_EQ(first.Genes, 35 + 50);
    EXPECT_EQ(first.CGH, 85 + 150 + 50);
    EXPECT_EQ(first.Expression, 285 + 50 + 10);
    EXPECT_EQ(first.End, 295 + 30 + 10 + 100 + 7 + 50);
    EXPECT_EQ(g.Pitch(), first.End);
    EXPECT_EQ(g.Chromosomes()[2].Start, 2 * first.End);

    // Unselected chromosomes and those outside the range take no room.
    tGenomeLayout some = layout;
    some.Selected[2] = 0;
    v.FirstChromosome = 2;
    v.LastChromosome = 3;
    g = MapGeometry(v, some);
    ASSERT_EQ(g.Chromosomes().size(), 1u);
    EXPECT_EQ(g.Chromosomes()[0].Chromosome, 3);
    EXPECT_EQ(g.Chromosomes()[0].Start, 0);
}

TEST(MapGeometry, ScaleFitsTheLongestChromosomeOrTheOneShown) {
    const tGenomeLayout layout = ThreeChromosomes();
    MapViewInputs v = View(1);
    MapGeometry g(v, layout);
    // Longest p arm 300 and longest q arm 700, of different chromosomes.
    EXPECT_EQ(g.ShownLongestArm(), 300);
    EXPECT_EQ(g.ShownLongestChromosome(), 1000);
    EXPECT_FLOAT_EQ(g.Scale(), 0.5f); // (540 - 40) / 1000
    v.Orientation = 2;
    v.Zoom = 3;
    EXPECT_FLOAT_EQ(MapGeometry(v, layout).Scale(), 3.0f); // (1040 - 40) / 1000 x 3
    v.FirstChromosome = v.LastChromosome = 2;
    g = MapGeometry(v, layout);
    EXPECT_EQ(g.ShownLongestArm(), 300);
    EXPECT_EQ(g.ShownLongestChromosome(), 500);
    EXPECT_FLOAT_EQ(g.Scale(), 6.0f);

    // No ideogram: nothing painted, the longest chromosome taken as 1.
    g = MapGeometry(View(1), tGenomeLayout{});
    EXPECT_TRUE(g.Chromosomes().empty());
    EXPECT_FALSE(g.Pitch());
    EXPECT_EQ(g.ShownLongestChromosome(), 1);
    EXPECT_FLOAT_EQ(g.Scale(), 500.0f);
}

TEST(MapGeometry, CentromeresLineUpAndPixelsConvertBack) {
    const tGenomeLayout layout = ThreeChromosomes();
    MapViewInputs v = View(1);
    v.AlongScroll = 40;
    const MapGeometry g(v, layout);
    // Each centromere (end of the p arm, + 1) lies at (1 - 40 + 300) x 0.5.
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(g.AlongPixel(c, layout.ArmMaxEnd[c][1] + 1), 130) << c;
    // Position 1 of chromosome 1 (p arm 100) starts 200 bp further along than chromosome 2's.
    EXPECT_EQ(g.AlongPixel(1, 1) - g.AlongPixel(2, 1), 100);
    // Halves round to even.
    EXPECT_EQ(g.AlongPixel(2, 42), 1);
    EXPECT_EQ(g.AlongPixel(2, 44), 2);
    // Back from pixels on the common axis: p arm before the centromere, q arm past its gap.
    EXPECT_EQ(g.BasePairAt(MapGeometry::kTop + g.AlongPixel(2, 100)), 100 + 0);
    EXPECT_EQ(g.BasePairAt(MapGeometry::kTop + MapGeometry::kArmGap + g.AlongPixel(2, 500)), 500);
    EXPECT_EQ(MapGeometry().BasePairAt(100), 0);
}

TEST(MapGeometry, HugeZoomsAndScrollsStayWithinPixelRange) {
    const tGenomeLayout layout = ThreeChromosomes();
    MapViewInputs v = View(1);
    v.Zoom = kMaxZoom;
    v.AlongScroll = 2000000000;
    const MapGeometry g(v, layout);
    EXPECT_EQ(g.AlongPixel(1, 1), -MapGeometry::kPixelLimit);
    EXPECT_EQ(g.AlongPixel(1, 4e9), MapGeometry::kPixelLimit);
    EXPECT_EQ(MapGeometry::ClampPixel(std::numeric_limits<double>::infinity()),
              MapGeometry::kPixelLimit);
    EXPECT_EQ(MapGeometry::ClampPixel(std::numeric_limits<double>::quiet_NaN()), 0);
    // Chromosomes outside the layout's table have no arms.
    EXPECT_EQ(g.PArm(41), 0);
    EXPECT_EQ(g.QArm(-1), 0);
}

TEST(MapSteps, ZoomStepsGrowWithTheZoomAndStopAtTheCap) {
    std::vector<int> zooms{1};
    while (zooms.size() < 11) zooms.push_back(SteppedZoom(zooms.back(), 1));
    EXPECT_EQ(zooms, (std::vector<int>{1, 2, 3, 4, 5, 7, 9, 11, 13, 16, 19}));
    EXPECT_EQ(SteppedZoom(100, 1), 125);
    EXPECT_EQ(SteppedZoom(125, -1), 95); // step 6 x round(ln 125) = 30
    EXPECT_EQ(SteppedZoom(1, -1), 1);
    EXPECT_EQ(SteppedZoom(2, -1), 1);
    EXPECT_EQ(SteppedZoom(99990, 1), kMaxZoom);
    EXPECT_EQ(SteppedZoom(kMaxZoom, 1), kMaxZoom);
    EXPECT_EQ(SteppedZoom(5000000, 1), kMaxZoom);
}

TEST(MapSteps, ScrollStepsAlongAndAcross) {
    EXPECT_EQ(ScrollLineStep(true, 248956422, 1, 800), 13102969);
    EXPECT_EQ(ScrollLineStep(true, 248956422, 1000, 800), 13102);
    EXPECT_EQ(ScrollLineStep(true, 100, 10, 800), 1);
    EXPECT_EQ(ScrollLineStep(false, 248956422, 1, 800), 42);
    EXPECT_EQ(ScrollLineStep(false, 0, 1, 10), 0);
}

TEST(MapSteps, ChooserWrapsThroughAll) {
    EXPECT_EQ(ChooserStep(QStringLiteral("y"), 24, true), 25);
    EXPECT_EQ(ChooserStep(QStringLiteral("all"), 24, true), 1);
    EXPECT_EQ(ChooserStep(QStringLiteral("1"), 24, false), 25);
    EXPECT_EQ(ChooserStep(QStringLiteral("all"), 24, false), 24);
    EXPECT_EQ(ChooserStep(QStringLiteral("x"), 24, true), 24);
    EXPECT_EQ(ChooserStep(QStringLiteral("12"), 24, false), 11);
    // Anything else stands for all.
    EXPECT_EQ(ChooserStep(QStringLiteral("abc"), 24, true), 1);
    EXPECT_EQ(ChooserStep(QStringLiteral("30"), 24, false), 24);
    EXPECT_EQ(ChooserText(23), QStringLiteral("x"));
    EXPECT_EQ(ChooserText(24), QStringLiteral("y"));
    EXPECT_EQ(ChooserText(7), QStringLiteral("7"));
}

} // namespace
