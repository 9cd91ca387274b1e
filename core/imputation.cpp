#include "imputation.h"

#include "random.h"
#include "statpack.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

struct Neighbour {
    long double distance = 1e9L;
    int32_t gene = 0; // 0: unused
};
using NeighbourList = std::array<Neighbour, kImputationNeighbours>;

// The genes (ascending) that hold a value in every one of the columns.
std::vector<int32_t> CompleteGenes(const AnalysisMatrix& m, const std::vector<int32_t>& columns) {
    std::vector<int32_t> genes;
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        const float* row = m.Row(g);
        if (std::none_of(columns.begin(), columns.end(),
                         [row](int32_t c) { return std::isnan(row[c - 1]); }))
            genes.push_back(g);
    }
    return genes;
}

NeighbourList Nearest(const AnalysisMatrix& m, const float* row,
                      const std::vector<int32_t>& present, const std::vector<int32_t>& candidates) {
    NeighbourList list;
    for (const int32_t h : candidates) {
        const float* other = m.Row(h);
        // A sum beyond the last entry's square cannot enter the list.
        const long double limit = list.back().distance * list.back().distance;
        long double sum = 0;
        for (const int32_t c : present) {
            const long double d = static_cast<long double>(row[c - 1]) - other[c - 1];
            sum += d * d;
            if (sum > limit) break;
        }
        const long double distance = std::sqrt(sum);
        const auto at = std::find_if(list.begin(), list.end(), [distance](const Neighbour& n) {
            return n.distance > distance;
        });
        if (at == list.end()) continue;
        std::move_backward(at, list.end() - 1, list.end());
        *at = {distance, h};
    }
    return list;
}

// Gene `row`'s missing values in every data column := the neighbours' mean there; returns the
// fills as (value index, value).
void FillFromNeighbours(const AnalysisMatrix& m, int32_t g, const NeighbourList& list,
                        std::vector<std::pair<size_t, float>>& fills) {
    const float* row = m.Row(g);
    for (int32_t c = 1; c <= m.ConditionCount; ++c) {
        if (!std::isnan(row[c - 1])) continue;
        long double sum = 0;
        int32_t n = 0;
        for (const Neighbour& k : list) {
            if (k.gene == 0) break;
            const float v = m.At(k.gene, c);
            if (std::isnan(v)) continue;
            sum += v;
            ++n;
        }
        if (n > 0)
            fills.emplace_back(static_cast<size_t>(row + (c - 1) - m.Values.data()),
                               static_cast<float>(sum / n));
    }
}

} // namespace

ImputationResult ImputeMissing(AnalysisMatrix& m, Imputation kind, std::span<const int32_t> columns,
                               float constant, ProgressSink* progress) {
    std::vector<int32_t> used;
    for (const int32_t c : columns)
        if (c >= 1 && c <= m.ConditionCount) used.push_back(c);
    const bool nearest = kind == Imputation::NearestGenes;
    ImputationResult result;
    result.Considered = int64_t{std::max(m.GeneCount, 0)} *
                        (nearest ? m.ConditionCount : static_cast<int64_t>(used.size()));
    const std::vector<int32_t> candidates =
        nearest ? CompleteGenes(m, used) : std::vector<int32_t>{};
    // Nearest genes: filled after every gene has found its neighbours among the values as given.
    std::vector<std::pair<size_t, float>> fills;
    std::vector<int32_t> present, missing;
    std::vector<float> values(used.size() + 1); // present values at [1..]
    if (progress) progress->SetMaximum(m.GeneCount);
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        if (progress && g % 100 == 0) {
            progress->SetPosition(g);
            progress->Pump();
        }
        float* row = m.Row(g);
        present.clear();
        missing.clear();
        for (const int32_t c : used) {
            if (std::isnan(row[c - 1])) {
                missing.push_back(c);
            } else {
                present.push_back(c);
                values[present.size()] = row[c - 1];
            }
        }
        if (missing.empty()) continue;
        const int32_t n = static_cast<int32_t>(present.size());
        if (kind != Imputation::Constant && n == 0) {
            ++result.RowsLeft;
            continue;
        }
        int64_t filled = 0;
        switch (kind) {
        case Imputation::Constant:
            for (const int32_t c : missing) row[c - 1] = constant;
            filled = static_cast<int64_t>(missing.size());
            break;
        case Imputation::RowAverage: {
            const float mean = MeanS(values, n);
            for (const int32_t c : missing) row[c - 1] = mean;
            filled = static_cast<int64_t>(missing.size());
            break;
        }
        case Imputation::HotDeck:
            for (const int32_t c : missing)
                row[c - 1] = values[static_cast<size_t>(1 + RandomBelow(n))];
            filled = static_cast<int64_t>(missing.size());
            break;
        case Imputation::NearestGenes: {
            const size_t before = fills.size();
            FillFromNeighbours(m, g, Nearest(m, row, present, candidates), fills);
            filled = static_cast<int64_t>(fills.size() - before);
            break;
        }
        }
        if (filled > 0) {
            ++result.RowsImputed;
            result.Replaced += filled;
        } else {
            ++result.RowsLeft;
        }
    }
    for (const auto& [index, value] : fills) m.Values[index] = value;
    return result;
}
