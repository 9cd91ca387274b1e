#include "conditionplots.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

std::vector<float> ColumnValues(const AnalysisMatrix& m, int32_t c) {
    const int32_t column = c;
    return GroupMeanValues(m, std::span<const int32_t>(&column, 1));
}

std::vector<float> GroupMeanValues(const AnalysisMatrix& m, std::span<const int32_t> columns) {
    std::vector<int32_t> used;
    for (const int32_t c : columns)
        if (c >= 1 && c <= m.ConditionCount) used.push_back(c);
    std::vector<float> means(static_cast<size_t>(std::max(m.GeneCount, 0)), 0.0f);
    if (used.empty()) return means;
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        const float* row = m.Row(g);
        long double sum = 0;
        for (const int32_t c : used)
            if (!std::isnan(row[c - 1])) sum += row[c - 1];
        means[static_cast<size_t>(g - 1)] = static_cast<float>(sum / used.size());
    }
    return means;
}

void RatioIntensity(std::span<const float> a, std::span<const float> b, std::vector<float>& x,
                    std::vector<float>& y) {
    const size_t n = std::min(a.size(), b.size());
    x.resize(n);
    y.resize(n);
    for (size_t i = 0; i < n; ++i) {
        // In double a quotient of singles cannot overflow.
        const double ratio = b[i] == 0 ? 1.0 : static_cast<double>(a[i]) / b[i];
        y[i] = static_cast<float>(std::log(std::max(ratio, 0.001)));
        x[i] = static_cast<float>(std::sqrt(std::fabs(static_cast<double>(a[i]) * b[i])));
    }
}

std::vector<std::vector<float>> ScanColumns(const AnalysisMatrix& m,
                                            std::span<const int32_t> columns, int kind) {
    std::vector<std::vector<float>> values;
    values.reserve(columns.size());
    for (const int32_t c : columns) {
        values.push_back(ColumnValues(m, c));
        if (kind == 3) std::sort(values.back().begin(), values.back().end());
    }
    return values;
}

void ScanCellSeries(int kind, std::span<const float> a, std::span<const float> b, float* x,
                    float* y) {
    const size_t n = std::min(a.size(), b.size());
    if (kind != 2) {
        std::copy_n(a.begin(), n, x);
        std::copy_n(b.begin(), n, y);
        return;
    }
    for (size_t i = 0; i < n; ++i) {
        // In double neither the quotient nor the product of two singles can overflow.
        const double va = a[i], vb = b[i];
        const double ratio = vb != 0 ? va / vb : 0.0;
        y[i] = ratio > 0 ? static_cast<float>(std::log2(ratio)) : 0.0f;
        x[i] = static_cast<float>(std::clamp(va * vb, 1.0, static_cast<double>(FLT_MAX)));
    }
}
