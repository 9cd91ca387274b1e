// Imputation of missing values (NaN) of an analysis matrix, gene by gene over chosen data
// columns (columns outside 1..ConditionCount are skipped).
#pragma once

#include "analysismatrix.h"
#include "sinks.h"

#include <cstdint>
#include <span>

enum class Imputation {
    Constant,     // every missing value := the constant
    RowAverage,   // := the mean of the gene's present values
    HotDeck,      // := one of the gene's present values, drawn by the process-wide generator
    NearestGenes, // := the mean over the most similar complete genes
};

// The neighbours the nearest-genes imputation averages over.
constexpr int kImputationNeighbours = 10;

struct ImputationResult {
    int64_t Replaced = 0;   // values filled
    int64_t Considered = 0; // values looked at: genes x the columns the kind fills
    int32_t RowsImputed = 0;
    int32_t RowsLeft = 0; // genes with missing values that could not be filled
};

// Fills the missing values of the columns. NearestGenes: a gene with present and missing values
// in the columns takes its neighbours among the genes complete in the columns, ranked by the
// Euclidean distance over its present values (of equal distances the earlier gene first); then
// each of its missing values in every data column := the mean of the neighbours' present values
// there (none: it stays missing). Distances read the values as they were before the call.
// Progress every 100 genes.
ImputationResult ImputeMissing(AnalysisMatrix& m, Imputation kind, std::span<const int32_t> columns,
                               float constant, ProgressSink* progress);
