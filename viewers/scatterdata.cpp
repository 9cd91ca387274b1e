#include "scatterdata.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

bool ScatterPlotData::Empty() const {
    for (int k = 1; k <= kScatterSlots; ++k) {
        const ScatterSeries& s = Series[k];
        if (s.Count > 0 && s.MinX <= s.MaxX && s.MinY <= s.MaxY) return false;
    }
    return true;
}

int SetSeriesLength(ScatterPlotData& data, int k, int n) {
    if (k < 1 || k > kScatterSlots) return 0;
    ScatterSeries& s = data.Series[k];
    const size_t size = n < 0 ? 0 : static_cast<size_t>(n) + 10;
    // Made aside: when memory runs out, the slot keeps what it held.
    decltype(s.Values) values;
    for (auto& row : values) row.assign(size, 0.0f);
    std::vector<int32_t> flags(size, 0);
    s.Values.swap(values);
    s.Flags.swap(flags);
    s.Annotations.clear();
    s.LogValues = {};
    s.Count = std::max(n, 0);
    return 0;
}

void UpdateSeriesRange(ScatterPlotData& data, int k) {
    if (k >= 1 && k <= kScatterSlots) {
        ScatterSeries& s = data.Series[k];
        for (std::vector<double>& row : s.LogValues) row.clear();
        s.MinX = s.MinY = kScatterNoMin;
        s.MaxX = s.MaxY = kScatterNoMax;
        const size_t n =
            std::min(static_cast<size_t>(std::max(s.Count, 0)) + 1, s.Values[1].size());
        for (size_t i = 1; i < n; ++i) {
            const float x = s.Values[1][i], y = s.Values[2][i];
            if (std::isfinite(x)) {
                s.MaxX = std::max(s.MaxX, x);
                s.MinX = std::min(s.MinX, x);
            }
            if (std::isfinite(y)) {
                s.MaxY = std::max(s.MaxY, y);
                s.MinY = std::min(s.MinY, y);
            }
        }
    }
    data.RangeMinX = data.RangeMinY = kScatterNoMin;
    data.RangeMaxX = data.RangeMaxY = kScatterNoMax;
    data.AllXNonNegative = data.AllYNonNegative = true;
    for (int j = 1; j <= kScatterSlots; ++j) {
        const ScatterSeries& s = data.Series[j];
        if (s.Count <= 0) continue;
        data.RangeMinX = std::min(data.RangeMinX, s.MinX);
        data.RangeMinY = std::min(data.RangeMinY, s.MinY);
        data.RangeMaxX = std::max(data.RangeMaxX, s.MaxX);
        data.RangeMaxY = std::max(data.RangeMaxY, s.MaxY);
        if (s.MinX < 0) data.AllXNonNegative = false;
        if (s.MinY < 0) data.AllYNonNegative = false;
    }
}

AxisScale AxisScaleFactor(double m) {
    static const struct {
        double below, divisor;
        const char* suffix;
    } rows[] = {{10, 1, ""},
                {100, 10, " [ x 10] "},
                {1000, 100, " [ x 100] "},
                {1e4, 1000, " [ x 1000] "},
                {1e5, 1e4, " [ x 10^4 ]"},
                {1e6, 1e5, " [ x 10^5 ]"},
                {1e7, 1e6, " [ x 10^6 ]"},
                {1e8, 1e7, " [ x 10^7 ]"},
                {1e9, 1e8, " [ x 10^8 ]"},
                {1e10, 1e9, " [ x 10^9 ]"}};
    for (const auto& r : rows)
        if (m < r.below) return {r.divisor, r.suffix};
    const double d = std::nearbyint(m / 10);
    return {d, " [ x " + FormatFixed(d, 0) + "]"};
}

namespace {
// The text before the next TAB (the whole rest when there is none); `rest` moves past the TAB.
std::string_view CutField(std::string_view& rest) {
    const size_t tab = rest.find('\t');
    const std::string_view field = rest.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    return field;
}

float FieldValue(std::string_view& rest) {
    std::string_view f = CutField(rest);
    while (!f.empty() && static_cast<unsigned char>(f.back()) <= ' ') f.remove_suffix(1);
    const double v = ParseLenientFloat(f);
    // Beyond single range is infinite, so it is neither drawn nor counted.
    constexpr float inf = std::numeric_limits<float>::infinity();
    if (std::fabs(v) > std::numeric_limits<float>::max()) return v > 0 ? inf : -inf;
    return static_cast<float>(v);
}
} // namespace

void PasteSeries(ScatterPlotData& data, std::string_view text, int tag,
                 std::vector<std::string>& logLines) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t lf = text.find('\n');
        std::string line(text.substr(0, lf));
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        std::replace(line.begin(), line.end(), '\r', ' ');
        lines.push_back(std::move(line));
    }
    logLines.insert(logLines.end(), lines.begin(), lines.end());
    SetSeriesLength(data, 1, static_cast<int>(lines.size()));
    ScatterSeries& s = data.Series[1];
    s.Annotations.reserve(lines.size() + 1);
    s.Annotations.emplace_back("test");
    for (size_t i = 1; i <= lines.size(); ++i) {
        std::string_view rest = lines[i - 1];
        s.Values[1][i] = FieldValue(rest);
        s.Values[2][i] = FieldValue(rest);
        // Both errors follow the caption "x / y / Error-x / Error-y": x first.
        if (tag & 2) s.Values[4][i] = FieldValue(rest);
        if (tag & 1) s.Values[3][i] = FieldValue(rest);
        s.Annotations.emplace_back(rest);
    }
    UpdateSeriesRange(data, 1);
}

std::string CopySeriesText(const ScatterSeries& s, bool selectedOnly) {
    std::string text;
    const size_t n = std::min(static_cast<size_t>(std::max(s.Count, 0)) + 1, s.Flags.size());
    for (size_t i = 1; i < n; ++i) {
        if (selectedOnly && s.Flags[i] < 1) continue;
        text += FormatFixed(s.Values[1][i], 3) + '\t' + FormatFixed(s.Values[2][i], 3) + '\t';
        if (s.Annotations.size() > i) text += s.Annotations[i];
        text += "\r\n";
    }
    return text;
}

void SwapSeriesAxes(ScatterPlotData& data, int& errorBarMode) {
    ScatterSeries& s = data.Series[1];
    std::swap(s.Values[1], s.Values[2]);
    std::swap(s.Values[3], s.Values[4]);
    std::swap(s.XLabel, s.YLabel);
    errorBarMode = (errorBarMode & ~3) | (errorBarMode & 1) << 1 | (errorBarMode & 2) >> 1;
    UpdateSeriesRange(data, 1);
}
