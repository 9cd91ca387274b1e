// The profile editor's drawing: where the plot lies in its paint box, how channels and values map
// to pixels, the labels around the plot and the plot itself. Tested and timed without a window.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <span>

class QPainter;

struct ProfileLayout {
    QRect Plot;              // the plot in the paint box
    double ChannelStep = 0;  // pixels between neighbouring channels (0 for one channel)
    double ValueScale = 0;   // pixels per value unit
    int Mid = 0;             // y of the zero line in the plot
    float ValueLimit = 1.0f; // the plot spans -ValueLimit..+ValueLimit
    float GridStep = 1.0f;

    // Nothing is drawn or dragged on a plot under a pixel wide or high.
    bool Drawable() const { return Plot.width() >= 1 && Plot.height() >= 1; }
    // x of channel c in the plot.
    int ChannelX(int32_t c) const;
    // y of value v in the plot, held a few plot heights beyond it.
    int ValueY(double v) const;
    // The value at y in the plot.
    double ValueAt(int y) const;
    // Offset from the zero line of grid line k.
    int GridOffset(int k) const;
    // Number of grid lines on each side of the zero line.
    int GridLines() const;
};

// The plot at left 50, top 20, 100 pixels narrower than the box and 45 + labelHeight lower.
ProfileLayout LayoutProfile(QSize box, int32_t channels, int32_t labelHeight, float valueLimit,
                            float gridStep);

// What the plot shows: channels 1..n of each table (entry 0 unused).
struct ProfilePoints {
    std::span<const float> Values;
    std::span<const int32_t> Selected;
    std::span<const int32_t> Groups;
};

// The plot in plot coordinates: frame, zero and grid lines, one square per channel (magenta when
// selected, else the colour of its group) joined by a blue line.
void DrawProfile(QPainter& painter, const ProfileLayout& layout, const ProfilePoints& points);

// The value labels left of the plot and each channel's label (font height -12, turned by 90
// degrees) under it, in paint box coordinates.
void DrawProfileLabels(QPainter& painter, QSize box, const ProfileLayout& layout, int32_t channels,
                       const std::function<QString(int32_t)>& label);
