#include "palette.h"

#include "gdicanvas.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

uint8_t LowByte(int v) {
    return static_cast<uint8_t>(static_cast<unsigned>(v) & 0xFFu);
}

// Rounds a value already held within a small range; NaN counts as `nan`.
int RoundWithin(double v, int lo, int hi, int nan) {
    if (std::isnan(v)) return nan;
    return RoundToInt(std::clamp(v, double(lo), double(hi)));
}
} // namespace

void BuildColourPalette(tPalette& palette, int kind) {
    switch (kind) {
    case 1:
        for (int i = 0; i <= 1024; ++i) {
            const uint8_t g = LowByte(RoundToInt(255.0 - i * 255.0 / 1024.0));
            palette[i] = RGBColor(255, g, g);
        }
        break;
    case 2:
        for (int j = 0; j <= 255; ++j) {
            palette[j] = RGBColor(255 - j, 255 - j, 255);
            palette[256 + j] = RGBColor(0, j, 255 - j);
            palette[512 + j] = RGBColor(j, 255, 0);
            palette[768 + j] = RGBColor(255, 255 - j, 0);
        }
        break;
    case 3:
        for (int i = 1; i <= 512; ++i) {
            const uint8_t v = LowByte(RoundToInt(i * 255.0 / 512.0));
            palette[512 - i] = RGBColor(0, v, 0);
            palette[512 + i] = RGBColor(v, 0, 0);
        }
        break;
    default:
        break;
    }
}

int PaletteIndex(double v, int kind, float paletteMin, float paletteMax) {
    if (kind >= 1 && kind <= 3) {
        if (kind == 3) v = v >= 0 ? -std::log10(v) : 0.0; // v = 0 gives +infinity
        double r = double{paletteMax} - double{paletteMin};
        if (r < 1) r = 1;
        return RoundWithin((v - paletteMin) / r * 1000.0, 0, 1000, 0);
    }
    if (kind == 4) {
        const double m = std::fabs(double{paletteMax});
        if (m == 0) return 512;
        return RoundWithin(v * 512.0 / m, -512, 512, 0) + 512;
    }
    return -1;
}

void DrawColourBar(GdiCanvas& canvas, int w, int h, const tPalette& palette, const QString& left,
                   const QString& right) {
    canvas.SetPen(kBlack);
    canvas.SetBrush(kWhite);
    canvas.Rectangle(1, 1, w - 2, h - 2);
    const double scale = (w - 20) / 1000.0;
    int previous = 0;
    for (int k = 0; k <= 1000; ++k) {
        int x = RoundToInt(k * scale);
        if (x == previous) x = previous + 1;
        // Filled as well as outlined: wide steps would otherwise show white stripes.
        canvas.SetPen(palette[size_t(k)]);
        canvas.SetBrush(palette[size_t(k)]);
        canvas.Rectangle(previous + 10, 10, x + 10, 30);
        previous = x;
    }
    canvas.SetBrush(kWhite);
    canvas.SetFont(8, kBlack);
    canvas.TextOut(10, 32, left);
    canvas.TextOut(w - 10 - canvas.TextWidth(right), 32, right);
}
