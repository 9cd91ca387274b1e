// The string grid of the dialogs: cells addressed (column, row) from 0, the first FixedRows rows
// and FixedCols columns being the fixed edges. The item model shows only the cells inside the
// edges (model row = grid row - FixedRows); views draw the edges in their headers.
// Cells keep their bytes: shown as UTF-8 where valid, else as Latin-1; text set from the
// widgets is stored as UTF-8.
#pragma once

#include "textpreview.h"
#include "texttable.h"

#include <QAbstractTableModel>
#include <QString>
#include <functional>

class TGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TGridModel(QObject* parent = nullptr);

    // Grid size including the fixed rows and columns.
    int ColCount() const { return cells_.ColCount(); }
    int RowCount() const { return cells_.RowCount(); }
    void SetSize(int cols, int rows);
    void SetColCount(int cols) { SetSize(cols, RowCount()); }
    void SetRowCount(int rows) { SetSize(ColCount(), rows); }
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixed(int cols, int rows);

    // Empty for cells never set or outside the grid.
    QString Cell(int col, int row) const;
    std::string_view CellBytes(int col, int row) const { return cells_.Cell(col, row); }
    // Cells outside the grid are ignored: size the grid first.
    void SetCell(int col, int row, const QString& text);
    void SetCellBytes(int col, int row, std::string_view bytes);
    const TextTable& Table() const { return cells_; }
    // Runs `change` on the cells and tells the views that everything may have changed.
    void Change(const std::function<void(TextTable&)>& change);
    // The same for a change that keeps the grid's size (views keep their place).
    void ChangeCells(const std::function<void(TextTable&)>& change);

    // Rows of `table` from row 1 and column 1; one column and one row more than the data.
    void Fill(const PreviewTable& table);
    // Row 0 holds the column numbers, column 0 the row numbers ("0" in the corner).
    void NumberEdges();

    // The cell of a model index and back; an invalid index outside the inner cells.
    int GridCol(const QModelIndex& index) const { return index.column() + fixedCols_; }
    int GridRow(const QModelIndex& index) const { return index.row() + fixedRows_; }
    QModelIndex GridIndex(int col, int row) const;
    // The fill of a cell, fixed ones included; invalid for the view's own colour.
    virtual QVariant CellBackground(int col, int row) const;
    // Tells the views that the fills may have changed.
    void BackgroundsChanged();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    // A fixed cell changed.
    void EdgeChanged();

  protected:
    // Called after every change of the grid's size.
    virtual void GridResized() {}

  private:
    void CellChanged(int col, int row);
    TextTable cells_;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
};

// A cell's bytes as text: UTF-8 where valid, else Latin-1.
QString CellText(std::string_view bytes);
