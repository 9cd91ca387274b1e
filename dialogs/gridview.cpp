#include "gridview.h"

#include "gridmodel.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <climits>

void PaintGridCell(QPainter& painter, const QRect& rect, const QColor& fill, const QString& text,
                   const QColor& ink) {
    painter.fillRect(rect, fill);
    painter.setPen(ink);
    painter.drawText(rect.adjusted(2, 2, -1, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     text);
}

namespace {
// A fixed cell: drawn as an inner one, with the grid's lines on its right and bottom.
void PaintFixedCell(QPainter& painter, const QRect& rect, const QVariant& fill,
                    const QPalette& palette, const QString& text) {
    PaintGridCell(painter, rect,
                  fill.isValid() ? fill.value<QColor>() : palette.color(QPalette::Button), text,
                  Qt::black);
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
}

// Draws inner cells directly: the style's item painting lays out every text, which a grid of
// short texts does not need.
class TGridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QVariant fill = index.data(Qt::BackgroundRole);
        PaintGridCell(*painter, option.rect,
                      selected         ? option.palette.color(QPalette::Highlight)
                      : fill.isValid() ? fill.value<QColor>()
                                       : option.palette.color(QPalette::Base),
                      index.data(Qt::DisplayRole).toString(),
                      option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    }
};
} // namespace

TGridHeader::TGridHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    // A press marks rows and columns through CellPressed instead of selecting them.
    setSectionsClickable(false);
    setSectionsMovable(true);
    setHighlightSections(false);
    setMinimumSize(0, 0);
    if (orientation == Qt::Horizontal) {
        setSectionResizeMode(QHeaderView::Interactive);
        setDefaultSectionSize(64);
        defaultStrip_ = 24;
    } else {
        setSectionResizeMode(QHeaderView::Fixed);
        setDefaultSectionSize(24);
        defaultStrip_ = 64;
    }
}

int TGridHeader::StripCount() const {
    if (!grid_) return 0;
    return orientation() == Qt::Horizontal ? std::min(grid_->FixedRows(), grid_->RowCount())
                                           : std::min(grid_->FixedCols(), grid_->ColCount());
}

int TGridHeader::Strip(int i) const {
    return i >= 0 && static_cast<size_t>(i) < strips_.size() && strips_[static_cast<size_t>(i)] > 0
               ? strips_[static_cast<size_t>(i)]
               : defaultStrip_;
}

void TGridHeader::SetStrip(int i, int size) {
    if (i < 0) return;
    if (strips_.size() <= static_cast<size_t>(i)) strips_.resize(static_cast<size_t>(i) + 1, 0);
    strips_[static_cast<size_t>(i)] = size;
    updateGeometry();
    viewport()->update();
}

int TGridHeader::StripsSize() const {
    int size = 0;
    for (int i = 0; i < StripCount(); ++i) size += Strip(i);
    return size;
}

int TGridHeader::StripAt(int offset) const {
    for (int i = 0; i < StripCount(); ++i) {
        if (offset < Strip(i)) return offset >= 0 ? i : -1;
        offset -= Strip(i);
    }
    return -1;
}

bool TGridHeader::CellAt(const QPoint& pos, int& col, int& row) const {
    const bool across = orientation() == Qt::Horizontal;
    const int section = logicalIndexAt(across ? pos.x() : pos.y());
    const int strip = StripAt(across ? pos.y() : pos.x());
    if (!grid_ || section < 0 || strip < 0) return false;
    col = across ? section + grid_->FixedCols() : strip;
    row = across ? strip : section + grid_->FixedRows();
    return true;
}

QSize TGridHeader::sizeHint() const {
    return orientation() == Qt::Horizontal ? QSize(length(), StripsSize())
                                           : QSize(StripsSize(), length());
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!grid_) return;
    const bool across = orientation() == Qt::Horizontal;
    int offset = 0;
    for (int i = 0; i < StripCount(); ++i) {
        const int size = Strip(i);
        const QRect cell = across ? QRect(rect.left(), rect.top() + offset, rect.width(), size)
                                  : QRect(rect.left() + offset, rect.top(), size, rect.height());
        const int col = across ? logicalIndex + grid_->FixedCols() : i;
        const int row = across ? i : logicalIndex + grid_->FixedRows();
        PaintFixedCell(*painter, cell, grid_->CellBackground(col, row), palette(),
                       grid_->Cell(col, row));
        offset += size;
    }
}

bool TGridHeader::AtHandle(const QPoint& pos) const {
    if (orientation() != Qt::Horizontal) return false;
    const int margin = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    return logicalIndexAt(pos.x() - margin) != logicalIndexAt(pos.x() + margin);
}

void TGridHeader::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    int col = 0, row = 0;
    if (!AtHandle(pos) && CellAt(pos, col, row)) emit CellPressed(col, row, event->button());
    QHeaderView::mousePressEvent(event);
}

void TGridHeader::mouseReleaseEvent(QMouseEvent* event) {
    QHeaderView::mouseReleaseEvent(event);
    int col = 0, row = 0;
    if (CellAt(event->position().toPoint(), col, row)) emit CellReleased(col, row);
}

void TGridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    int col = 0, row = 0;
    if (CellAt(event->position().toPoint(), col, row)) emit CellDoubleClicked(col, row);
    QHeaderView::mouseDoubleClickEvent(event);
}

TGridView::TGridView(QWidget* parent) : QTableView(parent) {
    top_ = new TGridHeader(Qt::Horizontal, this);
    side_ = new TGridHeader(Qt::Vertical, this);
    setHorizontalHeader(top_);
    setVerticalHeader(side_);
    setItemDelegate(new TGridDelegate(this));
    corner_ = findChild<QAbstractButton*>();
    if (corner_) corner_->installEventFilter(this);
    for (TGridHeader* header : {top_, side_}) {
        connect(header, &TGridHeader::CellPressed, this, &TGridView::CellPressed);
        connect(header, &TGridHeader::CellReleased, this, &TGridView::CellClicked);
        connect(header, &TGridHeader::CellDoubleClicked, this, &TGridView::CellDoubleClicked);
        // The grid's rows and columns move with their texts: the model moves the cells once the
        // header has finished its drag.
        connect(header, &QHeaderView::sectionMoved, this, [this, header](int, int from, int to) {
            QMetaObject::invokeMethod(
                this, [this, header, from, to] { MoveSection(header->orientation(), from, to); },
                Qt::QueuedConnection);
        });
    }
}

void TGridView::SetGrid(TGridModel* grid) {
    grid_ = grid;
    top_->SetGrid(grid);
    side_->SetGrid(grid);
    setModel(grid);
    connect(grid, &TGridModel::EdgeChanged, this, &TGridView::EdgesChanged);
    connect(grid, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        savedWidths_.assign(static_cast<size_t>(grid_->ColCount()), 0);
        for (int c = grid_->FixedCols(); c < grid_->ColCount(); ++c)
            savedWidths_[static_cast<size_t>(c)] = top_->sectionSize(c - grid_->FixedCols());
    });
    connect(grid, &QAbstractItemModel::modelReset, this, [this] {
        const int n = std::min(static_cast<int>(savedWidths_.size()), grid_->ColCount());
        for (int c = grid_->FixedCols(); c < n; ++c) {
            const int width = savedWidths_[static_cast<size_t>(c)];
            if (width > 0 && width != top_->defaultSectionSize())
                top_->resizeSection(c - grid_->FixedCols(), width);
        }
        savedWidths_.clear();
    });
    EdgesChanged();
}

void TGridView::EdgesChanged() {
    top_->setVisible(top_->StripCount() > 0);
    side_->setVisible(side_->StripCount() > 0);
    updateGeometries();
    top_->viewport()->update();
    side_->viewport()->update();
    if (corner_) corner_->update();
}

void TGridView::MoveSection(Qt::Orientation orientation, int from, int to) {
    if (!grid_) return;
    const int fixedCols = grid_->FixedCols(), fixedRows = grid_->FixedRows();
    grid_->Change([&](TextTable& t) {
        if (orientation == Qt::Horizontal)
            t.MoveCol(from + fixedCols, to + fixedCols);
        else
            t.MoveRow(from + fixedRows, to + fixedRows);
    });
    // The cells moved instead: the header's order is the grid's again (quietly, or the moves
    // back would move the cells back).
    for (TGridHeader* header : {top_, side_}) {
        const QSignalBlocker quiet(header);
        for (int v = 0; v < header->count(); ++v)
            if (header->logicalIndex(v) != v) header->moveSection(header->visualIndex(v), v);
    }
    viewport()->update();
}

int TGridView::ColWidth(int col) const {
    if (!grid_ || col < 0) return 0;
    if (col < grid_->FixedCols()) return side_->Strip(col);
    const int section = col - grid_->FixedCols();
    return section < top_->count() ? top_->sectionSize(section) : top_->defaultSectionSize();
}

void TGridView::SetColWidth(int col, int width) {
    if (!grid_ || col < 0) return;
    if (col < grid_->FixedCols()) {
        side_->SetStrip(col, width);
        EdgesChanged();
    } else {
        top_->resizeSection(col - grid_->FixedCols(), width);
    }
}

int TGridView::TopSelectedRow() const {
    int top = INT_MAX;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        top = std::min(top, range.top());
    if (top == INT_MAX) top = currentIndex().isValid() ? currentIndex().row() : 0;
    return top + (grid_ ? grid_->FixedRows() : 0);
}

void TGridView::GoTo(int col, int row) {
    if (!grid_) return;
    const QModelIndex at = grid_->GridIndex(col, row);
    if (!at.isValid()) return;
    setCurrentIndex(at);
    scrollTo(at);
}

void TGridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && grid_)
        emit CellPressed(grid_->GridCol(at), grid_->GridRow(at), event->button());
    QTableView::mousePressEvent(event);
}

void TGridView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && grid_) emit CellClicked(grid_->GridCol(at), grid_->GridRow(at));
}

void TGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && grid_) emit CellDoubleClicked(grid_->GridCol(at), grid_->GridRow(at));
}

bool TGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || !grid_) return QTableView::eventFilter(watched, event);
    // The corner holds the cells fixed both ways.
    const auto cellAt = [this](const QPoint& pos, int& col, int& row) {
        int x = pos.x(), y = pos.y();
        for (col = 0; col < side_->StripCount() && x >= side_->Strip(col); ++col)
            x -= side_->Strip(col);
        for (row = 0; row < top_->StripCount() && y >= top_->Strip(row); ++row)
            y -= top_->Strip(row);
        return col < side_->StripCount() && row < top_->StripCount();
    };
    int col = 0, row = 0;
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(corner_);
        int y = 0;
        for (int r = 0; r < top_->StripCount(); y += top_->Strip(r++)) {
            int x = 0;
            for (int c = 0; c < side_->StripCount(); x += side_->Strip(c++)) {
                PaintFixedCell(painter, QRect(x, y, side_->Strip(c), top_->Strip(r)),
                               grid_->CellBackground(c, r), palette(), grid_->Cell(c, r));
            }
        }
        return true;
    }
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (cellAt(mouse->position().toPoint(), col, row))
            emit CellPressed(col, row, mouse->button());
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (cellAt(static_cast<QMouseEvent*>(event)->position().toPoint(), col, row))
            emit CellClicked(col, row);
        return true;
    case QEvent::MouseButtonDblClick:
        return true;
    default:
        return QTableView::eventFilter(watched, event);
    }
}
