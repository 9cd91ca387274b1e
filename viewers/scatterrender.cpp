#include "scatterrender.h"

#include "gdicanvas.h"
#include "textrotated.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr TColor kBlack = 0, kBlue = 0xFF0000;
constexpr TColor kButtonFace = 0xF0F0F0;

double AxisValue(float v, bool log) {
    return log ? std::log10(std::max(static_cast<double>(v), 1.0)) : static_cast<double>(v);
}

// Pixel offsets stay within a few plot sizes, so far-off values neither overflow nor draw.
int Offset(double v, int size) {
    const double limit = 4.0 * size + 16;
    return static_cast<int>(std::lrint(std::clamp(v, -limit, limit)));
}

// The image's pixels, taken before a painter begins on it so points can be written between the
// painter's lines.
class PointWriter {
  public:
    explicit PointWriter(QImage& image)
        : bits_(reinterpret_cast<uint32_t*>(image.bits())), stride_(image.bytesPerLine() / 4),
          w_(image.width()), h_(image.height()) {}

    void Square(int px, int py, QRgb outline) const {
        const int l = px - 2, t = py - 2;
        if (l >= 0 && t >= 0 && l + 4 <= w_ && t + 4 <= h_) {
            uint32_t* row = bits_ + static_cast<qsizetype>(t) * stride_ + l;
            row[0] = row[1] = row[2] = row[3] = outline;
            row += stride_;
            row[0] = row[3] = outline;
            row[1] = row[2] = 0xFFFFFFFFu;
            row += stride_;
            row[0] = row[3] = outline;
            row[1] = row[2] = 0xFFFFFFFFu;
            row += stride_;
            row[0] = row[1] = row[2] = row[3] = outline;
            return;
        }
        for (int y = std::max(t, 0); y < std::min(t + 4, h_); ++y) {
            for (int x = std::max(l, 0); x < std::min(l + 4, w_); ++x) {
                const bool edge = x == l || x == l + 3 || y == t || y == t + 3;
                bits_[static_cast<qsizetype>(y) * stride_ + x] = edge ? outline : 0xFFFFFFFFu;
            }
        }
    }

  private:
    uint32_t* bits_;
    qsizetype stride_;
    int w_, h_;
};

struct PlotMapping {
    const ScatterAxes& axes;
    const ScatterStyle& style;
    int w, h;
    int X(double axisValue) const { return Offset((axisValue - axes.minX) * axes.scaleX, w); }
    int Y(double axisValue) const { return h - Offset((axisValue - axes.minY) * axes.scaleY, h); }
};

void YErrorBar(GdiCanvas& c, const PlotMapping& m, int px, double ya, float e) {
    const int top = m.Y(ya + e), bottom = m.Y(ya - e);
    c.MoveTo(px, top);
    c.LineTo(px, bottom);
    c.MoveTo(px - 2, top);
    c.LineTo(px + 2, top);
    c.MoveTo(px - 2, bottom);
    c.LineTo(px + 2, bottom);
}

void XErrorBar(GdiCanvas& c, const PlotMapping& m, int py, double xa, float e) {
    const int right = m.X(xa + e), left = m.X(xa - e);
    c.MoveTo(right, py);
    c.LineTo(left, py);
    c.MoveTo(right, py - 2);
    c.LineTo(right, py + 2);
    c.MoveTo(left, py - 2);
    c.LineTo(left, py + 2);
}

// Row 1 or 2 of a series as a log axis places it, computed once per change of the values rather
// than on every render; NaN marks a value that is not finite, which is not drawn.
const double* LogRow(const ScatterSeries& s, int row) {
    std::vector<double>& logs = s.LogValues[row];
    const std::vector<float>& values = s.Values[row];
    if (logs.size() != values.size()) {
        logs.resize(values.size());
        for (size_t i = 0; i < values.size(); ++i)
            logs[i] = std::isfinite(values[i]) ? AxisValue(values[i], true)
                                               : std::numeric_limits<double>::quiet_NaN();
    }
    return logs.data();
}

// The points of one series from their axis values ax, ay (the values themselves or their logs).
template <typename X, typename Y>
void PaintPoints(GdiCanvas& c, const PointWriter& writer, const ScatterSeries& s,
                 const PlotMapping& m, QRgb outline, bool selectedOnly, const X* ax, const Y* ay) {
    const bool extras = selectedOnly ? (m.style.errorBarMode & 1) != 0
                                     : m.style.lineMode != 0 || (m.style.errorBarMode & 3) != 0;
    const size_t n = std::min(static_cast<size_t>(std::max(s.Count, 0)) + 1, s.Flags.size());
    const int32_t* flags = s.Flags.data();
    bool first = true;
    int lastX = 0, lastY = 0;
    for (size_t i = 1; i < n; ++i) {
        if (selectedOnly && flags[i] < 1) continue;
        const double xa = ax[i], ya = ay[i];
        if (!std::isfinite(xa) || !std::isfinite(ya)) continue;
        const int px = m.X(xa), py = m.Y(ya);
        writer.Square(px, py, outline);
        if (!extras) continue;
        if (!selectedOnly && m.style.lineMode != 0) {
            if (first) lastX = px, lastY = py;
            c.MoveTo(lastX, lastY);
            if (m.style.lineMode == 2) c.LineTo(px, lastY);
            c.LineTo(px, py);
        }
        first = false;
        lastX = px;
        lastY = py;
        if (m.style.errorBarMode & 1) YErrorBar(c, m, px, ya, s.Values[3][i]);
        if (!selectedOnly && (m.style.errorBarMode & 2)) XErrorBar(c, m, py, xa, s.Values[4][i]);
    }
}

void PaintSeries(GdiCanvas& c, const PointWriter& writer, const ScatterSeries& s,
                 const PlotMapping& m, TColor colour, bool selectedOnly) {
    const QRgb outline = ToQColor(colour).rgb();
    const auto paint = [&](const auto* ax, const auto* ay) {
        PaintPoints(c, writer, s, m, outline, selectedOnly, ax, ay);
    };
    const float* vx = s.Values[1].data();
    const float* vy = s.Values[2].data();
    if (m.style.logX && m.style.logY)
        paint(LogRow(s, 1), LogRow(s, 2));
    else if (m.style.logX)
        paint(LogRow(s, 1), vy);
    else if (m.style.logY)
        paint(vx, LogRow(s, 2));
    else
        paint(vx, vy);
}

} // namespace

TColor SeriesColour(int k) {
    switch (k) {
    case 2:
        return kBlue;
    case 3:
        return 0x0000FF;
    case 4:
        return 0x008000;
    default:
        return kBlack;
    }
}

ScatterAxes ScatterAxesFor(const ScatterPlotData& data, ScatterStyle& style, int w, int h) {
    ScatterAxes a;
    a.empty = data.Empty();
    // A log axis runs from log10(1) = 0, where values below 1 are drawn.
    const auto limits = [](bool& log, bool nonNegative, float lo, float hi, float& min,
                           float& max) {
        if (log && nonNegative) {
            min = 0;
            max = static_cast<float>(std::log10(std::max(hi, 1.0f)));
        } else {
            log = false;
            min = lo;
            max = hi;
        }
    };
    if (!a.empty) {
        limits(style.logX, data.AllXNonNegative, data.RangeMinX, data.RangeMaxX, a.minX, a.maxX);
        limits(style.logY, data.AllYNonNegative, data.RangeMinY, data.RangeMaxY, a.minY, a.maxY);
    }
    if (style.logX != style.logY) style.symmetric = false;
    if (style.symmetric) {
        a.minX = a.minY = std::min(a.minX, a.minY);
        a.maxX = a.maxY = std::max(a.maxX, a.maxY);
    }
    a.scaleX = static_cast<float>(w / std::max(static_cast<double>(a.maxX) - a.minX, 1.0));
    a.scaleY = static_cast<float>(h / std::max(static_cast<double>(a.maxY) - a.minY, 1.0));
    return a;
}

void WritePointSquare(QImage& image, int px, int py, QRgb outline) {
    PointWriter(image).Square(px, py, outline);
}

void PaintScatterPlot(QImage& plot, const ScatterPlotData& data, const ScatterAxes& axes,
                      const ScatterStyle& style) {
    const int w = plot.width(), h = plot.height();
    plot.fill(Qt::white);
    const PointWriter writer(plot);
    GdiCanvas c(plot);
    const PlotMapping m{axes, style, w, h};
    c.SetPen(kButtonFace);
    c.MoveTo(m.X(0), 0);
    c.LineTo(m.X(0), h);
    c.MoveTo(0, m.Y(0));
    c.LineTo(w, m.Y(0));
    for (int k = 1; k <= kScatterSlots; ++k) {
        if (data.Series[k].Count <= 0) continue;
        c.SetPen(SeriesColour(k));
        PaintSeries(c, writer, data.Series[k], m, SeriesColour(k), false);
    }
    c.SetPen(kBlue);
    for (int k = 1; k <= kScatterSlots; ++k)
        if (data.Series[k].Count > 0) PaintSeries(c, writer, data.Series[k], m, kBlue, true);
    // The main diagonal keeps the selection's pen, as it always has.
    if (style.plotKind == 1 && style.mainDiagonal) {
        c.MoveTo(0, h);
        c.LineTo(w, 0);
    }
    if (style.plotKind == 1 && style.sideDiagonals) {
        const std::pair<double, TColor> sides[] = {{2, 0xC0C0FF}, {4, 0xFFC0C0}, {8, 0xC0FFC0}};
        for (const auto& [f, colour] : sides) {
            const int o = Offset(std::log10(f) * axes.scaleY, h);
            c.SetPen(colour);
            c.MoveTo(0, h - o);
            c.LineTo(w, -o);
            c.MoveTo(0, h + o);
            c.LineTo(w, o);
        }
    }
    c.SetPen(kBlack);
    c.ClearBrush();
    c.Rectangle(0, 0, w, h);
}

void PaintScatterTicks(QImage& canvas, const QRect& plotRect, const ScatterPlotData& data,
                       const ScatterAxes& axes, const ScatterStyle& style) {
    GdiCanvas c(canvas);
    c.SetPen(kBlack);
    c.ClearBrush();
    const QFontMetrics fm(c.Painter().font());
    const int left = plotRect.left(), top = plotRect.top();
    const int w = plotRect.width(), h = plotRect.height();
    // Tick values and their pixel offsets from the axis start, with the title's suffix.
    const auto ticks = [&](float lo, float hi, float scale, bool log, auto&& draw) -> std::string {
        if (log) {
            for (long e = lo < 0 ? std::lrint(std::ceil(lo)) : 0;
                 e <= std::lrint(std::ceil(hi)) - 1; ++e)
                draw(e, Offset(e * static_cast<double>(scale), w + h));
            return " [log10]";
        }
        const AxisScale s = AxisScaleFactor(std::max(std::fabs(lo), std::fabs(hi)));
        for (double i = std::ceil(lo / s.divisor); i <= std::ceil(hi / s.divisor) - 1; ++i)
            draw(static_cast<long>(i), Offset((i * s.divisor - lo) * scale, w + h));
        return s.suffix;
    };
    const int yb = top + h;
    std::string xSuffix, ySuffix;
    if (!axes.empty) {
        xSuffix = ticks(axes.minX, axes.maxX, axes.scaleX, style.logX, [&](long v, int off) {
            const int x = left + off;
            c.MoveTo(x, yb);
            c.LineTo(x, yb + 5);
            const QString label = QString::number(v);
            c.TextOut(x - c.TextWidth(label) / 2, yb + 8, label);
        });
        ySuffix = ticks(axes.minY, axes.maxY, axes.scaleY, style.logY, [&](long v, int off) {
            const int y = yb - off;
            c.MoveTo(left, y);
            c.LineTo(left - 5, y);
            const QString label = QString::number(v);
            c.TextOut(left - 8 - c.TextWidth(label), y - fm.height() / 2, label);
        });
    }
    const QString xTitle = QString::fromStdString(data.Series[1].XLabel + xSuffix);
    if (!xTitle.isEmpty()) c.TextOut(left + w - c.TextWidth(xTitle), yb + 28, xTitle);
    const QString yTitle = QString::fromStdString(data.Series[1].YLabel + ySuffix);
    if (!yTitle.isEmpty())
        TextOutRotated(yTitle, c.Painter(), fm.height(), kBlack, 90, c.TextWidth(yTitle) + top, 5);
}
