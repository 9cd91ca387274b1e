// Cells a reader took by its lenient rule rather than as the file wrote them: counted while the
// reader parses, so that its report can tell the user what was read in their place.
#pragma once

#include "numbers.h"
#include "parser.h"

#include <cstdint>
#include <string>
#include <string_view>

struct LenientCells {
    int64_t Count = 0;
    // The first cell noted: its line and column (from 1) and the start of its text.
    int64_t Line = 0;
    int Column = 0;
    std::string Text;

    void Note(int64_t line, int column, std::string_view text) {
        if (Count++ > 0) return;
        Line = line;
        Column = column;
        Text.assign(text.substr(0, kShownText));
        if (text.size() > kShownText) Text += "...";
    }
    // Adds the cells of `later`, noted in a part of the file after this one's.
    void Add(const LenientCells& later);
    // "<what>: <count> in "<fileName>", the first at line <l>, column <c>: "<text>"."; empty
    // when no cell was noted.
    std::string Describe(std::string_view what, const std::string& fileName) const;

  private:
    static constexpr size_t kShownText = 60; // a cell can be a whole line of a file of another kind
};

// What the value readers do with a cell that is no number in full.
inline constexpr std::string_view kLenientValuesText =
    "Value cells that are no numbers in full were read by their valid beginning or as 0";

// The lenient value of `cell` (ParseLenientFloat); noted in `cut` unless the cell, less trailing
// blanks, is one number in full.
inline double ReadValueCell(std::string_view cell, LenientCells& cut, int64_t line, int column) {
    size_t end = 0;
    const double v = ParseLenientFloat(cell, &end);
    if (end == 0 || (end < cell.size() && !TrimBlanks(cell.substr(end)).empty()))
        cut.Note(line, column, cell);
    return v;
}
