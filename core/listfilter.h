// The list filter: runs of neighbouring probes in a list of regulation lines, per chromosome and
// direction, reported line by line.
//
// An input line is TAB-separated; field 0 is a chromosome key "Chr-c" (c = 1..24), a blank and a
// probe number; field 4 the regulation, a loss when it contains "-".
#pragma once

#include "sinks.h"

#include <string>
#include <vector>

// Reports "<n> lines loaded.", drops the lines before the first one beginning with "Chr" from the
// front of `lines` (all of them when none does), then for c = 1..24 "Filter UL <c>" and the
// segments of that chromosome's gains and then of its losses (FindListSegments; an entry is the
// probe number, TAB and the regulation). Lines of a chromosome with fewer than five fields are
// left out and counted in one report line. `progress` is pumped; a cancel ends the report.
void FilterListByChromosome(std::vector<std::string>& lines, LogSink* log, ProgressSink* progress);

// Reads the lines of a list file (a match list) for the filter; false with `error` set when the
// file cannot be read.
bool ReadListFile(const std::string& fileName, std::vector<std::string>& lines, std::string& error);

// Runs among `entries` ("position TAB value", the position a whole number): from an anchor,
// following entries stay "within" while the k-th after it lies at most 2k beyond it; a run of the
// anchor through its last entry within is reported when it reaches the list's end or has at least
// three entries within before one outside. Each run gives "Segment: <first>-<last>" (1-based)
// and its `lines` (lines[i] belongs to entries[i]). Fewer than two entries give nothing; an entry
// whose position is no whole number breaks every run it meets.
void FindListSegments(const std::vector<std::string>& entries,
                      const std::vector<std::string>& lines, LogSink* log, ProgressSink* progress);
