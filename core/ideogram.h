// The ideogram reader: the cytogenetic band table from which the map draws its chromosomes.
//
// The table is TAB-separated, one band per row. The caller names its columns in a spec
// string "file;first,chr,arm,band,start,end,stain,density,extra": the first line parsed and the
// 1-based columns of the eight fields (for NCBI's tables "file" + kNCBIIdeogramColumns).
#pragma once

#include "records.h"
#include "sinks.h"

#include <string>

// Reads the band table named in `spec` into `bands` (entry i = line i of the file, header count =
// the file's line count) and rebuilds the chromosome geometry of `layout` (lengths, arm maxima,
// longest chromosome and p arm, selection) and `ideogramType` (1 numbered, 2 lettered bands).
// Reports every line and the parsed bands to `log`. Returns false with `errText` set when the
// spec string is invalid, the file is missing, unreadable, not text (holds a NUL byte) or holds
// no band row on a chromosome 1..40, or memory runs out; the records are then unchanged.
// The column string of NCBI's band tables, the shipped table data/ideogram among them.
inline constexpr const char* kNCBIIdeogramColumns = ";2,1,2,3,6,7,8,9,4";

bool ReadIdeogramFile(const std::string& spec, tFList& bands, tGenomeLayout& layout,
                      int32_t& ideogramType, LogSink* log, std::string& errText);
