// Projection, per-point mapping and rendered pixels of the 3D plot, without a window.
#include "scat3dmarkers.h"
#include "scat3dscene.h"
#include "scat3dtest.h"

#include <QImage>
#include <limits>
#include <vector>

namespace {

class Scat3DScene : public Scat3DTableTest {
  protected:
    // Series 1..6 on X, Y, Z, Size, Color, Marker.
    void Six(const std::vector<std::vector<float>>& columns) {
        for (size_t c = 0; c < columns.size(); ++c)
            AddSeries(w, static_cast<int>(c) + 1, "s" + std::to_string(c + 1), columns[c]);
    }
    tScreenPoint Map(int32_t i, bool* drawn = nullptr) const {
        tScreenPoint p;
        const bool d = tPointPlan(view, w).Map(i, p);
        if (drawn) *drawn = d;
        return p;
    }
    tPlot3DView view;
    tPlotWindowSeries w;
};

TEST_F(Scat3DScene, ProjectionTurnsAboutXThenYThenZAndTheFoldedMatrixAgrees) {
    struct Case {
        int ax, ay, az;
        float x, y, z;
        int u, v;
    } cases[] = {
        {0, 0, 0, 100, 0, 0, 50, 50},    // depth shown obliquely through the tilde 0.5
        {0, 0, 0, 0, 100, 0, 100, 0},    // Y to the right
        {0, 0, 0, 0, 0, 100, 0, -100},   // Z upward
        {0, 90, 90, 100, 0, 0, 0, -100}, // Z turns X after Y has: depth 0
    };
    for (const Case& c : cases) {
        view.AngleX = c.ax, view.AngleY = c.ay, view.AngleZ = c.az;
        const tProjected p = RotateProject(view, c.x, c.y, c.z);
        EXPECT_EQ(p.x, c.u);
        EXPECT_EQ(p.y, c.v);
    }
    EXPECT_NEAR(RotateProject(view, 100, 0, 0).depth, 0, 0.01);
    for (int ax = 0; ax <= 360; ax += 37)
        for (int ay = 0; ay <= 360; ay += 41)
            for (int az = 0; az <= 360; az += 43) {
                view = tPlot3DView{};
                view.AngleX = ax, view.AngleY = ay, view.AngleZ = az, view.Tilde = 0.7f;
                const tProjection m = FoldedProjection(view);
                for (const auto& [x, y, z] :
                     {std::array<float, 3>{153, -87, 211}, std::array<float, 3>{-199, 12, -3}}) {
                    const tProjected p = RotateProject(view, x, y, z);
                    EXPECT_NEAR(RoundScreen(m.m[0][0] * x + m.m[0][1] * y + m.m[0][2] * z), p.x, 1);
                    EXPECT_NEAR(RoundScreen(m.m[1][0] * x + m.m[1][1] * y + m.m[1][2] * z), p.y, 1);
                }
            }
}

TEST_F(Scat3DScene, PointsMapTheirSixValuesToPositionSizeColourAndMarker) {
    // Point 1 at the top of every range, point 2 at the bottom, point 3 beyond short series.
    Six({{0, 100, 50}, {0, 100, 50}, {5, 5, 5}, {200, 0}, {0, 25}, {0, 200}});
    bool drawn = false;
    tScreenPoint p = Map(1, &drawn);
    ASSERT_TRUE(drawn);
    EXPECT_EQ(p.coord[3], 200); // a range maps onto 200 units
    EXPECT_EQ(p.radius, 10);
    EXPECT_EQ(p.colour, qRgb(0, 0, 0)); // Color 0: palette entry 0
    EXPECT_EQ(p.marker, 1);             // Marker 0 clamps to 1
    EXPECT_EQ(p.coord[2], 0);           // a series of range 0 lies at 0
    EXPECT_EQ(p.x, 230);                // X 0, Y 0: the origin
    EXPECT_EQ(p.y, 270);
    p = Map(2);
    EXPECT_EQ(p.radius, 0);
    EXPECT_EQ(p.marker, 0);                   // Size 0 draws a pixel whatever the marker
    EXPECT_EQ(p.colour, qRgb(255, 255, 255)); // Color at the top: entry 25
    EXPECT_EQ(p.x, 230 + 200 + 100);          // X 100 -> 200 units, half of them as depth
    p = Map(3, &drawn);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(p.coord[3], 0); // beyond the Size series' count
    EXPECT_EQ(p.radius, 0);
    PlotSeries[3].Values[3] = std::numeric_limits<float>::infinity(); // "1e999"
    Map(3, &drawn);
    EXPECT_FALSE(drawn);

    w.SeriesView[4].ZoomPercent = 200; // the cube: 8 times
    EXPECT_EQ(Map(1).radius, 12);

    // One series on X and on Size: X is scaled by the zoom, Size is not.
    view.Zoom = 2;
    w.DimSeries[4] = 1;
    w.SeriesView[1].ZoomPercent = 100;
    p = Map(2);
    EXPECT_EQ(p.coord[0], 400);
    EXPECT_EQ(p.coord[3], 200);
    EXPECT_EQ(p.radius, 10);
}

TEST_F(Scat3DScene, ExtremeViewsStayOnTheScreenLimitAndSkipMarkersOutside) {
    Six({{0, 1}, {0, 1}, {0, 1}, {1, 1}, {0, 1}, {0, 1}});
    view.Zoom = 1e30f;
    view.PanX = INT32_MAX;
    tScreenPoint p = Map(2);
    EXPECT_LE(std::abs(p.x), 2 * 1048576);
    QImage image(50, 40, QImage::Format_RGB32);
    RenderScene(image, view, w); // no overflow, nothing drawn out of bounds
}

// Pixels of a rendered scene: points as pixels at known places in the flat view.
TEST_F(Scat3DScene, GatesBlackenOrHidePointsAndThresholdsHideThem) {
    Six({{0, 50, 100}, {0, 50, 100}});
    view.Plot3D = false;
    PlotGates.Masks = {0, 2, 0};
    PlotGates.MaskCount = 3;
    view.GateBits = 2;
    const auto at = [](const QImage& im, int i) {
        const int v = (i - 1) * 100; // values 0, 50, 100 -> 0, 100, 200 units
        return QColor(im.pixel(230 + v, 270 - v));
    };
    QImage image(500, 300, QImage::Format_RGB32);
    view.ColourMode = 2;
    RenderScene(image, view, w);
    EXPECT_EQ(at(image, 1), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 2), QColor(0, 0, 0)); // in a switched-on gate
    view.ColourMode = 1;
    RenderScene(image, view, w);
    EXPECT_EQ(at(image, 2), QColor(Qt::white)); // hidden
    EXPECT_EQ(at(image, 3), QColor(0, 0, 0));   // palette entry 0 of an empty Color series
    SetMaxThreshold(w, 1, 75, nullptr);
    RenderScene(image, view, w);
    EXPECT_EQ(at(image, 3), QColor(Qt::white));
    EXPECT_EQ(at(image, 1), QColor(0, 0, 0));
}

TEST_F(Scat3DScene, TheRasteriserStampsWhatGdiCanvasDraws) {
    const QSize size(61, 47);
    const QPoint places[] = {{30, 23}, {2, 3}, {58, 45}, {-20, 10}, {70, 70}};
    for (int m = 0; m <= 8; ++m)
        for (int r = m ? 1 : 0; r <= (m ? kMaxMarkerRadius : 0); ++r) {
            QImage stamped(size, QImage::Format_RGB32), drawn(size, QImage::Format_RGB32);
            stamped.fill(Qt::white);
            drawn.fill(Qt::white);
            {
                MarkerRaster raster(stamped);
                GdiCanvas canvas(drawn);
                for (const QPoint& at : places) {
                    raster.Stamp(m, r, at.x(), at.y(), qRgb(0, 0, 255));
                    DrawMarker(canvas, m, at.x(), at.y(), r, RGBColor(0, 0, 255));
                }
            }
            EXPECT_EQ(stamped, drawn) << "marker " << m << " radius " << r;
        }
}

} // namespace
