// The CGH-expression matrix reader: many CGH hybridisations in one TAB-separated text file, a
// header line, then one row per probe with its position ("chr7:1000-2000"), name, gene and one
// value per hybridisation.
#pragma once

#include "records.h"
#include "sinks.h"

#include <string>

// Replaces the data set by the matrix `fileName` (columns numbered from 1): position column
// `positionColumn`, name and gene columns `nameColumn` and `geneColumn` (0 = none), data
// columns `firstColumn`..`lastColumn`, each one hybridisation from slot 1 on (at most 50; further
// columns are ignored). Values are stored times the square root of 10, the probes sorted by start
// per chromosome; only slot `activeSlot` is left active; the recent-file list is kept. Returns
// false with `error` set, and the data set as it was, for invalid column numbers or slot, a file
// that cannot be read, or a cancelled load. The report (run time) goes to `log`.
bool LoadMatrixColumns(int positionColumn, int nameColumn, int geneColumn, int firstColumn,
                       int lastColumn, const std::string& fileName, tCGH_DataSet& data,
                       int activeSlot, std::string& error, ProgressSink* progress = nullptr,
                       LogSink* log = nullptr);
