// The 2D scatter viewer's point series (slots 1..10), their ranges and the data commands that
// work on them without a window: sizing, ranges, tick scaling, paste, copy and swap.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// The extremes of no value: any finite value replaces them.
inline constexpr float kScatterNoMin = std::numeric_limits<float>::infinity();
inline constexpr float kScatterNoMax = -kScatterNoMin;

struct ScatterSeries {
    std::string XLabel, YLabel; // slot 1's are drawn
    float MaxX = kScatterNoMax, MaxY = kScatterNoMax;
    float MinX = kScatterNoMin, MinY = kScatterNoMin;
    int32_t Count = 0; // 0 = slot empty
    // Rows 1 x, 2 y, 3 y error, 4 x error (row 0 unused), each Count + 10 long; points 1-based.
    std::array<std::vector<float>, 5> Values;
    std::vector<int32_t> Flags; // > 0 selected
    // Entry 0 a placeholder, entry i the annotation of point i (may be shorter than Count + 1).
    std::vector<std::string> Annotations;
    // Rows 1 and 2 as a log axis places them (NaN for a value that is not finite), made by the
    // first drawing on a log axis after UpdateSeriesRange or SetSeriesLength emptied them.
    mutable std::array<std::vector<double>, 3> LogValues;
};

constexpr int kScatterSlots = 10;

struct ScatterPlotData {
    float RangeMinX = kScatterNoMin, RangeMinY = kScatterNoMin;
    float RangeMaxX = kScatterNoMax, RangeMaxY = kScatterNoMax;
    bool AllXNonNegative = true, AllYNonNegative = true;
    std::array<ScatterSeries, kScatterSlots + 1> Series; // slot 0 unused

    // True when no slot holds a finite point.
    bool Empty() const;
};

// Gives slot k fresh zeroed rows and flags for n points and an empty annotation list; n < 0
// empties the slot. Slots outside 1..10 are left alone. Returns 0. Throws std::bad_alloc with
// the slot unchanged.
int SetSeriesLength(ScatterPlotData& data, int k, int n);

// Recomputes slot k's extremes and then the ranges over all slots; values that are not finite
// count nowhere. Slots outside 1..10 only refresh the ranges.
void UpdateSeriesRange(ScatterPlotData& data, int k);

struct AxisScale {
    double divisor;
    std::string suffix;
};
// The tick divisor and title suffix for the largest absolute axis value m.
AxisScale AxisScaleFactor(double m);

// Series 1 from clipboard text: one point per line (cut at LF, CR read as a blank), x TAB y, then
// with bit 1 of `tag` the x error and with bit 0 the y error, the rest of the line the annotation.
// `logLines` receives the lines as cut.
void PasteSeries(ScatterPlotData& data, std::string_view text, int tag,
                 std::vector<std::string>& logLines);

// The copy text of series 1: "x TAB y TAB annotation" CR LF per point, all or only the selected.
std::string CopySeriesText(const ScatterSeries& series, bool selectedOnly);

// Exchanges x and y of series 1 with their errors and labels, and the error-bar bits.
void SwapSeriesAxes(ScatterPlotData& data, int& errorBarMode);
