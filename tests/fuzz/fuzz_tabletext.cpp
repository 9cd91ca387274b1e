// Feeds arbitrary bytes to the table editor's file reader, its writer and its clipboard texts.
#include "tabletext.h"

#include <cstdint>
#include <cstdlib>

namespace {
constexpr std::string_view kStale = "no\nfield holds a line feed";
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TableTextShape shape = MeasureTableText(text);
    if (shape.Lines == 0) return 0;
    const int64_t rows = shape.Lines + 10, cols = shape.MaxFields + 10;
    if (cols > TextTable::kMaxCells / rows) return 0;
    TextTable table;
    table.SetSize(4, 3);
    table.SetCell(0, 2, "kept");
    table.SetCell(3, 1, kStale);
    FillTableText(table, text, static_cast<int32_t>(cols), static_cast<int32_t>(rows));
    if (table.Cell(0, 2) != "kept" || (shape.Lines >= 1 && table.Cell(3, 1) == kStale))
        std::abort();
    // What was saved reads back to the same file.
    const std::string saved = TableSaveText(table);
    TextTable again;
    FillTableText(again, saved, static_cast<int32_t>(cols), static_cast<int32_t>(rows));
    if (TableSaveText(again) != saved) std::abort();
    if (!IsValidUtf8(WholeTableText(table))) std::abort();
    PasteTableText(table, text, 1, 1);
    table.Transpose();
    if (table.ColCount() != rows || table.RowCount() != cols) std::abort();
    return 0;
}
