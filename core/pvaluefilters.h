// The significance count of the shown p-values and the two filters that keep a probe's shown
// p-value only when enough significant neighbours, or a significant gene, lie near it. All work
// on hybridisation 1, which holds the test results: slot 15 the probe's p-value, slot 17 the
// shown p-value (1.0 = not shown as significant). A p-value of 0 is a probe no test wrote: it is
// never significant.
//
// While slot 15 holds the regulation filter's means rather than p-values, all three change
// nothing and return kNoPValuesText.
#pragma once

#include "records.h"
#include "sinks.h"

#include <cstdint>
#include <string>

inline constexpr const char* kNoPValuesText =
    "The regulation filter has replaced the p-values: run a group test first.";

// stat.SignificantCount := the probes of hybridisation 1 whose shown p-value lies above 0 and
// below stat.Alpha. Returns "" or why it changed nothing.
std::string CountSignificantProbes(tStat& stat, const tCGH_DataSet& data);

// Every shown p-value := 1.0; then each probe i with 0 < p <= alpha, whose window
// i - window / 2 .. i + window / 2 lies inside its chromosome and holds at least
// min(minCount, window) such probes, shows its p again, and "CID=c OID=i #=n" is reported. Does
// nothing when window or minCount is below 1. Returns "" or why it changed nothing.
std::string WindowPValueFilter(tCGH_DataSet& data, float alpha, int32_t window, int32_t minCount,
                               LogSink* log);

// Every shown p-value := 1.0; then for each gene g of `h` with p-value (Data[0][g]) <= expAlpha
// on a chromosome 1..24, the probes with 0 < p <= cghAlpha that lie within `distance` bp of the
// gene's span (at most 10000 per gene) show their p again when there are at least minCount (and
// at least one) of them. Returns "" or why it changed nothing.
std::string GeneProximityPValueFilter(tCGH_DataSet& data, const tHeatmap& h, float cghAlpha,
                                      float expAlpha, int32_t distance, int32_t minCount);
