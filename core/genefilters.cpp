#include "genefilters.h"

#include "statpack.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<int32_t> Inside(const AnalysisMatrix& m, std::span<const int32_t> columns) {
    std::vector<int32_t> kept;
    for (const int32_t c : columns)
        if (c >= 1 && c <= m.ConditionCount) kept.push_back(c);
    return kept;
}

void Step(ProgressSink* progress, int32_t g, int32_t every) {
    if (progress && g % every == 0) {
        progress->SetPosition(g);
        progress->Pump();
    }
}

} // namespace

std::vector<uint8_t> FindFilteredGenes(const AnalysisMatrix& m, GeneFilter filter,
                                       const std::vector<std::vector<int32_t>>& groups,
                                       double threshold, ProgressSink* progress) {
    std::vector<uint8_t> matches(static_cast<size_t>(std::max(m.GeneCount, 0)), 0);
    std::vector<std::vector<int32_t>> used;
    for (size_t k = 0; k < groups.size(); ++k) {
        // The missing-value filter reads group 1 alone.
        if (filter == GeneFilter::MissingValues && k > 0) break;
        if (auto columns = Inside(m, groups[k]); !columns.empty()) used.push_back(columns);
    }
    if (used.empty()) return matches;
    size_t widest = 0;
    for (const auto& columns : used) widest = std::max(widest, columns.size());
    std::vector<float> work(widest + 1);
    if (progress) progress->SetMaximum(m.GeneCount);
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        Step(progress, g, 1000);
        const float* row = m.Row(g);
        bool match = true;
        for (const auto& columns : used) {
            if (filter == GeneFilter::MissingValues) {
                const auto missing =
                    std::count_if(columns.begin(), columns.end(),
                                  [row](int32_t c) { return std::isnan(row[c - 1]); });
                match = static_cast<double>(missing) > threshold;
                break;
            }
            const int32_t n = static_cast<int32_t>(columns.size());
            for (int32_t i = 1; i <= n; ++i) {
                const float v = row[columns[static_cast<size_t>(i - 1)] - 1];
                work[static_cast<size_t>(i)] = std::isnan(v) ? 0.0f : v;
            }
            const float average = filter == GeneFilter::Median ? SelectMedianS(work, n) : MeanS(work, n);
            if (!(average <= threshold)) {
                match = false;
                break;
            }
        }
        matches[static_cast<size_t>(g - 1)] = match ? 1 : 0;
    }
    return matches;
}

void RemoveGenes(AnalysisMatrix& m, const std::vector<uint8_t>& remove, ProgressSink* progress) {
    const size_t width = static_cast<size_t>(std::max(m.ConditionCount, 0));
    // A caller without annotation strings keeps none.
    const bool annotated = !m.Annotation.empty();
    std::vector<std::vector<std::string>> annotation;
    if (annotated) {
        annotation.reserve(static_cast<size_t>(m.GeneCount) + 1);
        annotation.push_back(std::move(m.Annotation[0]));
    }
    if (progress) progress->SetMaximum(m.GeneCount);
    int32_t kept = 0;
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        Step(progress, g, 100);
        if (static_cast<size_t>(g - 1) < remove.size() && remove[static_cast<size_t>(g - 1)])
            continue;
        ++kept;
        if (kept != g)
            std::copy_n(m.Values.begin() + static_cast<ptrdiff_t>((g - 1) * width), width,
                        m.Values.begin() + static_cast<ptrdiff_t>((kept - 1) * width));
        if (annotated)
            annotation.push_back(static_cast<size_t>(g) < m.Annotation.size()
                                     ? std::move(m.Annotation[static_cast<size_t>(g)])
                                     : std::vector<std::string>{});
    }
    m.GeneCount = kept;
    m.Values.resize(static_cast<size_t>(kept) * width);
    m.Values.shrink_to_fit();
    if (annotated) m.Annotation = std::move(annotation);
}

void SwapSign(AnalysisMatrix& m, std::span<const int32_t> columns) {
    const std::vector<int32_t> used = Inside(m, columns);
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        float* row = m.Row(g);
        for (const int32_t c : used) row[c - 1] = -row[c - 1];
    }
}
