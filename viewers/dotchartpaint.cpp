#include "dotchartpaint.h"

#include "colours.h"
#include "numbers.h"
#include "textrotated.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kLeft = 80, kTop = 50, kRight = 20, kBottom = 90;

QStringList LabelLines(const QString& text) {
    return text.split(QStringLiteral("\\n"));
}

int LinesWidth(const QFontMetrics& fm, const QStringList& lines) {
    int w = 0;
    for (const QString& line : lines) w = std::max(w, fm.horizontalAdvance(line));
    return w;
}

void Line(QPainter& p, int x1, int y1, int x2, int y2) {
    p.drawLine(x1, y1, x2, y2);
}

// One symbol of `size` pixels centred on (cx, cy).
void DrawSymbol(QPainter& p, int symbol, int cx, int cy, int size) {
    const int h = size / 2;
    switch (symbol) {
    case 2:
        p.drawEllipse(cx - h, cy - h, size, size);
        break;
    case 3:
        p.drawPolygon(
            QPolygon({QPoint(cx, cy - h), QPoint(cx + h, cy + h), QPoint(cx - h, cy + h)}));
        break;
    case 4:
        p.drawPolygon(QPolygon(
            {QPoint(cx, cy - h), QPoint(cx + h, cy), QPoint(cx, cy + h), QPoint(cx - h, cy)}));
        break;
    case 5:
        Line(p, cx, cy - h, cx, cy + h);
        Line(p, cx - h, cy, cx + h, cy);
        break;
    case 6:
        Line(p, cx - h, cy - h, cx + h, cy + h);
        Line(p, cx - h, cy + h, cx + h, cy - h);
        break;
    default:
        p.drawRect(cx - h, cy - h, size, size);
        break;
    }
}

// Horizontal lines at centre +- spread pixels over x - w .. x + w, joined at x, dotted.
void DeviationMarks(QPainter& p, int x, int w, int centre, double spread) {
    const int d = RoundToInt(std::clamp(spread, -1e6, 1e6));
    Line(p, x - w, centre - d, x + w, centre - d);
    Line(p, x - w, centre + d, x + w, centre + d);
    Line(p, x, centre - d, x, centre + d);
}

// The group's symbols and summary marks on the plot area (origin at its top-left corner).
void DrawGroup(QPainter& p, const DotGroup& g, int x, const DotAxis& axis,
               const DotChartView& view) {
    int w = g.PointsPerLine == 0
                ? g.SymbolSize
                : RoundToInt(std::clamp(g.SymbolSize * double(g.PointsPerLine), -1e5, 1e5));
    QPen pen(ToQColor(g.PenColour), std::max(0, g.PenWidth));
    p.setPen(pen);
    p.setBrush(Qt::white);
    const auto y = [&](double v) { return axis.Y(v); };
    if (view.Bar) p.drawRect(QRect(QPoint(x - w, y(g.Mean)), QPoint(x + w, y(0))).normalized());
    if (view.Whisker) {
        Line(p, x - w + 5, y(g.Q025), x + w - 5, y(g.Q025));
        Line(p, x - w + 5, y(g.Q975), x + w - 5, y(g.Q975));
        Line(p, x, y(g.Q025), x, y(g.Q975));
    }
    if (view.Box)
        p.drawRect(QRect(QPoint(x - w, y(g.Q75)), QPoint(x + w, y(g.Q25))).normalized());
    else
        w *= 2;
    QPen dotted = pen;
    dotted.setStyle(Qt::DotLine);
    if (view.Mean) Line(p, x - w, y(g.Mean), x + w, y(g.Mean));
    if (view.MeanSDev) {
        p.setPen(dotted);
        DeviationMarks(p, x, w, y(g.Mean), g.StdDev * axis.PixelsPerUnit);
        p.setPen(pen);
    }
    if (view.Median) Line(p, x - w, y(g.Median), x + w, y(g.Median));
    if (view.MedianSDev) {
        p.setPen(dotted);
        DeviationMarks(p, x, w, y(g.Median), g.MedianDev * axis.PixelsPerUnit);
        p.setPen(pen);
    }
    if (!view.Symbols) return;
    p.setBrush(ToQColor(g.BrushColour));
    const double centre = g.PointsPerLine / 2.0 + 0.5;
    for (const DotValue& v : g.Values) {
        const double cx = x + 1.7 * g.SymbolSize * (v.Offset - centre);
        DrawSymbol(p, g.Symbol, RoundToInt(std::clamp(cx, -1e6, 1e6)), y(v.Shown), g.SymbolSize);
    }
}

void DrawAxis(QPainter& p, const QRect& plot, const DotAxis& axis, const DotChartView& view) {
    const QFontMetrics fm(p.font());
    const auto inside = [&](double v) {
        const double y = axis.YExact(v);
        return y >= 0 && y <= plot.height();
    };
    const auto row = [&](double v) { return plot.top() + axis.Y(v); };
    const double minor = axis.Step / 10;
    const int minorCount = RoundToInt(axis.Range / minor) + 1;
    for (int j = -minorCount; j <= minorCount; ++j) {
        const double v = j * minor;
        if (!inside(v)) continue;
        p.setPen(Qt::black);
        Line(p, plot.left() - 1, row(v), plot.left() - 5, row(v));
        if (view.MinorDivision) {
            p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0, Qt::DotLine));
            Line(p, plot.left(), row(v), plot.right(), row(v));
        }
    }
    const int logKind = view.Log2 ? 2 : view.Log10 ? 10 : 0;
    const int majorCount = RoundToInt(axis.Range / axis.Step) + 1;
    for (int j = -majorCount; j <= majorCount; ++j) {
        const double v = j * axis.Step;
        if (!inside(v)) continue;
        const int y = row(v);
        p.setPen(Qt::black);
        Line(p, plot.left() - 1, y, plot.left() - 10, y);
        const QString label = QString::fromStdString(DotAxisLabel(j, axis.Step, logKind));
        p.drawText(QRect(0, y - fm.height() / 2, plot.left() - 15, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, label);
        if (view.MajorDivision) {
            p.setPen(QColor(0x80, 0x80, 0x80));
            Line(p, plot.left(), y, plot.right(), y);
        }
        if (j == 0) {
            p.setPen(Qt::black);
            Line(p, plot.left(), y, plot.right(), y);
        }
    }
}

void DrawName(QPainter& p, const DotGroup& g, int x, int bottom, int legend) {
    const QFontMetrics fm(p.font());
    const int th = fm.height();
    const QStringList lines = LabelLines(QString::fromStdString(g.Name));
    p.setPen(ToQColor(g.PenColour));
    for (int i = 0; i < lines.size(); ++i) {
        const int tw = fm.horizontalAdvance(lines[i]);
        if (legend == 1) {
            TextOutRotated(lines[i], p, th, g.PenColour, 90, bottom + 25 + tw, x - 5 + i * th);
        } else if (legend == 2) {
            const int d = static_cast<int>(std::ceil(std::ceil(tw * 1.1) / 1.4142));
            TextOutRotated(lines[i], p, th, g.PenColour, 45, bottom + 15 + d,
                           x - 10 - d + static_cast<int>(std::ceil(i * th * 1.4142)));
        } else {
            p.drawText(x - tw / 2, bottom + 15 + i * (th + 2) + fm.ascent(), lines[i]);
        }
    }
}
} // namespace

QRect DotChartPlotArea(QSize size) {
    return QRect(kLeft, kTop, std::max(1, size.width() - kLeft - kRight),
                 std::max(1, size.height() - kTop - kBottom));
}

DotAxis DrawDotChart(QPainter& p, QSize size, const DotChartData& data, const DotChartView& view) {
    p.save();
    p.setFont(view.Font);
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const QRect plot = DotChartPlotArea(size);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot.adjusted(-1, -1, 0, 0));
    const int n = std::clamp(data.GroupCount, 0, kMaxDotGroups);
    const double lo = view.AutoScale ? data.AxisMin : view.EditMin;
    const double hi = view.AutoScale ? data.AxisMax : view.EditMax;
    const DotAxis axis = MakeDotAxis(lo, hi, DotChartHasValues(data), plot.height());
    if (n == 0) {
        p.restore();
        return axis;
    }
    DrawAxis(p, plot, axis, view);

    const int sep = view.GroupSeparator, dist = view.GroupDistance;
    const int width =
        sep < 1 ? (plot.width() - 10) / n : (plot.width() - 10 - (n / sep + 1) * dist) / n;
    const int step = width + 1;

    const QFontMetrics fm(view.Font);
    const QStringList title = LabelLines(view.Title);
    const int titleX = plot.center().x() - LinesWidth(fm, title) / 2;
    p.setPen(Qt::black);
    for (int i = 0; i < title.size(); ++i)
        p.drawText(titleX, 10 + i * fm.height() + fm.ascent(), title[i]);
    const QStringList legend = LabelLines(view.YLegend);
    const int legendY = plot.center().y() + LinesWidth(fm, legend);
    for (int i = 0; i < legend.size(); ++i)
        TextOutRotated(legend[i], p, fm.height(), 0, 90, legendY, 10 + i * fm.height());

    int x = step / 2;
    for (int gi = 1; gi <= n; ++gi) {
        const DotGroup& g = data.Groups[gi];
        p.setPen(Qt::black);
        Line(p, plot.left() + x, plot.bottom() + 1, plot.left() + x, plot.bottom() + 11);
        DrawName(p, g, plot.left() + x, plot.bottom() + 1, view.GroupLegend);
        if (!g.Values.empty()) {
            p.save();
            p.translate(plot.topLeft());
            p.setClipRect(QRect(QPoint(0, 0), plot.size()));
            DrawGroup(p, g, x, axis, view);
            p.restore();
        }
        x += step;
        if (sep > 0 && gi % sep == 0) x += dist;
    }
    p.restore();
    return axis;
}
