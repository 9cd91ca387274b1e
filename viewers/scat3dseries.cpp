#include "scat3dseries.h"

#include <algorithm>
#include <cmath>

std::array<tPlotSeries, kPlotRecords> PlotSeries;
tPlotGates PlotGates;
int32_t PlotWindowCount = 0;

namespace {
void Release(std::vector<float>& values) {
    std::vector<float>().swap(values);
}
} // namespace

void AllocSeriesStorage(int k, int32_t n, int mode) {
    if (!IsPlotRecord(k) || n < 0) return;
    tPlotSeries& s = PlotSeries[k];
    if (mode == 1) {
        Release(s.Values);
        s.Values.assign(static_cast<size_t>(n) + 1, 0.0f);
    } else if (mode == 2) {
        const size_t keep =
            std::min(s.Values.size(), static_cast<size_t>(std::max(s.Count, 0)) + 1);
        std::vector<float> grown(static_cast<size_t>(n) + keep, 0.0f);
        std::copy_n(s.Values.begin(), keep, grown.begin());
        s.Values.swap(grown);
    }
}

void ReleaseSeriesStorage() {
    for (int k = 1; k < kPlotRecords; ++k) {
        Release(PlotSeries[k].Values);
        PlotSeries[k].Count = 0;
    }
}

void AddSeries(tPlotWindowSeries& w, int slot, const std::string& name,
               std::span<const float> values) {
    const auto n = static_cast<int32_t>(std::min<size_t>(values.size(), INT32_MAX - 1));
    if (n < 1) return;
    int record = slot;
    if (slot < 1) {
        record = 0;
        for (int k = 1; k < kPlotRecords && record == 0; ++k)
            if (PlotSeries[k].Count < 1) record = k;
        if (record == 0) return;
    }
    if (record >= kPlotRecords) return;
    tPlotSeries& s = PlotSeries[record];
    AllocSeriesStorage(record, n, 1);
    s.Name = name;
    s.Count = n;
    std::copy_n(values.begin(), n, s.Values.begin() + 1);
    w.DimSeries[record] = record;
    w.PointCount = n;
    UpdateSeriesRange3D(w, record);
}

void ResetSeriesTable(tPlotWindowSeries& w) {
    for (tPlotSeries& s : PlotSeries) {
        s.Name.clear();
        s.Count = 0;
        s.Minimum = 0;
        s.Maximum = 0;
        Release(s.Values);
    }
    for (tSeriesView& v : w.SeriesView) v = tSeriesView{};
}

void UpdateSeriesRange3D(tPlotWindowSeries& w, int k) {
    if (!IsPlotRecord(k)) return;
    tPlotSeries& s = PlotSeries[k];
    float maximum = -1000000, minimum = 1000000;
    const int32_t n = std::min<int64_t>(s.Count, static_cast<int64_t>(s.Values.size()) - 1);
    for (int32_t i = 1; i <= n; ++i) {
        const float v = s.Values[i];
        if (!std::isfinite(v)) continue; // 1e999 reads as infinity: it would be every range
        if (v > maximum) maximum = v;
        if (v < minimum) minimum = v;
    }
    if (maximum < 0) maximum = 10;
    if (minimum >= 1000000) minimum = 0;
    if (minimum >= 0) {
        s.Range = maximum - minimum;
    } else {
        const float m = std::max(maximum, -minimum);
        s.Range = m;
        maximum = m;
        minimum = -m;
    }
    s.Maximum = maximum;
    s.Minimum = minimum;
    s.LowerThreshold = minimum;
    s.UpperThreshold = maximum;
    w.SeriesView[k].LowerPercent = 0;
    w.SeriesView[k].UpperPercent = 100;
}

// The span is taken in double: a symmetric range of the largest singles overflows in single.
void SetMinThreshold(tPlotWindowSeries& w, int k, int percent,
                     const std::function<void()>& redraw) {
    if (!IsPlotRecord(k) || percent == w.SeriesView[k].LowerPercent) return;
    tPlotSeries& s = PlotSeries[k];
    w.SeriesView[k].LowerPercent = percent;
    s.LowerThreshold = static_cast<float>(double(s.Minimum) +
                                          (double(s.Maximum) - double(s.Minimum)) / 100 * percent);
    if (redraw) redraw();
}

void SetMaxThreshold(tPlotWindowSeries& w, int k, int percent,
                     const std::function<void()>& redraw) {
    if (!IsPlotRecord(k) || percent == w.SeriesView[k].UpperPercent) return;
    tPlotSeries& s = PlotSeries[k];
    w.SeriesView[k].UpperPercent = percent;
    s.UpperThreshold = static_cast<float>(
        double(s.Maximum) - (double(s.Maximum) - double(s.Minimum)) / 100 * (100 - percent));
    if (redraw) redraw();
}

void ThresholdsToGate(const tPlotWindowSeries& w, int g) {
    if (g < 1 || g > 32) return;
    const uint32_t bit = 1u << (g - 1);
    const int32_t points = std::max(w.PointCount, 0);
    if (PlotGates.Masks.size() < static_cast<size_t>(points)) PlotGates.Masks.resize(points, 0);
    PlotGates.MaskCount = static_cast<int32_t>(PlotGates.Masks.size());
    // The series the paint filters by: each dimension's record once, never record 0.
    std::vector<const tPlotSeries*> tested;
    for (int d = 1; d <= kDimensions; ++d) {
        const int k = w.DimSeries[d];
        if (k < 1 || k >= kPlotRecords) continue;
        const bool seen = std::any_of(w.DimSeries.begin() + 1, w.DimSeries.begin() + d,
                                      [k](int32_t e) { return e == k; });
        if (!seen) tested.push_back(&PlotSeries[k]);
    }
    for (int32_t i = 1; i <= points; ++i) {
        bool out = false;
        for (const tPlotSeries* s : tested) {
            if (s->Count < i || static_cast<size_t>(i) >= s->Values.size()) continue;
            const float v = s->Values[i];
            if (!(v >= s->LowerThreshold && v <= s->UpperThreshold)) out = true; // NaN too
        }
        uint32_t& mask = PlotGates.Masks[i - 1];
        mask = out ? mask | bit : mask & ~bit;
    }
}

int FirstFreeGate(const tPlotGates& gates) {
    uint32_t used = 0;
    const size_t n =
        std::min(gates.Masks.size(), static_cast<size_t>(std::max(gates.MaskCount, 0)));
    for (size_t i = 0; i < n; ++i) used |= gates.Masks[i];
    for (int g = 1; g <= 32; ++g)
        if (!(used & (1u << (g - 1)))) return g;
    return 32;
}
