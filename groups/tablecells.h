// Texts of QTableWidget cells, as the pairs grid holds them.
#pragma once

#include <QTableWidget>

// Empty for a cell never set.
inline QString CellText(const QTableWidget* grid, int row, int col) {
    const QTableWidgetItem* item = grid->item(row, col);
    return item ? item->text() : QString();
}

inline void SetCell(QTableWidget* grid, int row, int col, const QString& text) {
    grid->setItem(row, col, new QTableWidgetItem(text));
}
