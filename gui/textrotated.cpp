#include "textrotated.h"

#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>

void TextOutRotated(const QString& text, QPainter& canvas, int fontHeight, TColor colour, int angle,
                    int y, int x) {
    canvas.save();
    QFont font = canvas.font();
    // A negative height is the character height, a positive one the cell height; both map to
    // pixels here.
    font.setPixelSize(std::max(1, std::abs(fontHeight)));
    canvas.setFont(font);
    canvas.setPen(ToQColor(colour));
    canvas.translate(x, y);
    canvas.rotate(-angle);
    canvas.drawText(0, QFontMetrics(font).ascent(), text);
    canvas.restore();
}
