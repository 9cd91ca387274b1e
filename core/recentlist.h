// Lists of recently used files, newest first, and the expression matrix's entry in its list.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Puts `entry` first in `entries`, moving the others one place down and dropping the last,
// unless it is empty or already present (compared exactly, or with `ignoreCase` without regard to
// ASCII case), which changes nothing: an entry once listed keeps its place. Returns true when the
// list changed. For a record's RecentFiles[0..10] pass entries 1..10.
bool AddRecentEntry(std::span<std::string> entries, const std::string& entry,
                    bool ignoreCase = false);

// An expression matrix with the reader settings it was loaded with. As text (a recent entry, the
// "/expmat=" switch) it is "file;header rows;header columns;chromosome column;start column;stop
// column".
struct ExpressionMatrixEntry {
    std::string File;
    int32_t HeaderRows = 0, HeaderCols = 0, ChrColumn = 0, StartColumn = 0, StopColumn = 0;
    bool operator==(const ExpressionMatrixEntry&) const = default;
};
std::string FormatExpressionEntry(const ExpressionMatrixEntry& entry);
// Splits the text at ";"; a missing or malformed number gives 0.
ExpressionMatrixEntry ParseExpressionEntry(std::string_view text);
// An entry of the recent list: its numbers are the last five fields, so that a file name holding
// ";" stays whole. Text of fewer than six fields reads as ParseExpressionEntry reads it.
ExpressionMatrixEntry ParseRecentExpressionEntry(std::string_view text);
