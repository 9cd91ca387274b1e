// The nine point markers of the 3D plot and their direct rasteriser: each outline marker 1..8 of
// radius 0..12 is drawn once with GdiCanvas into a sprite (the pixel offsets it covers), which is
// then stamped into the image's scanlines for every point.
#pragma once

#include "gdicanvas.h"

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <vector>

constexpr int kMaxMarkerRadius = 12;

// Draws marker m (0 a pixel, 1 square, 2 circle, 3 triangle, 4 plus, 5 cross, 6 diamond,
// 7 wide ellipse, 8 tall ellipse) of radius r at (x, y) in outline, in `colour`.
void DrawMarker(GdiCanvas& canvas, int m, int x, int y, int r, TColor colour);

// Stamps markers into one 32-bit image; the sprites' scanline offsets are fitted to its stride.
class MarkerRaster {
  public:
    explicit MarkerRaster(QImage& image);
    // Marker m (0..8) of radius r (0..12) at (x, y); pixels outside the image are left out.
    void Stamp(int m, int r, int x, int y, QRgb colour) {
        if (m == 0) {
            if (static_cast<unsigned>(x) < unsigned(width_) &&
                static_cast<unsigned>(y) < unsigned(height_))
                bits_[static_cast<ptrdiff_t>(y) * stride_ + x] = colour;
            return;
        }
        const Fitted& f = fitted_[m * (kMaxMarkerRadius + 1) + r];
        const int e = f.reach;
        if (x + e < 0 || y + e < 0 || x - e >= width_ || y - e >= height_) return; // wholly outside
        if (x - e >= 0 && y - e >= 0 && x + e < width_ && y + e < height_) {
            uint32_t* at = bits_ + static_cast<ptrdiff_t>(y) * stride_ + x;
            for (const ptrdiff_t o : f.offsets) at[o] = colour;
            return;
        }
        StampClipped(m, r, x, y, colour);
    }

  private:
    struct Fitted {
        std::vector<ptrdiff_t> offsets;
        int reach = 0;
    };
    void StampClipped(int m, int r, int x, int y, QRgb colour);

    uint32_t* bits_;
    ptrdiff_t stride_;
    int width_, height_;
    std::vector<Fitted> fitted_;
};
