// Feeds arbitrary bytes to the dot-chart text reader and the paste parsers, then lays out, draws
// the axis of and transforms what they read.
#include "dotchart.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static DotChartData chart;
    InitDotChartData(chart);
    ReadDotChartText(chart, text);
    PasteSingleGroup(chart, 0, text, "");
    PasteGroupsByRow(chart, text);
    if (chart.GroupCount < 0 || chart.GroupCount > kMaxDotGroups) std::abort();
    for (int32_t kind = 4; kind >= 0; --kind) {
        TransformValues(chart, kind);
        ComputeGroupStats(chart);
        LayoutDots(chart);
        const DotAxis axis =
            MakeDotAxis(chart.AxisMin, chart.AxisMax, DotChartHasValues(chart), 400);
        if (!(axis.Max > axis.Min) || !std::isfinite(axis.PixelsPerUnit)) std::abort();
        const int32_t majors = static_cast<int32_t>(axis.Range / axis.Step) + 1;
        if (majors > 1000) std::abort();
        for (int32_t j = -majors; j <= majors; ++j) {
            DotAxisLabel(j, axis.Step, 10);
            DotAxisLabel(j, axis.Step, 2);
            axis.Y(j * axis.Step);
        }
        for (int32_t g = 1; g <= chart.GroupCount; ++g)
            if (std::isnan(chart.Groups[g].Mean) || std::isnan(chart.Groups[g].StdDev))
                std::abort();
    }
    return 0;
}
