// The DSB data file: one CGH hybridisation from a TAB-separated table of strand breaks.
//
// Line 1 is a header. Each further line is split at TAB (double quotes protect delimiters); lines
// of at least 24 fields give a probe: field 7 the value (a number with "."), field 8 the
// chromosome, field 9 the strand ("-" minus, anything else plus) and field 10 the position (its
// absolute value). Lines with fewer fields, a chromosome other than 1..24 or position 0 are
// skipped. A probe at position p with strand s and value v starts at p, ends at p + 100 s and
// holds v / 100 s.
#pragma once

#include "records.h"
#include "sinks.h"

#include <array>
#include <string>

// A DSB file as read, not yet in the data set.
struct DSBData {
    std::string FileName;
    // Per chromosome 1..24 the probes in file order (slots 1..4, 11 and 40), count + 1000 elements.
    std::array<tCGHProbeArray, kChromosomes + 1> Chr;
    // The line on strand cells that were neither "+" nor "-" (read as plus); empty when none.
    std::string Warning;
};

// Reads a DSB file into `out`. `progress` follows the bytes read and may cancel. Returns false
// with `errText` set when the file cannot be read, is UTF-16 text, holds no usable line, a used
// line's value or position is no number (naming the line and the text), or the user cancelled
// (kLoadCancelled); `out` is then empty.
bool ReadDSBDataFile(const std::string& fileName, DSBData& out, ProgressSink* progress,
                     std::string& errText);

// Puts a read file into the first free hybridisation slot: its file name and probe arrays;
// reports "Importing <file> ...", each chromosome's probe count (0..24) and the read's warning.
// The slot's active flag, the probe annotation and the data type stay as they were. Returns the
// slot, or 0 with `errText` set (kNoFreeSlotText, or probe counts that differ from the
// hybridisations in use) and the data set unchanged.
int ImportDSBData(tCGH_DataSet& data, DSBData&& dsb, LogSink* log, std::string& errText);
