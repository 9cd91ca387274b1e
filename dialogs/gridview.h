// The string grid's view: a table view whose headers draw the grid's fixed rows and columns
// (any number of each), so they stay in view while the cells scroll and cannot be edited.
// Presses, clicks and double clicks anywhere in it are reported in grid cells.
#pragma once

#include <QHeaderView>
#include <QTableView>
#include <vector>

class TGridModel;

// One edge of the grid: the horizontal header holds the fixed rows (a strip each, per column),
// the vertical one the fixed columns (per row).
class TGridHeader : public QHeaderView {
    Q_OBJECT
  public:
    TGridHeader(Qt::Orientation orientation, QWidget* parent);
    void SetGrid(const TGridModel* grid) { grid_ = grid; }
    // Size of fixed strip i: the fixed rows' height (horizontal), a fixed column's width.
    int Strip(int i) const;
    void SetStrip(int i, int size);
    void SetDefaultStrip(int size) { defaultStrip_ = size; }
    int StripCount() const;
    int StripsSize() const;
    // The grid cell at a point of the header; false beside the cells.
    bool CellAt(const QPoint& pos, int& col, int& row) const;

  signals:
    void CellPressed(int col, int row, Qt::MouseButton button);
    void CellReleased(int col, int row);
    void CellDoubleClicked(int col, int row);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sizeHint() const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    bool AtHandle(const QPoint& pos) const;
    int StripAt(int offset) const;
    const TGridModel* grid_ = nullptr;
    std::vector<int> strips_;
    int defaultStrip_ = 24;
};

// Paints one cell as the string grid does: its fill, its text 2 pixels in from the top left.
void PaintGridCell(QPainter& painter, const QRect& rect, const QColor& fill, const QString& text,
                   const QColor& ink);

class TGridView : public QTableView {
    Q_OBJECT
  public:
    explicit TGridView(QWidget* parent = nullptr);
    void SetGrid(TGridModel* grid);
    TGridModel* Grid() const { return grid_; }
    TGridHeader* Top() const { return top_; }
    TGridHeader* Side() const { return side_; }

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int DefaultRowHeight() const { return side_->defaultSectionSize(); }
    // The top row of the selection (grid row), the first inner row when nothing is selected.
    int TopSelectedRow() const;
    // Brings cell (col, row) into view and makes it the current one.
    void GoTo(int col, int row);

  signals:
    void CellPressed(int col, int row, Qt::MouseButton button);
    void CellClicked(int col, int row);
    void CellDoubleClicked(int col, int row);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void EdgesChanged();
    void MoveSection(Qt::Orientation orientation, int from, int to);
    TGridModel* grid_ = nullptr;
    TGridHeader* top_;
    TGridHeader* side_;
    QWidget* corner_ = nullptr;
    std::vector<int> savedWidths_; // column widths across a reset of the model
};
