// The column selector's grid: cells addressed like a string grid, row 0 and column 0 being the
// fixed edges, shown by a QTableView whose headers are those edges.
#pragma once

#include "textpreview.h"

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <vector>

class TPreviewGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Grid size including the fixed row 0 and column 0.
    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    void SetSize(int cols, int rows);
    // Empty for cells never set or outside the grid.
    QString Cell(int col, int row) const;
    // Cells outside the grid are ignored: size the grid first.
    void SetCell(int col, int row, const QString& text);
    // Rows of `table` from row 1 and column 1; one column and one row more than the data.
    void Fill(const PreviewTable& table);
    // Row 0 holds the column numbers, column 0 the row numbers ("0" in the corner).
    void NumberEdges();
    // Columns flagged 1 in `marks` (1-based, may be shorter than the grid) are drawn grey.
    void SetMarks(const std::vector<uint8_t>* marks);
    void MarksChanged();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    bool Marked(int col) const;
    int colCount_ = 1;
    int rowCount_ = 1;
    std::vector<std::vector<QString>> cells_; // [row][col], rows may be shorter than the grid
    const std::vector<uint8_t>* marks_ = nullptr;
};
