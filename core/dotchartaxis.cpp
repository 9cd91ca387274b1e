#include "dotchart.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
// Beyond this, pixel arithmetic is no longer meaningful for a window (and Qt's integer geometry
// would overflow); far outside any plot area, so clipping is unchanged.
constexpr double kPixelLimit = 1e6;
} // namespace

double DotAxis::YExact(double v) const {
    if (std::isnan(v)) return Height;
    return Height - (v - Min) * PixelsPerUnit;
}

int32_t DotAxis::Y(double v) const {
    return RoundToInt(std::clamp(YExact(v), -kPixelLimit, kPixelLimit));
}

double MajorStep(double r) {
    if (!(r >= 1)) return 0.1;
    if (r < 10) return 1;
    // 5 and 10 per decade: below 50 steps of 5, below 100 steps of 10, and so on.
    const double decade = std::pow(10.0, std::floor(std::log10(r)));
    return r < 5 * decade ? decade / 2 : decade;
}

DotAxis MakeDotAxis(double min, double max, bool anyValue, int32_t height) {
    DotAxis a;
    a.Height = std::max(1, height);
    if (!anyValue) {
        min = 0;
        max = 1;
    } else if (!(max > min) || !std::isfinite(min) || !std::isfinite(max)) {
        if (!std::isfinite(min)) min = 0;
        max = min + 1;
        min -= 1;
    }
    a.Min = min;
    a.Max = max;
    a.PixelsPerUnit = a.Height / (max - min);
    a.Range = std::max(std::fabs(min), std::fabs(max));
    a.Step = MajorStep(a.Range);
    return a;
}

std::string DotAxisLabel(int32_t j, double step, int32_t logKind) {
    const double v = j * step;
    if (logKind == 0) return FormatFixed(v, step >= 1 ? 0 : 1);
    // A power that no 64-bit integer holds shows the placeholder.
    const auto power = [](double p) {
        return p < 9.2e18 ? std::to_string(static_cast<int64_t>(std::nearbyint(p)))
                          : std::string("nn");
    };
    if (j > 100) return "nn";
    if (logKind == 10) {
        if (j < 0) return "0." + std::string(static_cast<size_t>(-j - 1), '0') + "1";
        return power(std::pow(10.0, v));
    }
    if (j < 0) return "1/" + power(std::exp2(-v));
    return power(std::exp2(v));
}

bool DotChartHasValues(const DotChartData& data) {
    for (int32_t g = 1; g <= data.GroupCount; ++g)
        if (!data.Groups[g].Values.empty()) return true;
    return false;
}
