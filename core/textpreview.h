// Rows of TAB-separated text for the column selector's preview (no quote handling).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct PreviewTable {
    std::vector<std::vector<std::string>> Rows; // fields of each row, in order
    size_t MaxFields = 0;                       // fields of the widest row
};

// The fields of one line, cut at every TAB; carriage returns are dropped.
std::vector<std::string> SplitPreviewLine(std::string_view line);

// One row per line of `data` that ends with a line feed; a last line without one is left out.
// Never fails: empty data gives no rows.
PreviewTable PreviewFromBytes(std::string_view data);

// Appends `line` as a row of `table` (an empty line too; callers skip what they do not want).
void AddPreviewRow(PreviewTable& table, std::string_view line);
