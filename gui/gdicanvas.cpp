#include "gdicanvas.h"

#include "vectorstate.h"

#include <QFontMetrics>
#include <algorithm>

namespace {
// Font height in pixels of a size in points on a 96 dpi display (rounded as MulDiv does).
int PointsToPixels(int points) {
    return std::max(1, (points * 96 + 36) / 72);
}

// Leaves the vector registers clean after Qt's drawing (vectorstate.h), which the probe loops of
// the map run after.
struct AfterQtDrawing {
    AfterQtDrawing() = default;
    AfterQtDrawing(const AfterQtDrawing&) = delete;
    AfterQtDrawing& operator=(const AfterQtDrawing&) = delete;
    ~AfterQtDrawing() { ClearUpperVectorState(); }
};
} // namespace

GdiCanvas::GdiCanvas(QImage& image) : image_(image), painter_(&image) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    SetFont(8, 0);
}

void GdiCanvas::SetPen(TColor colour, Qt::PenStyle style) {
    pen_ = colour;
    penStyle_ = style;
}

void GdiCanvas::SetPenWidth(int width) {
    penWidth_ = std::max(1, width);
}

void GdiCanvas::SetBrush(TColor colour) {
    brush_ = colour;
    brushClear_ = false;
}

void GdiCanvas::ClearBrush() {
    brushClear_ = true;
}

void GdiCanvas::SetFont(int points, TColor colour) {
    font_.setPixelSize(PointsToPixels(points));
    fontColour_ = colour;
    painter_.setFont(font_);
}

void GdiCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    const AfterQtDrawing clean;
    const int l = std::min(x1, x2), r = std::max(x1, x2);
    const int t = std::min(y1, y2), b = std::max(y1, y2);
    if (penStyle_ == Qt::NoPen) {
        if (!brushClear_ && r - l > 1 && b - t > 1)
            painter_.fillRect(QRect(l, t, r - l - 1, b - t - 1), ToQColor(brush_));
        return;
    }
    if (r <= l || b <= t) return;
    const QColor pen = ToQColor(pen_);
    // The outline's band: one pixel wide on the edges kept, widened to both sides.
    const int ol = l - (penWidth_ - 1) / 2, ot = t - (penWidth_ - 1) / 2;
    const int orr = r - 1 + penWidth_ / 2, ob = b - 1 + penWidth_ / 2;
    const int w = orr - ol + 1, h = ob - ot + 1, band = penWidth_;
    if (!brushClear_) {
        // Outline first as a filled block, then the inside in the brush colour.
        painter_.fillRect(QRect(ol, ot, w, h), pen);
        if (w > 2 * band && h > 2 * band)
            painter_.fillRect(QRect(ol + band, ot + band, w - 2 * band, h - 2 * band),
                              ToQColor(brush_));
        return;
    }
    painter_.fillRect(QRect(ol, ot, w, std::min(band, h)), pen);
    painter_.fillRect(QRect(ol, std::max(ot, ob - band + 1), w, std::min(band, h)), pen);
    painter_.fillRect(QRect(ol, ot, std::min(band, w), h), pen);
    painter_.fillRect(QRect(std::max(ol, orr - band + 1), ot, std::min(band, w), h), pen);
}

void GdiCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void GdiCanvas::LineTo(int x, int y) {
    const AfterQtDrawing clean;
    const int x0 = penX_, y0 = penY_;
    MoveTo(x, y);
    if (penStyle_ == Qt::NoPen || (x0 == x && y0 == y)) return;
    const QColor colour = ToQColor(pen_);
    if (penStyle_ == Qt::SolidLine && (x0 == x || y0 == y)) {
        // Straight runs exactly: from the start up to, not including, the end point.
        if (y0 == y)
            painter_.fillRect(x0 < x ? QRect(x0, y, x - x0, 1) : QRect(x + 1, y, x0 - x, 1),
                              colour);
        else
            painter_.fillRect(y0 < y ? QRect(x, y0, 1, y - y0) : QRect(x, y + 1, 1, y0 - y),
                              colour);
        return;
    }
    // A flat-capped cosmetic pen leaves out the last pixel as well.
    QPen pen(colour, 0, Qt::SolidLine, Qt::FlatCap);
    if (penStyle_ == Qt::DashLine)
        pen.setDashPattern({18, 6});
    else if (penStyle_ == Qt::DotLine)
        pen.setDashPattern({3, 3});
    else if (penStyle_ == Qt::DashDotDotLine)
        pen.setDashPattern({9, 3, 3, 3, 3, 3});
    painter_.setPen(pen);
    painter_.drawLine(x0, y0, x, y);
}

void GdiCanvas::TextOut(int x, int y, const QString& text) {
    const AfterQtDrawing clean;
    const QFontMetrics fm(font_);
    if (!brushClear_)
        painter_.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(brush_));
    painter_.setPen(ToQColor(fontColour_));
    painter_.drawText(x, y + fm.ascent(), text);
}

int GdiCanvas::TextWidth(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text);
}
