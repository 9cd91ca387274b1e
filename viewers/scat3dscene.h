// Draws a 3D plot window's scene into an image: background, axes with their labels, plane grids
// and quadrant highlights through GdiCanvas, then every point straight into the scanlines.
#pragma once

#include "scat3dseries.h"
#include "scat3dview.h"

#include <QImage>
#include <QRgb>
#include <array>
#include <cmath>
#include <cstdint>

// Screen coordinates are held within +-2^20 pixels before they become integers, so no zoom, pan
// or value can overflow them.
constexpr float kScreenLimit = 1048576.0f;

// Nearest whole number of a value held to the screen limit, halves to even (as nearbyint in the
// default rounding mode); NaN gives the lower limit. Adding 1.5 x 2^23 leaves no fraction bits,
// and without -ffast-math the compiler keeps the two steps.
inline int RoundScreen(float v) {
    v = v > kScreenLimit ? kScreenLimit : (v >= -kScreenLimit ? v : -kScreenLimit);
    return static_cast<int>((v + 12582912.0f) - 12582912.0f);
}

// One dimension's series with everything the point loop reads of it.
struct tDimensionPlan {
    const float* values = nullptr; // values[1..count]
    int32_t count = 0;
    float lower = 0, upper = 0; // thresholds
    float offset = 0;           // the Minimum subtracted from a positive series
    bool log = false;
    float scale = 0; // screen units per value unit
};

// Units per value unit of a series on one dimension: its range maps onto 200 units at 100 %
// (times `factor`, the zoom for positions), growing with the cube of percentages above 100.
float DimensionScale(const tPlotSeries& s, const tSeriesView& v, float factor);

// Where and how one point is drawn.
struct tScreenPoint {
    std::array<float, kDimensions> coord{}; // X, Y, Z, Size, Color, Marker in screen units
    int x = 0, y = 0;                       // pixel
    int radius = 0, marker = 0;
    QRgb colour = 0;
};

// The point loop's inputs, taken out of the loop once per render.
class tPointPlan {
  public:
    tPointPlan(const tPlot3DView& view, const tPlotWindowSeries& w);
    int32_t PointCount() const { return points_; }
    int OriginX() const { return ox_; }
    int OriginY() const { return oy_; }
    // Axis offsets of the cloud-centred view (0 or -100 units times the zoom).
    const std::array<int, 3>& AxisOffsets() const { return axis_; }

    // Maps point i (1-based); false when it is not drawn.
    bool Map(int32_t i, tScreenPoint& p) const {
        QRgb colour = qRgb(255, 0, 0);
        if (i <= dataSetCount_) {
            const float ds = dataSet_[i];
            // Sets outside 0..100 have no switch: hidden.
            if (!(ds >= -0.5f && ds <= 100.5f) || !visible_[RoundScreen(ds)]) return false;
        }
        if (i <= maxCount_ && i <= maskCount_ && (masks_[i - 1] & gateBits_)) {
            if (colourMode_ == 1) return false;
            if (colourMode_ == 2) colour = qRgb(0, 0, 0);
        }
        for (int d = 0; d < kDimensions; ++d) {
            const tDimensionPlan& s = dims_[d];
            if (i > s.count) {
                p.coord[d] = 0;
                continue;
            }
            float v = s.values[i];
            if (!(v >= s.lower && v <= s.upper)) return false; // NaN and infinities too
            v -= s.offset;
            if (s.log) v = v > 0 ? std::log10(v) : 0.0f;
            p.coord[d] = v * s.scale;
        }
        float X = p.coord[0], Y = p.coord[1], Z = p.coord[2];
        if (cloud_) X += axis_[0], Y += axis_[1], Z += axis_[2];
        if (rotate_) {
            p.x = ox_ + RoundScreen(m_.m[0][0] * X + m_.m[0][1] * Y + m_.m[0][2] * Z);
            p.y = oy_ + RoundScreen(m_.m[1][0] * X + m_.m[1][1] * Y + m_.m[1][2] * Z);
        } else {
            p.x = ox_ + RoundScreen(X);
            p.y = oy_ + RoundScreen(-Y);
        }
        const float r = p.coord[3] / 200 * 10;
        p.radius = r >= kMaxRadius ? kMaxRadius : (r > 0 ? RoundScreen(r) : 0);
        if (colourMode_ == 1) {
            const float c = p.coord[4] / 200 * 25;
            colour = palette_[c >= 25 ? 25 : (c > 0 ? RoundScreen(c) : 0)];
        }
        p.colour = colour;
        const float m = p.coord[5] / 200 * 9;
        p.marker = p.radius == 0 ? 0 : (m >= 8 ? 8 : (m > 1 ? RoundScreen(m) : 1));
        return true;
    }

  private:
    static constexpr int kMaxRadius = 12;
    std::array<tDimensionPlan, kDimensions> dims_;
    int32_t points_ = 0, maxCount_ = 0;
    const float* dataSet_ = nullptr;
    int32_t dataSetCount_ = 0;
    const bool* visible_ = nullptr;
    const uint32_t* masks_ = nullptr;
    int32_t maskCount_ = 0;
    uint32_t gateBits_ = 0;
    int colourMode_ = 1;
    bool cloud_ = false, rotate_ = true;
    std::array<int, 3> axis_{};
    int ox_ = 0, oy_ = 0;
    tProjection m_{};
    tPlot3DPalette palette_{};
};

// Draws the whole scene into `image` (a 32-bit image the size of the window's client area).
void RenderScene(QImage& image, const tPlot3DView& view, const tPlotWindowSeries& w);
