// The expression matrix reader and the transforms of the heat map's values.
//
// File layout: TAB-separated cells (double quotes group a cell and stay in it), lines ending in
// CR, LF or CR LF, empty lines skipped. Line 1 names the columns and is the first of the header
// rows; its cell count less the annotation columns is the sample count. Each further non-empty
// line is a gene: its annotation cells (among them chromosome, start and stop), then one value
// per sample, "." the decimal separator whatever the locale.
#pragma once

#include "records.h"
#include "sinks.h"

#include <string>

// Reads the matrix `fileName` into `heatmap`, with `headerRows` header lines and `headerCols`
// annotation columns; the chromosome, start and stop cells are the annotation columns
// heatmap.ChrColumn, StartColumn and StopColumn. Returns the number of genes read. On failure
// (a position column outside the annotation columns read, at most kGeneAnnotationColumns;
// unreadable or UTF-16 file, no samples, more than 1000 samples, no genes, no gene on a
// chromosome, cancelled) returns -1 with `error` set and leaves the heat map as it was; a file
// without lines returns -1 with `error` empty. The report (file, counts, the value cells that
// were no numbers in full, run time) goes to `log`; `warning`, when given, receives the line on
// those cells (empty when there were none). The annotation column shown beside
// the track (DisplayMode) stays when the new matrix has it, else becomes column 1.
int LoadExpressionMatrix(tHeatmap& heatmap, const std::string& fileName, int headerRows,
                         int headerCols, std::string& error, ProgressSink* progress = nullptr,
                         LogSink* log = nullptr, std::string* warning = nullptr);

// True when `column` (1-based) is one of the heat map's named annotation columns.
bool IsAnnotationColumn(const tHeatmap& heatmap, int column);

// Divides each gene's values by their mean over the samples (by 1 when the mean is 0); the sum
// is kept in single precision.
void HeatmapMeanNormalise(tHeatmap& heatmap);

// Replaces each value by its base-2 logarithm; values that are not above 0 become 0.
void HeatmapLog2(tHeatmap& heatmap);

// Turns log10 values into log2 values through the power of ten, which saturates at 3.3e38
// (values above about 38.5 give about 128).
void HeatmapLog10ToLog2(tHeatmap& heatmap);
