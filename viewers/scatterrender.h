// Drawing of the 2D scatter viewer: axis limits, the plot with its points, lines and diagonals,
// and the ticks and titles around it. Points are written straight into the image's scanlines.
#pragma once

#include "colours.h"
#include "scatterdata.h"

#include <QImage>
#include <QRect>

struct ScatterStyle {
    bool logX = false, logY = false, symmetric = false;
    bool mainDiagonal = true, sideDiagonals = true;
    int plotKind = 1;     // 1 X-Y (with diagonals), 2 ratio-intensity
    int lineMode = 0;     // 0 none, 1 direct, 2 step function
    int errorBarMode = 0; // bit 0 y error bars, bit 1 x error bars
};

// Axis limits of one paint (log10 units on a log axis) and pixels per unit.
struct ScatterAxes {
    float minX = 0, maxX = 1, minY = 0, maxY = 1;
    float scaleX = 1, scaleY = 1;
    bool empty = true; // no finite point: the axes run 0..1 and carry no ticks
};

// The limits for a plot of w x h pixels. A log axis is refused (logX / logY cleared) when a slot
// holds a negative value; symmetric scaling is cleared when only one axis is logarithmic.
ScatterAxes ScatterAxesFor(const ScatterPlotData& data, ScatterStyle& style, int w, int h);

// The 0x00BBGGRR colour of slot k's points.
TColor SeriesColour(int k);

// Writes the square a point is drawn as: a 4 x 4 block from (px - 2, py - 2), its border in
// `outline` and its inner 2 x 2 pixels white, clipped to the image (format RGB32).
void WritePointSquare(QImage& image, int px, int py, QRgb outline);

// Paints the plot (white, zero lines, points, selected points, diagonals, frame) into `plot`.
void PaintScatterPlot(QImage& plot, const ScatterPlotData& data, const ScatterAxes& axes,
                      const ScatterStyle& style);

// Paints the ticks and axis titles around `plotRect` on `canvas`.
void PaintScatterTicks(QImage& canvas, const QRect& plotRect, const ScatterPlotData& data,
                       const ScatterAxes& axes, const ScatterStyle& style);
