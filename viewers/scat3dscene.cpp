#include "scat3dscene.h"

#include "gdicanvas.h"
#include "numbers.h"
#include "scat3dmarkers.h"

#include <QString>
#include <algorithm>

float DimensionScale(const tPlotSeries& s, const tSeriesView& v, float factor) {
    double r = s.Range;
    if (v.LogScale) r = s.Range > 0 ? std::log10(double(s.Range)) : 1.0;
    double scale = r / 50;
    if (scale > 0) scale = factor / scale * 2;
    double p = v.ZoomPercent;
    if (p > 100) p = p * p / 100 * p / 100;
    return static_cast<float>(scale * p / 50);
}

tPointPlan::tPointPlan(const tPlot3DView& view, const tPlotWindowSeries& w) {
    const auto usable = [](const tPlotSeries& s) {
        return static_cast<int32_t>(
            std::clamp<int64_t>(s.Count, 0, std::max<int64_t>(int64_t(s.Values.size()) - 1, 0)));
    };
    for (int d = 0; d < kDimensions; ++d) {
        const int k = IsPlotRecord(w.DimSeries[d + 1]) ? w.DimSeries[d + 1] : 0;
        const tPlotSeries& s = PlotSeries[k];
        tDimensionPlan& p = dims_[d];
        p.values = s.Values.data();
        p.count = usable(s);
        p.lower = s.LowerThreshold;
        p.upper = s.UpperThreshold;
        p.offset = s.Minimum > 0 ? s.Minimum : 0;
        p.log = w.SeriesView[k].LogScale;
        p.scale = DimensionScale(s, w.SeriesView[k], d < 3 ? view.Zoom : 1.0f);
        maxCount_ = std::max(maxCount_, p.count);
        if (d < 3 && view.CloudCentre && s.Minimum >= 0) axis_[d] = RoundScreen(-100 * view.Zoom);
    }
    points_ = std::max(w.PointCount, 0);
    dataSet_ = PlotSeries[0].Values.data();
    dataSetCount_ = usable(PlotSeries[0]);
    visible_ = w.DataSetVisible.data();
    masks_ = PlotGates.Masks.data();
    maskCount_ =
        std::clamp<int32_t>(PlotGates.MaskCount, 0, static_cast<int32_t>(PlotGates.Masks.size()));
    gateBits_ = view.GateBits;
    colourMode_ = view.ColourMode;
    cloud_ = view.CloudCentre;
    rotate_ = view.Plot3D;
    ox_ = RoundScreen(static_cast<float>((double(view.PanX) + 230) * view.Zoom));
    oy_ = RoundScreen(static_cast<float>((double(view.PanY) + 270) * view.Zoom));
    m_ = FoldedProjection(view);
    palette_ = view.Palette;
}

namespace {

int Screen(int origin, int offset) {
    return static_cast<int>(std::clamp<int64_t>(int64_t(origin) + offset, -1048576, 1048576));
}

// Axes, grids and labels of one render, in the window's coordinates around the origin.
class SceneLines {
  public:
    SceneLines(GdiCanvas& canvas, const tPlot3DView& view, const tPointPlan& plan,
               const std::array<QString, 3>& names)
        : canvas_(canvas), view_(view), names_(names), ox_(plan.OriginX()), oy_(plan.OriginY()) {
        for (int a = 0; a < 3; ++a) off_[a] = static_cast<float>(plan.AxisOffsets()[a]);
    }

    void Draw() {
        canvas_.SetPen(view_.AxesColour);
        canvas_.SetFont(8, view_.AxesColour);
        canvas_.ClearBrush();
        if (view_.Plot3D)
            Draw3D();
        else
            DrawFlat();
    }

  private:
    int Z(double v) const { return RoundToInt(v * view_.Zoom); }

    void Line(const std::array<float, 3>& a, const std::array<float, 3>& b) {
        const tProjected p = RotateProject(view_, a[0], a[1], a[2]);
        const tProjected q = RotateProject(view_, b[0], b[1], b[2]);
        canvas_.MoveTo(Screen(ox_, p.x), Screen(oy_, p.y));
        canvas_.LineTo(Screen(ox_, q.x), Screen(oy_, q.y));
    }

    void Axis(int a, const QString& label) {
        std::array<float, 3> from = off_, to = off_;
        from[a] += Z(off_[a] == 0 ? -200 : 0);
        to[a] += Z(200);
        canvas_.SetPen(view_.AxesColour);
        Line(from, to);
        const tProjected end = RotateProject(view_, to[0], to[1], to[2]);
        canvas_.TextOut(Screen(ox_, end.x), Screen(oy_, end.y), label);
    }

    // A grid line of the plane through axis `n`'s offset: at c along axis p, across axis q. An
    // axis with an offset keeps only its positive side.
    void GridLine(int n, int p, int q, int c, int e) {
        std::array<float, 3> a{}, b{};
        a[n] = b[n] = off_[n];
        a[p] = b[p] = off_[p] + (off_[p] != 0 && c < 0 ? 0 : c);
        a[q] = off_[q] + e;
        b[q] = off_[q] != 0 ? off_[q] : off_[q] - e;
        Line(a, b);
    }

    // A highlight line at c along axis p, from the plane's axis to e across axis q.
    void HighlightLine(int n, int p, int q, int c, int e) {
        std::array<float, 3> a{}, b{};
        a[n] = b[n] = off_[n];
        a[p] = b[p] = off_[p] + c;
        a[q] = off_[q];
        b[q] = off_[q] + e;
        Line(a, b);
    }

    struct Plane {
        bool on;
        int n, p, q; // the fixed axis and the plane's two axes
        Qt::PenStyle style;
    };

    void Draw3D() {
        const QString names[3] = {QStringLiteral("X:"), QStringLiteral("Y:"), QStringLiteral("Z:")};
        for (int a = 0; a < 3; ++a) Axis(a, names[a] + NameOn(a));
        const Plane planes[3] = {{view_.PlaneXZ, 1, 0, 2, Qt::DotLine},
                                 {view_.PlaneXY, 2, 0, 1, Qt::DashLine},
                                 {view_.PlaneZY, 0, 2, 1, Qt::DashDotDotLine}};
        const int e = Z(180);
        for (const Plane& pl : planes) {
            if (!pl.on) continue;
            canvas_.SetPen(RGBColor(128, 128, 128), pl.style);
            for (int i = -9; i <= 9; ++i) {
                const int c = Z(20.0 * i);
                GridLine(pl.n, pl.p, pl.q, c, e);
                GridLine(pl.n, pl.q, pl.p, c, e);
            }
        }
        const bool centred = off_[0] == 0 && off_[1] == 0 && off_[2] == 0;
        for (const Plane& pl : planes) {
            if (!pl.on) continue;
            canvas_.SetPen(RGBColor(0, 0, 255), Qt::DotLine);
            for (int i = 0; i <= 9; ++i) {
                HighlightLine(pl.n, pl.p, pl.q, Z(20.0 * i), e);
                HighlightLine(pl.n, pl.q, pl.p, Z(20.0 * i), e);
            }
            if (!centred) continue;
            canvas_.SetPen(RGBColor(255, 0, 0), Qt::DotLine);
            for (int i = -9; i <= -1; ++i) {
                HighlightLine(pl.n, pl.p, pl.q, Z(20.0 * i), -e);
                HighlightLine(pl.n, pl.q, pl.p, Z(20.0 * i), -e);
            }
        }
    }

    void DrawFlat() {
        const int ax = static_cast<int>(off_[0]), ay = static_cast<int>(off_[1]);
        const int x1 = ax + Z(ax == 0 ? -200 : 0), x2 = ax + Z(200);
        const int y = ay + Z(ay == 0 ? 0 : 200);
        canvas_.MoveTo(Screen(ox_, x1), Screen(oy_, y));
        canvas_.LineTo(Screen(ox_, x2), Screen(oy_, y));
        canvas_.TextOut(Screen(ox_, x2), Screen(oy_, y) + 10, QStringLiteral("X:") + NameOn(0));
        const int y1 = ay == 0 ? ay + Z(-200) : ay + Z(200);
        const int y2 = ay == 0 ? ay + Z(200) : ay;
        canvas_.MoveTo(Screen(ox_, ax), Screen(oy_, y1));
        canvas_.LineTo(Screen(ox_, ax), Screen(oy_, y2));
        canvas_.TextOut(Screen(ox_, ax), Screen(oy_, y2) - 30, QStringLiteral("Y:") + NameOn(1));
    }

    const QString& NameOn(int axis) const { return names_[axis]; }

    GdiCanvas& canvas_;
    const tPlot3DView& view_;
    const std::array<QString, 3>& names_;
    int ox_, oy_;
    std::array<float, 3> off_{};
};

} // namespace

void RenderScene(QImage& image, const tPlot3DView& view, const tPlotWindowSeries& w) {
    const tPointPlan plan(view, w);
    {
        GdiCanvas canvas(image);
        canvas.SetPen(0xFFFFFF);
        canvas.SetBrush(view.Background);
        canvas.Rectangle(0, 0, image.width(), image.height());
        std::array<QString, 3> names;
        for (int a = 0; a < 3; ++a) {
            const int k = w.DimSeries[a + 1];
            names[a] = QString::fromStdString(PlotSeries[IsPlotRecord(k) ? k : 0].Name);
        }
        SceneLines(canvas, view, plan, names).Draw();
    }
    MarkerRaster raster(image);
    tScreenPoint p;
    for (int32_t i = 1; i <= plan.PointCount(); ++i)
        if (plan.Map(i, p)) raster.Stamp(p.marker, p.radius, p.x, p.y, p.colour);
}
