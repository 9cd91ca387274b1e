// Gene filters of an analysis matrix: finding the genes (rows) to remove, removing them, and the
// sign swap of whole conditions. Columns are data columns 1..ConditionCount; others are skipped.
#pragma once

#include "analysismatrix.h"
#include "sinks.h"

#include <cstdint>
#include <span>
#include <vector>

enum class GeneFilter {
    MissingValues, // more missing values in group 1 than the threshold
    Median,        // the median of every group at most the threshold (missing values as 0)
    Mean,          // the same with the mean
};

// One flag per gene (index gene - 1): 1 for the genes the filter matches. Groups without
// columns are left out; with none left no gene matches. Progress every 1000 genes.
std::vector<uint8_t> FindFilteredGenes(const AnalysisMatrix& m, GeneFilter filter,
                                       const std::vector<std::vector<int32_t>>& groups,
                                       double threshold, ProgressSink* progress);

// Removes the flagged genes' rows (values and annotation strings); the rows kept move up in
// their order and GeneCount becomes their number. Progress every 100 genes.
void RemoveGenes(AnalysisMatrix& m, const std::vector<uint8_t>& remove, ProgressSink* progress);

// Multiplies every value of the columns by -1.
void SwapSign(AnalysisMatrix& m, std::span<const int32_t> columns);
