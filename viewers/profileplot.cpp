#include "profileplot.h"

#include "colours.h"
#include "numbers.h"
#include "textrotated.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {
constexpr TColor kZeroLine = 0x404040;
constexpr TColor kGridLine = 0xDFDFDF;
constexpr TColor kSelected = 0xFF00FF;
constexpr TColor kJoin = 0xFF0000; // blue
// Group colours 1..9 as stored colour numbers; other groups are black.
constexpr std::array<TColor, 10> kGroupColours = {0,        0xFFFF00, 0x00FF00, 0x0000FF, 0xFF0000,
                                                  0x008000, 0x000080, 0x800000, 0x008080, 0x800080};

TColor GroupColour(int32_t group) {
    return group >= 1 && group <= 9 ? kGroupColours[static_cast<size_t>(group)] : 0;
}
} // namespace

int ProfileLayout::ChannelX(int32_t c) const {
    return RoundToInt((c - 1) * ChannelStep) + 5;
}

int ProfileLayout::ValueY(double v) const {
    // Far points are held a few heights off the plot, where the lines towards them still point
    // the right way and stay within what the painter handles.
    const double reach = 4.0 * (Plot.height() + 1);
    return Mid - RoundToInt(std::clamp(v * ValueScale, -reach, reach));
}

double ProfileLayout::ValueAt(int y) const {
    return ValueScale > 0 ? -(y - Mid) / ValueScale : 0.0;
}

int ProfileLayout::GridOffset(int k) const {
    return RoundToInt(k * double(GridStep) * ValueScale);
}

int ProfileLayout::GridLines() const {
    // The rescale keeps this at 10 at most; a limit set by hand is held there too.
    return std::clamp(RoundToInt(double(ValueLimit) / GridStep), 0, 1000);
}

ProfileLayout LayoutProfile(QSize box, int32_t channels, int32_t labelHeight, float valueLimit,
                            float gridStep) {
    ProfileLayout l;
    const int64_t height = int64_t{box.height()} - 20 - labelHeight - 25;
    l.Plot = QRect(50, 20, std::max(box.width() - 100, 0),
                   static_cast<int>(std::clamp<int64_t>(height, 0, box.height())));
    l.ValueLimit = valueLimit > 0 ? valueLimit : 1.0f;
    l.GridStep = gridStep > 0 ? gridStep : 1.0f;
    l.ChannelStep = channels > 1 ? std::max(l.Plot.width() - 10, 0) / double(channels - 1) : 0.0;
    l.ValueScale = l.Plot.height() / (2.0 * l.ValueLimit);
    l.Mid = l.Plot.height() / 2;
    return l;
}

void DrawProfile(QPainter& painter, const ProfileLayout& layout, const ProfilePoints& points) {
    if (!layout.Drawable()) return;
    const int w = layout.Plot.width(), h = layout.Plot.height(), mid = layout.Mid;
    painter.save();
    painter.translate(layout.Plot.topLeft());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, w, h), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, w - 1, h - 1);

    const size_t n = std::min({points.Values.size(), points.Selected.size(), points.Groups.size()});
    std::vector<QLine> grid;
    grid.reserve(n + 2 * size_t(layout.GridLines()));
    for (int k = 1; k <= layout.GridLines(); ++k) {
        const int off = layout.GridOffset(k);
        grid.emplace_back(1, mid - off, w - 2, mid - off);
        grid.emplace_back(1, mid + off, w - 2, mid + off);
    }
    for (size_t c = 1; c < n; ++c) {
        const int x = layout.ChannelX(int32_t(c));
        grid.emplace_back(x, 1, x, h - 2);
    }
    painter.setPen(ToQColor(kGridLine));
    painter.drawLines(grid.data(), int(grid.size()));
    painter.setPen(ToQColor(kZeroLine));
    painter.drawLine(1, mid, w - 2, mid);

    std::vector<QPoint> at(n);
    for (size_t c = 1; c < n; ++c)
        at[c] = QPoint(layout.ChannelX(int32_t(c)), layout.ValueY(points.Values[c]));
    painter.setBrush(Qt::NoBrush);
    for (size_t c = 1; c < n; ++c) {
        painter.setPen(
            ToQColor(points.Selected[c] == 1 ? kSelected : GroupColour(points.Groups[c])));
        painter.drawRect(at[c].x() - 3, at[c].y() - 3, 5, 5);
    }
    if (n > 2) {
        painter.setPen(ToQColor(kJoin));
        painter.drawPolyline(at.data() + 1, int(n - 1));
    }
    painter.restore();
}

void DrawProfileLabels(QPainter& painter, QSize box, const ProfileLayout& layout, int32_t channels,
                       const std::function<QString(int32_t)>& label) {
    if (channels < 1) return;
    painter.save();
    painter.setPen(Qt::black);
    const int zeroY = layout.Plot.top() + layout.Mid;
    const QFontMetrics metrics(painter.font());
    // Text cells by their top-left corner, 4 pixels above the line they name.
    const auto text = [&](int y, const QString& s) {
        painter.drawText(10, y - 4 + metrics.ascent(), s);
    };
    text(zeroY, QStringLiteral("0"));
    for (int k = 1; k < layout.GridLines(); ++k) {
        const QString value = QString::number(RoundToInt(k * double(layout.GridStep)));
        text(zeroY - layout.GridOffset(k), value);
        text(zeroY + layout.GridOffset(k), QLatin1Char('-') + value);
    }
    for (int32_t c = 1; c <= channels; ++c) {
        const QString s = label(c);
        if (s.isEmpty()) continue;
        TextOutRotated(s, painter, -12, 0, 90, box.height() - 20,
                       layout.Plot.left() + RoundToInt((c - 1) * layout.ChannelStep));
    }
    painter.restore();
}
