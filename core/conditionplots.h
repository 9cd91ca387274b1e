// The series the group selector's plot modes hand to the scatter viewers, computed from the
// columns of an analysis matrix. Missing values (NaN) are passed on as 0.
#pragma once

#include "analysismatrix.h"

#include <cstdint>
#include <span>
#include <vector>

// The values of data column c, one per gene; all 0 for a column outside the matrix.
std::vector<float> ColumnValues(const AnalysisMatrix& m, int32_t c);

// Per gene the mean over the columns (those outside the matrix skipped); all 0 without columns.
std::vector<float> GroupMeanValues(const AnalysisMatrix& m, std::span<const int32_t> columns);

// The ratio-intensity plot of a against b, per point: x := sqrt|a b|, y := ln(max(a / b, 0.001))
// with a / b taken as 1 where b is 0.
void RatioIntensity(std::span<const float> a, std::span<const float> b, std::vector<float>& x,
                    std::vector<float>& y);

// The value columns of a plot scan, one per listed data column (missing values and columns
// outside the matrix as 0); kind 3 (quantile plot) sorts each ascending.
std::vector<std::vector<float>> ScanColumns(const AnalysisMatrix& m,
                                            std::span<const int32_t> columns, int kind);

// The points of one plot-scan cell, a against b, into x and y (as long as the shorter column):
// kinds 1 (X-Y) and 3 (quantile) plot the columns as they are; kind 2 (ratio-intensity) gives
// y := log2(a / b) where b is not 0 and the quotient above 0, else 0, and x := a b held to
// 1 .. the single range.
void ScanCellSeries(int kind, std::span<const float> a, std::span<const float> b, float* x,
                    float* y);
