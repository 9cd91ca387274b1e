// The series table that every 3D plot window shares, each window's view of it (which series sits
// on which dimension, zoom, thresholds, log scale), and the range, threshold and gate arithmetic.
// Plain C++; the windows call these on the GUI thread.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// One series of the shared table. Record 0 holds, per point, the number of its data set.
struct tPlotSeries {
    std::string Name;
    float Minimum = 0;
    float Maximum = 0;
    float Range = 0;
    int32_t Count = 0; // 0 for a free record
    // Values[1..Count]; element 0 carries no value.
    std::vector<float> Values;
    float LowerThreshold = 0;
    float UpperThreshold = 0;
};

// Gate g (1..32) is bit g-1 of a point's mask; point i's mask is Masks[i-1].
struct tPlotGates {
    std::vector<uint32_t> Masks;
    int32_t MaskCount = 0;
    std::array<std::string, 33> GateNames; // [1..32]
};

constexpr int kPlotRecords = 101; // records 0..100
constexpr int kDimensions = 6;    // X, Y, Z, Size, Color, Marker

extern std::array<tPlotSeries, kPlotRecords> PlotSeries;
extern tPlotGates PlotGates;
// Plot windows created and not yet closed.
extern int32_t PlotWindowCount;

struct tSeriesView {
    bool LogScale = false;
    int32_t ZoomPercent = 100;
    int32_t LowerPercent = 0;
    int32_t UpperPercent = 100;
};

// What one plot window keeps of the table.
struct tPlotWindowSeries {
    // Entries 1..6: the record shown on X, Y, Z, Size, Color, Marker; higher entries are filled
    // by AddSeries but read by nobody.
    std::array<int32_t, kPlotRecords> DimSeries{};
    std::array<tSeriesView, kPlotRecords> SeriesView{};
    std::array<bool, kPlotRecords> DataSetVisible = InitialDataSets();
    int32_t PointCount = 0;

    static std::array<bool, kPlotRecords> InitialDataSets() {
        std::array<bool, kPlotRecords> v{};
        for (int i = 0; i <= 30; ++i) v[i] = true;
        return v;
    }
};

// True when k names a record of the table (0..100).
inline bool IsPlotRecord(int64_t k) {
    return k >= 0 && k < kPlotRecords;
}

// Stores a copy of `values` as a series named `name`; slot below 1 takes the first free record
// 1..100. Nothing happens for no values or a full table. The record goes on entry `record` of
// DimSeries, PointCount becomes the value count and the range is computed.
void AddSeries(tPlotWindowSeries& w, int slot, const std::string& name,
               std::span<const float> values);
// Empties the whole shared table, releasing its values, and resets this window's series views.
void ResetSeriesTable(tPlotWindowSeries& w);
// Minimum, Maximum, Range and both thresholds of record k from its finite values; this window's
// percentages of k go back to 0 and 100.
void UpdateSeriesRange3D(tPlotWindowSeries& w, int k);
// Mode 1: a fresh zero-filled block for values 1..n. Mode 2: room for n more values, keeping the
// present ones.
void AllocSeriesStorage(int k, int32_t n, int mode);
// Releases the values of records 1..100; their counts become 0, their names stay.
void ReleaseSeriesStorage();
// Threshold of record k at `percent` of its range; `redraw` (when given) runs after a change.
void SetMinThreshold(tPlotWindowSeries& w, int k, int percent, const std::function<void()>& redraw);
void SetMaxThreshold(tPlotWindowSeries& w, int k, int percent, const std::function<void()>& redraw);
// Gate g (1..32) := the points 1..PointCount that lie outside the thresholds of a series on one
// of this window's six dimensions; masks grow to PointCount.
void ThresholdsToGate(const tPlotWindowSeries& w, int g);
// The lowest gate no point uses, or 32 when all are used.
int FirstFreeGate(const tPlotGates& gates);
