// The table editor's printout: the page layout in units of 0.1 mm, and the printing itself.
#pragma once

#include <cstdint>
#include <vector>

class QPrinter;
class TGridModel;

struct TablePrintLayout {
    static constexpr int32_t kTop = 100, kBottom = 200, kLineHeight = 36;
    int32_t Width = 0, Height = 0; // the page, 0.1 mm
    int32_t RowsPerPage = 1;       // at least 1, however small the page
    int32_t Pages = 0;
};

// The layout of `rowCount` grid rows on pages of the given size in millimetres.
TablePrintLayout LayoutTablePrint(double widthMm, double heightMm, int32_t rowCount);

// Prints every row of the grid, portrait, titled "Kelv" with a "Seite: x von y" footer; each row's
// cells advance by 3 x their column's screen width in 0.1 mm. False when the printer failed.
bool PrintTable(QPrinter& printer, const TGridModel& grid, const std::vector<int>& colWidths);
