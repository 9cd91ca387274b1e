// Search of the gene-feature list by name, with "*" as a wildcard at either end of a word.
#pragma once

#include "records.h"
#include "sinks.h"

#include <string>
#include <string_view>

// Marks (Num[15] := 1) every feature 1..count of `genes` whose name matches `pattern` without
// regard to case, and reports it to `log` as "i - name; Chr=c; Start=s - text1, text2, text3".
// "*part*" (longer than 2) finds names containing the part, "part*" names beginning with it,
// "*part" names ending with it, a word without "*" at either end equal names; an empty part
// finds nothing. Marks of earlier searches stay. Returns the number of features found.
int MatchGeneNames(tFList& genes, std::string_view pattern, LogSink* log);

// A typed search text as it is searched and kept: TAB, CR and LF become blanks, surrounding
// blanks go.
std::string CleanSearchText(std::string_view typed);

// The whole search of a cleaned text: clears every found mark, then matches each word of the text
// with MatchGeneNames, reporting to `log` an empty line, a head line with the text, the features
// found, their sum and the run time. A feature found by two words counts twice. Returns the sum.
int SearchGeneNames(tFList& genes, std::string_view text, LogSink* log);
