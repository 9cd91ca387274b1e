// The hybridisation annotation table as the table editor shows it, and the annotation keys
// written beside the hybridisations' names on the map.
#pragma once

#include "records.h"
#include "texttable.h"

#include <string>
#include <string_view>
#include <vector>

// The table of keys by hybridisations: row 0 the headings ("Key", then 1..HNum), row k (1..100)
// key k, column 1 the key names, column h + 1 the values of hybridisation h. Column 0 is left
// empty; cells keep the annotations' bytes.
TextTable HybridisationAnnotationTable(const tCGH_DataSet& data);

// Copies the edited table back: each row 2..100 whose key name (column 1) is not empty sets key
// r of hybridisations 0..HNum from columns 1..HNum + 1. Row 1 ("File name") is never copied, and
// a row or column the table no longer has leaves its annotations as they were.
void ApplyHybridisationAnnotationTable(const TextTable& table, tCGH_DataSet& data);

// Reads the keys typed as "2,3,4": pieces cut at ",", each a whole number 1..100; at most 100
// are taken. Every piece left out adds one line to `skipped`.
std::vector<int> ParseAnnotationKeys(std::string_view text, std::vector<std::string>& skipped);
