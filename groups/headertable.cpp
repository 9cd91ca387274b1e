#include "headertable.h"

#include <algorithm>

void tHeaderTable::Resize(int conditions, int rows) {
    conditions_ = std::max(conditions, -1);
    rows_ = std::max(rows, -1);
    cells_.assign(static_cast<size_t>(conditions_ + 1) * static_cast<size_t>(rows_ + 1), QString());
}

void tHeaderTable::Set(int condition, int row, const QString& text) {
    if (Inside(condition, row)) cells_[Index(condition, row)] = text;
}

const QString& tHeaderTable::Cell(int condition, int row) const {
    static const QString empty;
    return Inside(condition, row) ? cells_[Index(condition, row)] : empty;
}
