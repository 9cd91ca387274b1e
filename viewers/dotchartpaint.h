// Draws a dot chart: frame, value axis, title, y legend, group names and each group's symbols,
// bars, boxes, whiskers and lines. The window, its camera button and the tests share it.
#pragma once

#include "dotchart.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

struct DotChartView {
    QString Title = QStringLiteral("Title");
    QString YLegend = QStringLiteral("Signal (AU)");
    QFont Font;
    bool AutoScale = true;
    double EditMin = 0, EditMax = 1; // the range without auto scale
    bool Log2 = false, Log10 = false;
    bool MinorDivision = false, MajorDivision = true;
    int GroupSeparator = 0, GroupDistance = 20;
    int GroupLegend = 0; // 0 horizontal, 1 vertical, 2 at 45 degrees
    bool Bar = false, Whisker = false, Box = false;
    bool Mean = true, MeanSDev = false, Median = false, MedianSDev = false;
    bool Symbols = true;
};

// The plot area inside a chart of `size`: room for the title above, the axis labels and the y
// legend to the left and the group names below.
QRect DotChartPlotArea(QSize size);
// Paints the chart over the whole of `size` and returns the value axis it used.
DotAxis DrawDotChart(QPainter& painter, QSize size, const DotChartData& data,
                     const DotChartView& view);
