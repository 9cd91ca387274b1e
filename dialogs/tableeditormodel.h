// The table editor's grid: the dialogs' string grid with marked rows and columns and the
// editor's cell colours (bands, value rules, column 8 above 10, fixed edges, darkened marks).
#pragma once

#include "gridmodel.h"

#include <QColor>
#include <array>
#include <cstdint>
#include <vector>

struct TTableColourRule {
    int32_t Column = 0;
    int32_t Operator = 0; // -1 below, 0 equal, 1 above the threshold
    float Threshold = 0;
    uint8_t Red = 0, Green = 0, Blue = 0;
};

class TTableEditorModel : public TGridModel {
    Q_OBJECT
  public:
    explicit TTableEditorModel(QObject* parent = nullptr);

    // Marks by column and by row index, sized with the grid.
    std::vector<bool> ColMarks;
    std::vector<bool> RowMarks;
    std::array<TTableColourRule, 11> Rules{}; // [1..RuleCount]
    int32_t RuleCount = 0;
    int32_t BandRows = 0; // above 0: every other band of this many rows light grey

    // The fill of cell (col, row).
    QColor CellColour(int col, int row) const;
    QVariant CellBackground(int col, int row) const override { return CellColour(col, row); }

  protected:
    void GridResized() override;
};
