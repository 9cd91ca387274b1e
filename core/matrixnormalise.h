// Normalisations of an analysis matrix: genes against pools of conditions, and conditions by
// their total intensity. Missing values (NaN) are skipped in every average and stay missing.
#pragma once

#include "analysismatrix.h"
#include "sinks.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

enum class PoolAverage { Mean, Median, Geometric };

// The data columns a member string ("3,1,7") names, in its order: member number n is column
// n - FirstConditionNumber + 1; pieces that are no whole number or fall outside are skipped.
std::vector<int32_t> MemberColumns(const AnalysisMatrix& m, std::string_view members);

// Per gene, the reference r is the average of the gene's values in the pool columns; each of
// its values in the target columns is divided by r or, when `centre`, reduced by it. A reference
// of 0, or one too small to divide by, counts as 1. Reports progress every 100 genes.
void NormaliseHybridisationPools(AnalysisMatrix& m, std::span<const int32_t> targets,
                                 std::span<const int32_t> pool, PoolAverage average, bool centre,
                                 ProgressSink* progress);

// The same with the columns as their own pool.
void NormaliseVirtualPool(AnalysisMatrix& m, std::span<const int32_t> columns, PoolAverage average,
                          bool centre, ProgressSink* progress);

// Each group g = 1..groupCount: the total intensity T of each condition c whose group
// (conditionGroup[c], c = 1..min(columns, entries - 1)) is g, the group's average a of them (1
// when it has none or a is not above 0), and every value of c divided by T / a (a factor of 0, or
// one too small to divide by, counts as 1). Logs the totals and factors as its report.
void NormaliseTotalIntensity(AnalysisMatrix& m, std::span<const int32_t> conditionGroup,
                             int32_t groupCount, LogSink* log);
