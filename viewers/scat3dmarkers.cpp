#include "scat3dmarkers.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
// An outline ellipse inside the box, right and bottom edges excluded as in Windows.
void Ellipse(GdiCanvas& canvas, int l, int t, int r, int b, TColor colour) {
    if (r - l < 2 || b - t < 2) return;
    QPainter& p = canvas.Painter();
    p.setPen(QPen(ToQColor(colour), 0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
}

struct Sprite {
    std::vector<std::pair<int, int>> pixels; // (dx, dy)
    int reach = 0;
};

// Every sprite, drawn once per process.
const std::vector<Sprite>& Sprites() {
    static const std::vector<Sprite> sprites = [] {
        constexpr int c = 2 * kMaxMarkerRadius + 2, size = 2 * c + 1;
        std::vector<Sprite> all(9 * (kMaxMarkerRadius + 1));
        for (int m = 1; m <= 8; ++m) {
            for (int r = 0; r <= kMaxMarkerRadius; ++r) {
                QImage image(size, size, QImage::Format_RGB32);
                image.fill(Qt::white);
                {
                    GdiCanvas canvas(image);
                    DrawMarker(canvas, m, c, c, r, 0);
                }
                Sprite& s = all[m * (kMaxMarkerRadius + 1) + r];
                for (int y = 0; y < size; ++y)
                    for (int x = 0; x < size; ++x)
                        if (image.pixel(x, y) != 0xFFFFFFFFu) {
                            s.pixels.emplace_back(x - c, y - c);
                            s.reach = std::max({s.reach, std::abs(x - c), std::abs(y - c)});
                        }
            }
        }
        return all;
    }();
    return sprites;
}
} // namespace

void DrawMarker(GdiCanvas& canvas, int m, int x, int y, int r, TColor colour) {
    canvas.SetPen(colour);
    canvas.ClearBrush();
    switch (m) {
    case 0:
        canvas.Painter().fillRect(x, y, 1, 1, ToQColor(colour));
        break;
    case 1:
        canvas.Rectangle(x - r, y - r, x + r, y + r);
        break;
    case 2:
        Ellipse(canvas, x - r, y - r, x + r, y + r, colour);
        break;
    case 3:
        canvas.MoveTo(x, y - r);
        canvas.LineTo(x - r, y + r);
        canvas.LineTo(x + r, y + r);
        canvas.LineTo(x, y - r);
        break;
    case 4:
        canvas.MoveTo(x, y - r);
        canvas.LineTo(x, y + r);
        canvas.MoveTo(x + r, y);
        canvas.LineTo(x - r, y);
        break;
    case 5:
        canvas.MoveTo(x + r, y + r);
        canvas.LineTo(x - r, y - r);
        canvas.MoveTo(x + r, y - r);
        canvas.LineTo(x - r, y + r);
        break;
    case 6:
        canvas.MoveTo(x + r, y);
        canvas.LineTo(x, y - r);
        canvas.LineTo(x - r, y);
        canvas.LineTo(x, y + r);
        canvas.LineTo(x + r, y);
        break;
    case 7:
        Ellipse(canvas, x - 2 * r, y - r, x + 2 * r, y + r, colour);
        break;
    case 8:
        Ellipse(canvas, x - r, y - 2 * r, x + r, y + 2 * r, colour);
        break;
    default:
        break;
    }
}

MarkerRaster::MarkerRaster(QImage& image)
    : bits_(reinterpret_cast<uint32_t*>(image.bits())), stride_(image.bytesPerLine() / 4),
      width_(image.width()), height_(image.height()) {
    const std::vector<Sprite>& sprites = Sprites();
    fitted_.resize(sprites.size());
    for (size_t k = 0; k < sprites.size(); ++k) {
        fitted_[k].reach = sprites[k].reach;
        for (const auto& [dx, dy] : sprites[k].pixels)
            fitted_[k].offsets.push_back(dy * stride_ + dx);
    }
}

void MarkerRaster::StampClipped(int m, int r, int x, int y, QRgb colour) {
    for (const auto& [dx, dy] : Sprites()[m * (kMaxMarkerRadius + 1) + r].pixels) {
        const int px = x + dx, py = y + dy;
        if (px >= 0 && py >= 0 && px < width_ && py < height_)
            bits_[static_cast<ptrdiff_t>(py) * stride_ + px] = colour;
    }
}
