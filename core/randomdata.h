// Random CGH data for trying the program out without files.
#pragma once

#include "records.h"

// Replaces the data set (its recent files and test parameters kept) by hybridisations 1..10, all
// active and named "Randam data <h>", each over the chromosomes 1..24 that `layout` holds: one
// probe every 100,000 bp of the p and q arms' band ends, 20 bp long, with a log2 ratio drawn
// uniformly from [-1, 1) by the process-wide generator (also as raw copy and smoothing input).
void FillRandomCGHData(tCGH_DataSet& data, const tGenomeLayout& layout);
