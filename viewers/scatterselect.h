// Selection of series 1's points: by area and by the lists the viewers exchange.
#pragma once

#include "scatterdata.h"

#include <cstdint>
#include <span>
#include <vector>

// The list the viewers exchange: the count of selected points, then their 1-based indices in
// ascending order.
std::vector<int32_t> SelectionList(const ScatterSeries& series);

// Clears the flags, then flags the listed indices that lie in the series. At most
// list.size() - 1 indices are read, none for a negative count.
void ApplySelectionList(ScatterSeries& series, std::span<const int32_t> list);

// An area spanned by two corners in axis units (log10 units on a log axis).
struct SelectionArea {
    double x0, y0, x1, y1;
    bool logX, logY;
};

// Flags (sets 1) the points inside the rectangle, comparing each value as the plot draws it
// (log10 of max(v, 1) on a log axis); returns their indices.
std::vector<int32_t> SelectInRectangle(ScatterSeries& series, const SelectionArea& area);

// Flags the points inside the rhombus whose opposite corners are given and whose sides run at
// 45 degrees on log axes: between the corners' ratios x / y and products x * y of raw values.
// Nothing is selected when a corner value is 0; returns the indices flagged.
std::vector<int32_t> SelectInRhombus(ScatterSeries& series, const SelectionArea& area);
