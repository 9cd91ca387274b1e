// Transforms and window smoothers of the CGH probe values, in place on a data set.
//
// Every routine works on hybridisations 1..HNum (slots without a file name included), each over
// its own per-chromosome arrays, appends its report block to `log` (null = no report) and bumps
// DataVersion when it ran. With nothing to work on (HNum 0, a filter width below 1, a weighted
// window longer than every chromosome) it changes nothing and reports one line. The per-set
// z-transform and the smoothers report a hybridisation without probes as "Set h - no probes".
// None changes DataType: the caller picks the slot shown.
#pragma once

#include "records.h"
#include "sinks.h"

#include <vector>

// z-transform of slot 4 per hybridisation over all its probes (SD divides by n, SD 0 counts as
// 1); reports "Set h - Mean=...; SDev=..." per hybridisation, "Set h - no probes" for empty ones.
void ZTransformHybridisations(tCGH_DataSet& data, LogSink* log);

// z-transform of slot 4 per probe across the hybridisations that hold that probe.
void ZTransformOligos(tCGH_DataSet& data, LogSink* log);

// Negates slots 4..14 and 18..40; the p-value slots 15..17 keep their values.
void InvertHybridisations(tCGH_DataSet& data, LogSink* log);

// Multiplies slots 4..13 and 18..40 by log2(10); slots 14..17 keep their values.
void Log10ToLog2(tCGH_DataSet& data, LogSink* log);

// Copies the raw values of slot 40 back to slot 4.
void RestoreRawCGHValues(tCGH_DataSet& data, LogSink* log);

// Flat moving mean (slot 12) and SD (slot 13) of slot 11 over the width / 2 probes on each side,
// for probes width / 2 + 1 .. count - width / 2 - 1; the others keep their slots 12 and 13.
void SmoothCGHData(tCGH_DataSet& data, int width, LogSink* log);

// Weighted moving mean (slot 12) and unweighted SD about it (slot 13) of slot 11, window shape
// `kind` (1 flat, 3 triangle, 4 Gaussian, other flat), over the probes SmoothCGHData fills; only
// hybridisation min(slot, HNum) when slot >= 1. Reports the window's weights, one per line.
void WeightedSmoothCGHData(tCGH_DataSet& data, int slot, int kind, int width, LogSink* log);

// The 2 * (width / 2) + 1 window weights of WeightedSmoothCGHData; empty when width < 1. The
// table has one entry per window probe: keep the width within the probe counts.
std::vector<double> SmoothingWeights(int kind, int width);
