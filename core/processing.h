// Helpers shared by the routines that process the CGH data set in place: the report block and
// its run-time line, and the range of hybridisations in use.
#pragma once

#include "records.h"
#include "sinks.h"

#include <string>

// Appends the head of a report block: an empty line, the title and `rule` "=" characters.
void AddReportHead(Report& report, const std::string& title, int rule);

// True when a hybridisation is in use; otherwise the routine's single report line
// "<title> - no hybridizations loaded." is written and false returned.
bool HybridisationsInUse(Report& report, const tCGH_DataSet& data, const std::string& title);

// The highest hybridisation slot to process: HNum clamped to 0..50 (0 = none).
int LastHybridisation(const tCGH_DataSet& data);

// Number of probes a hybridisation holds over chromosomes 1..24 (each array's checked count).
int64_t HybridisationProbeCount(const tCGHHybridisation& hyb);
