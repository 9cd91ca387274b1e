// The header tables the main window hands to the group selector.
#pragma once

#include "headertable.h"
#include "records.h"

// Hybridisations 1..HNum of `data`: row 1 "File name" and the file names, then one row per
// annotation key 2..100 that has a name, in key order. Returns the number of rows filled.
int FillCGHHeaderTable(tHeaderTable& table, const tCGH_DataSet& data);

// Samples 1..SampleCount of `heatmap` (0: the row titles) with the header rows read from its
// file. Returns the number of rows filled.
int FillExpressionHeaderTable(tHeaderTable& table, const tHeatmap& heatmap);
