// The program's own binary file of a whole CGH data set (".cgm").
//
// All integers are unsigned 32-bit little-endian. The file is a sequence of records, each a body
// length and a body; a body holds text fields (length, then bytes) and 80-byte data blocks
// (slots 1..20 of one probe as little-endian floats). Records in order: the magic
// "JX-QB_V1.001"; "CNum" TAB 24; "HNum" TAB HNum; per chromosome c "ONum"c TAB its probe count;
// "File names" followed by TAB + name per hybridisation; one record per non-empty annotation key
// (key name, then TAB + value per hybridisation); "////"; then for chromosomes 1..24 and each
// probe one record: the probe's five annotation texts joined by TAB and one data block per
// hybridisation 1..HNum. Texts are never quoted: a TAB inside a text is written as a blank.
//
// Large files are read and written a window of records at a time, shared out among the worker
// threads by hybridisation; the progress sink is only ever called on the caller's thread. A read
// that replaces probes passes over the file twice: the first pass checks every record, so that a
// file that cannot be loaded changes nothing; then what the load replaces is freed, so that the
// old and the new data never take memory together, and the second pass stores the probes. A read
// into a data set without probes checks and stores in one pass.
#pragma once

#include "records.h"
#include "sinks.h"

#include <string>
#include <vector>

// Saves `data` (setting its CNum to 24) through a temporary file that replaces `fileName` only
// when complete; logs the run time. Returns false with `error` set when the file cannot be
// written or the user cancels; `fileName` is then left as it was.
bool WriteCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                    LogSink* log, std::string& error);

// Reads a file into hybridisations 1..HNum (names, probe arrays of all 24 chromosomes), the
// annotation keys read (from key 2 on), the probe annotation of all 24 chromosomes, HNum and
// CNum; other slots and fields keep their values. Logs the run time. Returns false with `error`
// set when the file cannot be read, is not a CGH matrix file, is truncated or malformed, or the
// user cancels; `data` is then unchanged, unless the failure came only after the check of the
// whole file (a read error, the file changing meanwhile, memory running out): `data` then holds
// no hybridisations and no probes, and `error` says that the data loaded before were cleared.
// Once the check is done and the data it replaces are freed, the load offers no cancel.
bool ReadCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                   LogSink* log, std::string& error);

struct CGHMatrixLoad {
    bool ok = false;
    std::string error;               // set when !ok
    std::vector<std::string> report; // Info lines, counts per chromosome only when ok
};

// Loads a CGH matrix file as a new data set: `data` is replaced by the file's contents on a
// cleared data set (recent files and test parameters kept) with hybridisations 1..HNum active.
// On failure returns ok false with the error text and leaves `data` as ReadCGHMatrix does.
CGHMatrixLoad LoadCGHMatrixDataSet(tCGH_DataSet& data, const std::string& fileName,
                                   ProgressSink* progress);
