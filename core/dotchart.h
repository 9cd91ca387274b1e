// The dot chart's data block: up to 100 groups of values with their statistics, the dot layout,
// value transforms, demo data and the tab-delimited text file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Groups are numbered 1..kMaxDotGroups; record 0 holds nothing.
constexpr int32_t kMaxDotGroups = 100;
// Values read or computed are held to the single range.
constexpr double kDotValueLimit = 3.4e38;

struct DotValue {
    float Raw = 0;
    float Offset = 0; // x offset in symbol steps (LayoutDots)
    float Shown = 0;  // the value drawn and counted
};

struct DotGroup {
    float PointsPerLine = 2.0f; // dots in the full rows; also the factor of the half width
    float Mean = 0, Median = 0;
    float StdDev = 0, MedianDev = 0;
    float Q25 = 0, Q975 = 0, Q025 = 0, Q75 = 0;
    std::string Name; // the two characters "\n" break the label into lines
    int32_t PenWidth = 0;
    int32_t Count = 0;               // values.size()
    uint32_t PenColour = 0;          // 0x00BBGGRR
    uint32_t BrushColour = 0xFFFFFF; // 0x00BBGGRR
    int32_t SymbolSize = 5;
    int32_t Symbol = 0; // 0 rectangle, 2 circle, 3 triangle, 4 rhombus, 5 cross, 6 x-cross
    std::vector<DotValue> Values;
};

struct DotChartData {
    int32_t GroupCount = 0;
    int32_t LayoutMode = 1; // dots are laid out only in mode 1
    float AxisMin = 0, AxisMax = 0;
    std::array<DotGroup, kMaxDotGroups + 1> Groups;
};

// Every record to its defaults, no groups, layout mode 1.
void InitDotChartData(DotChartData& data);
// No groups, layout mode 1, names and values emptied; the drawing attributes stay.
void ClearDotChartData(DotChartData& data);

// True when `field`, with "," read as ".", is one number; the value is held to the single range.
bool ReadDotValue(std::string_view field, float& value);

// Pastes a text of TAB- or line-separated fields into group `group` (0 appends a new one, 1..n
// replaces that group's values). Numbers become values; a word before the first number names the
// group, else `name` does ("Data set\nPasted" when empty). Then statistics and layout. False
// (nothing changed) when no group 1..100 can take the text.
bool PasteSingleGroup(DotChartData& data, int32_t group, std::string_view text,
                      std::string_view name);
// Each non-empty line of `text` becomes a new group named "P" + its number. Returns the number
// of lines left out because the block was full.
int32_t PasteGroupsByRow(DotChartData& data, std::string_view text);

// Mean, median, deviations and quantiles of each group's shown values, which are left sorted; the
// axis range over all values with a 10 % margin outwards (empty groups count for nothing).
void ComputeGroupStats(DotChartData& data);
// The x offset of every value in staggered rows of the group's points per line (mode 1 only).
void LayoutDots(DotChartData& data);
// Shown values from raw ones: 0 raw, 1 log2, 2 log10 (a raw value of 0 or below shows itself),
// 3 2^raw, 4 10^raw.
void TransformValues(DotChartData& data, int32_t kind);
// Replaces the groups with k demo groups of 30..59 uniform values each; returns the number of
// groups left out beyond 100.
int32_t MakeDemoData(DotChartData& data, int32_t k);

// Writes one line per group: name, "Format:", each shown value in 20 columns with 3 decimals.
bool SaveDotChartText(const DotChartData& data, const std::string& fileName, std::string& error);
// Reads the text file into a fresh block that replaces the groups only when the file was read
// (false with the system's reason in `error` otherwise, also when memory runs out); `dropped`
// receives the number of group lines left out beyond 100.
bool LoadDotChartText(DotChartData& data, const std::string& fileName, int32_t& dropped,
                      std::string& error);
// The same over a text in memory (the file's contents).
int32_t ReadDotChartText(DotChartData& data, std::string_view text);

// The value axis of a drawing: range, pixels per unit and the major step.
struct DotAxis {
    double Min = 0, Max = 1;
    double PixelsPerUnit = 1;
    double Range = 0; // R: the larger of |Min| and |Max|
    double Step = 1;  // major step; minor divisions are Step / 10
    int32_t Height = 1;

    // Pixel row of value v for a plot area `Height` high, held far enough inside int range that
    // painting stays sane; NaN lies at the bottom.
    int32_t Y(double v) const;
    // The same unrounded, for testing whether a division lies inside the plot.
    double YExact(double v) const;
};
// The axis for a plot `height` pixels high over min..max; when max is not above min the range
// becomes min - 1 .. min + 1, or 0 .. 1 when the chart holds no value at all.
DotAxis MakeDotAxis(double min, double max, bool anyValue, int32_t height);
// Major step of a range R: 0.1 below 1, 1 below 10, then 5, 10, 50, 100, ... (1-5-10 by decade).
double MajorStep(double r);
// Label of major division j (value j x step): `logKind` 0 plain, 10 or 2 as powers of that base.
std::string DotAxisLabel(int32_t j, double step, int32_t logKind);
// True when any group holds a value.
bool DotChartHasValues(const DotChartData& data);
