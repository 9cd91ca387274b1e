// The column selector's grid: the dialogs' string grid with the picked columns drawn grey.
#pragma once

#include "gridmodel.h"

#include <cstdint>
#include <vector>

class TPreviewGridModel : public TGridModel {
    Q_OBJECT
  public:
    using TGridModel::TGridModel;

    // Columns flagged 1 in `marks` (1-based, may be shorter than the grid) are drawn grey.
    void SetMarks(const std::vector<uint8_t>* marks);
    void MarksChanged() { BackgroundsChanged(); }
    QVariant CellBackground(int col, int row) const override;

  private:
    const std::vector<uint8_t>* marks_ = nullptr;
};
