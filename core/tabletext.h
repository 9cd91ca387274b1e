// The table editor's texts: table files (TAB-separated lines), the clipboard's copies and pastes,
// and the orders of its sorts. Cells keep their bytes; texts for the clipboard are UTF-8.
#pragma once

#include "texttable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// Appends `bytes` as UTF-8: unchanged when valid, else read as Latin-1.
void AppendAsUtf8(std::string& out, std::string_view bytes);

// Lines end at CR, LF or CR LF; a last line without an end counts too.
struct TableTextShape {
    int64_t Lines = 0;
    int64_t MaxFields = 0; // TAB-separated fields of the widest line
};
TableTextShape MeasureTableText(std::string_view data);

// Empties the cells from row 1 and column 1, sizes the grid to cols x rows (row 0 and column 0
// keep their texts) and puts field j of line i (from 1; quotes mean nothing) into cell (j, i).
// Lines and fields beyond the grid are dropped.
void FillTableText(TextTable& table, std::string_view data, int32_t cols, int32_t rows);

// The file that Save as writes: rows and columns from 1 up to the last with text; each row as
// its cells joined by TAB and ended with CR LF; rows without text are left out.
std::string TableSaveText(const TextTable& table);

// Clipboard texts, lines joined by CR LF, cells by TAB:
// the marked columns' cells of rows 1..RowCount (a TAB only after text, so leading empty cells
// leave no field; a separator only once text was gathered);
std::string MarkedColumnsText(const TextTable& table, const std::vector<bool>& colMarks);
// the marked rows, each with its cells 0..m, m the last column with text in any marked row;
std::string MarkedRowsText(const TextTable& table, const std::vector<bool>& rowMarks);
// rows 1..R with cells 0..C-1: R the last row and C - 1 the last column with text.
std::string WholeTableText(const TextTable& table);

// Pastes UTF-8 `text` from cell (col, row): lines are cut at CR, fields at TAB; each field loses
// its CR and LF and every other character below 33 or above 126 becomes a blank. Field k of
// line j (from 0) goes to cell (col + k, row + j) when it exists; the grid does not grow.
void PasteTableText(TextTable& table, std::string_view text, int32_t col, int32_t row);

// The first row r >= 1 whose cells from column 1 are all empty, or the row count when none.
int32_t UsedRowExtent(const TextTable& table);

// Rows first..RowCount-1 ordered by the value of their cell in column `col` (the value of its
// valid beginning, "." as decimal point, or 0); equal values keep their order.
std::vector<int32_t> NumericRowOrder(const TextTable& table, int32_t col, int32_t first,
                                     bool descending);

// The fields of `text` cut at every `delim`; with `dropLastEmpty` a text ending in `delim` has
// no empty last field. An empty text gives none.
std::vector<std::string_view> SplitFields(std::string_view text, char delim, bool dropLastEmpty);
