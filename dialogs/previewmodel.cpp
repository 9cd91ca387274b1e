#include "previewmodel.h"

#include <QColor>

void TPreviewGridModel::SetMarks(const std::vector<uint8_t>* marks) {
    marks_ = marks;
    MarksChanged();
}

QVariant TPreviewGridModel::CellBackground(int col, int row) const {
    const bool marked = marks_ && row >= FixedRows() && col >= 0 &&
                        static_cast<size_t>(col) < marks_->size() &&
                        (*marks_)[static_cast<size_t>(col)] == 1;
    return marked ? QColor(223, 223, 223) : QVariant();
}
