// A grid of text cells kept as the bytes they came with, so a table read from a file writes back
// byte for byte. Columns and rows count from 0; a cell never set, or outside the grid, is empty.
// Each row keeps its cells in one byte block, so a large table costs little more than its text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TextTable {
  public:
    // The most cells a grid may have; larger requests are refused by the callers.
    static constexpr int64_t kMaxCells = 100'000'000;

    int32_t ColCount() const { return cols_; }
    int32_t RowCount() const { return static_cast<int32_t>(rows_.size()); }
    // Cells outside the new size are dropped; counts below 0 count as 0.
    void SetSize(int32_t cols, int32_t rows);

    std::string_view Cell(int32_t col, int32_t row) const;
    // Ignored outside the grid. Throws std::length_error when a row would pass 4 GB.
    void SetCell(int32_t col, int32_t row, std::string_view bytes);
    // Row `row` := `fields` from column `firstCol` on (those beyond the grid dropped); the cells
    // before `firstCol` stay, those after the fields are emptied. Ignored outside the grid.
    void SetRow(int32_t row, int32_t firstCol, const std::vector<std::string_view>& fields);

    // Index of the row's last non-empty cell, -1 when it has none.
    int32_t LastUsedCol(int32_t row) const;

    // An empty row (column) before each row (column) flagged in `flags` (index = row), in one
    // pass; flags beyond the grid are ignored.
    void InsertRowsBefore(const std::vector<bool>& flags);
    void InsertColsBefore(const std::vector<bool>& flags);
    // Removes the flagged rows (columns) in one pass.
    void DeleteRows(const std::vector<bool>& flags);
    void DeleteCols(const std::vector<bool>& flags);
    // Rows first, first + 1, ... become the rows order[0], order[1], ...: a permutation of the
    // rows from `first` (as a stable sort gives it).
    void ReorderRows(int32_t first, const std::vector<int32_t>& order);
    // Moves one row (column) to another place, the ones between shifting by one.
    void MoveRow(int32_t from, int32_t to);
    void MoveCol(int32_t from, int32_t to);
    // Cell (c, r) goes to (r, c); the counts are exchanged.
    void Transpose();

    // Bytes held for the cells (text, cell references and row records), for the benchmarks.
    size_t MemoryBytes() const;

  private:
    struct Span {
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    struct Row {
        std::string bytes;       // the cells' texts; replaced cells leave unused bytes behind
        std::vector<Span> cells; // may be shorter than the grid: missing cells are empty
        uint32_t unused = 0;     // bytes no cell refers to
        std::string_view At(size_t i) const;
        void Put(size_t i, std::string_view text);
        void Compact();
    };
    Row& MakeRow(int32_t row);

    std::vector<std::unique_ptr<Row>> rows_; // null: a row without text
    int32_t cols_ = 0;
};
