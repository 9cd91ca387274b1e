// Value logic of the table editor, kept apart from the widgets.
#pragma once

#include "texttable.h"

#include <QString>
#include <QStringList>
#include <Qt>
#include <cstdint>
#include <vector>

// A press on header index i (a column of row 0 or a row of column 0) with the given button and
// keys, applied to the marks of that kind and their anchor.
void PressMark(std::vector<bool>& marks, int32_t& anchor, int32_t i, Qt::MouseButton button,
               bool ctrl, bool shift);

// Marks the rows (from 1) with a cell (from column 1) that matches a word of `query` without
// regard to case: words after "\fw" must equal a whole cell, earlier ones may lie inside one.
// Each match adds its row's cells 1.. joined by TAB as a line of the returned text (UTF-8, lines
// ended by LF). Row marks are cleared first.
std::string FindInTable(const TextTable& table, const QString& query, std::vector<bool>& rowMarks);

// Rows first..RowCount-1 ordered by their cell in column `col`, compared as texts in the user's
// locale (case-sensitive); equal texts keep their order.
std::vector<int32_t> TextRowOrder(const TextTable& table, int32_t col, int32_t first,
                                  bool descending);

// The searched `text` enters the find history: first, without an entry equal to it in another
// case, at most ten kept.
void EnterFindHistory(QStringList& history, const QString& text);
constexpr int kFindHistorySize = 10;

// "c,r" as c and r: two whole numbers of at least 0 with (c + 1) x (r + 1) at most
// TextTable::kMaxCells; false for anything else.
bool ParseGridDimensions(const QString& text, int32_t& cols, int32_t& rows);
