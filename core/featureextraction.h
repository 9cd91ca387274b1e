// The feature-extraction reader: one CGH hybridisation from a TAB-separated scanner export.
//
// Probe rows have at least 15 fields, field 0 "DATA" and field 7 (control type) "0". Field 8, 9
// and 11 are annotation texts (9 the probe name), field 10 the position "chrN:start-end", field 14
// the value (stored times kCGHValueFactor, the square root of 10) and fields 16, 22 and 21 the
// extra slots 5, 6, 7; values beyond the singles' range are held at its ends.
#pragma once

#include "progresssteps.h"
#include "records.h"
#include "sinks.h"

#include <string>

// Reads the file named in data.Hyb[slot].FileName into that slot: probe arrays of chromosomes
// 1..24 sorted by start, the shared annotation `Oligo`, the slot's annotation file name and its
// active flag. Reports the row count, the value cells that were no numbers in full, each
// chromosome's probe count and the elapsed time to `log`; `warning`, when given, receives the line
// on those cells (empty when there were none). `progress` follows the bytes read and may cancel.
// Returns false with `errText` set when the slot is not 1..50, the file cannot be read, is UTF-16
// text, holds no probe row on chromosomes 1..24, its per-chromosome probe counts differ from those
// of the hybridisations already loaded, memory runs out, or the load was cancelled (errText
// kLoadCancelled); the data set is then unchanged.
bool LoadAgilentFeatureFile(tCGH_DataSet& data, int slot, LogSink* log, ProgressSink* progress,
                            std::string& errText, std::string* warning = nullptr);
