#include "scatterselect.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
size_t PointEnd(const ScatterSeries& s) {
    return std::min(static_cast<size_t>(std::max(s.Count, 0)) + 1, s.Flags.size());
}

double PlotValue(float v, bool log) {
    return log ? std::log10(std::max(static_cast<double>(v), 1.0)) : v;
}

double DataValue(double axis, bool log) {
    return log ? std::pow(10.0, axis) : axis;
}

std::pair<double, double> Ordered(double a, double b) {
    return {std::min(a, b), std::max(a, b)};
}
} // namespace

std::vector<int32_t> SelectionList(const ScatterSeries& s) {
    std::vector<int32_t> list{0};
    const size_t n = PointEnd(s);
    for (size_t i = 1; i < n; ++i)
        if (s.Flags[i] > 0) list.push_back(static_cast<int32_t>(i));
    list[0] = static_cast<int32_t>(list.size() - 1);
    return list;
}

void ApplySelectionList(ScatterSeries& s, std::span<const int32_t> list) {
    std::fill(s.Flags.begin(), s.Flags.end(), 0);
    if (list.empty() || list[0] < 0) return;
    const size_t used = std::min(static_cast<size_t>(list[0]), list.size() - 1);
    const size_t n = PointEnd(s);
    for (size_t j = 1; j <= used; ++j)
        if (list[j] >= 1 && static_cast<size_t>(list[j]) < n) s.Flags[list[j]] = 1;
}

std::vector<int32_t> SelectInRectangle(ScatterSeries& s, const SelectionArea& a) {
    const auto [xmin, xmax] = Ordered(a.x0, a.x1);
    const auto [ymin, ymax] = Ordered(a.y0, a.y1);
    std::vector<int32_t> hit;
    const size_t n = PointEnd(s);
    for (size_t i = 1; i < n; ++i) {
        const double x = PlotValue(s.Values[1][i], a.logX), y = PlotValue(s.Values[2][i], a.logY);
        if (xmin <= x && x <= xmax && ymin <= y && y <= ymax) {
            s.Flags[i] = 1;
            hit.push_back(static_cast<int32_t>(i));
        }
    }
    return hit;
}

std::vector<int32_t> SelectInRhombus(ScatterSeries& s, const SelectionArea& a) {
    const auto [x0, x1] = Ordered(DataValue(a.x0, a.logX), DataValue(a.x1, a.logX));
    const auto [y0, y1] = Ordered(DataValue(a.y0, a.logY), DataValue(a.y1, a.logY));
    std::vector<int32_t> hit;
    if (x0 == 0 || x1 == 0 || y0 == 0 || y1 == 0) return hit;
    const auto [rmin, rmax] = Ordered(x0 / y0, x1 / y1);
    const auto [pmin, pmax] = Ordered(x0 * y0, x1 * y1);
    const size_t n = PointEnd(s);
    for (size_t i = 1; i < n; ++i) {
        const double x = s.Values[1][i], y = s.Values[2][i];
        if (x == 0 || y == 0) continue;
        const double r = x / y, p = x * y;
        if (rmin <= r && r <= rmax && pmin <= p && p <= pmax) {
            s.Flags[i] = 1;
            hit.push_back(static_cast<int32_t>(i));
        }
    }
    return hit;
}
