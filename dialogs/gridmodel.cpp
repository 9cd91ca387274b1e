#include "gridmodel.h"

#include "tabletext.h"

#include <QByteArray>
#include <algorithm>

QString CellText(std::string_view bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    return IsValidUtf8(bytes) ? QString::fromUtf8(bytes.data(), size)
                              : QString::fromLatin1(bytes.data(), size);
}

TGridModel::TGridModel(QObject* parent) : QAbstractTableModel(parent) {
    cells_.SetSize(1, 1);
}

void TGridModel::SetSize(int cols, int rows) {
    Change([&](TextTable& t) { t.SetSize(std::max(cols, 1), std::max(rows, 1)); });
}

void TGridModel::SetFixed(int cols, int rows) {
    beginResetModel();
    fixedCols_ = std::max(cols, 0);
    fixedRows_ = std::max(rows, 0);
    endResetModel();
    emit EdgeChanged();
}

void TGridModel::Change(const std::function<void(TextTable&)>& change) {
    beginResetModel();
    change(cells_);
    endResetModel();
    GridResized();
    emit EdgeChanged();
}

void TGridModel::ChangeCells(const std::function<void(TextTable&)>& change) {
    change(cells_);
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit EdgeChanged();
}

QString TGridModel::Cell(int col, int row) const {
    return CellText(cells_.Cell(col, row));
}

void TGridModel::SetCell(int col, int row, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    SetCellBytes(col, row, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void TGridModel::SetCellBytes(int col, int row, std::string_view bytes) {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return;
    cells_.SetCell(col, row, bytes);
    CellChanged(col, row);
}

void TGridModel::CellChanged(int col, int row) {
    if (row >= fixedRows_ && col >= fixedCols_) {
        const QModelIndex at = GridIndex(col, row);
        emit dataChanged(at, at);
        return;
    }
    if (row < fixedRows_ && col >= fixedCols_)
        emit headerDataChanged(Qt::Horizontal, col - fixedCols_, col - fixedCols_);
    if (col < fixedCols_ && row >= fixedRows_)
        emit headerDataChanged(Qt::Vertical, row - fixedRows_, row - fixedRows_);
    emit EdgeChanged();
}

void TGridModel::Fill(const PreviewTable& table) {
    Change([&](TextTable& t) {
        t.SetSize(static_cast<int32_t>(std::min<size_t>(table.MaxFields + 1, INT32_MAX)),
                  static_cast<int32_t>(std::min<size_t>(table.Rows.size() + 1, INT32_MAX)));
        std::vector<std::string_view> fields;
        for (int32_t r = 1; r < t.RowCount(); ++r) {
            const auto& row = table.Rows[static_cast<size_t>(r - 1)];
            fields.assign(row.begin(), row.end());
            t.SetRow(r, 1, fields);
        }
    });
}

void TGridModel::NumberEdges() {
    Change([](TextTable& t) {
        for (int32_t r = 0; r < t.RowCount(); ++r) t.SetCell(0, r, std::to_string(r));
        for (int32_t c = 1; c < t.ColCount(); ++c) t.SetCell(c, 0, std::to_string(c));
    });
}

QModelIndex TGridModel::GridIndex(int col, int row) const {
    return index(row - fixedRows_, col - fixedCols_);
}

QVariant TGridModel::CellBackground(int, int) const {
    return {};
}

void TGridModel::BackgroundsChanged() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole});
    emit EdgeChanged();
}

int TGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(RowCount() - fixedRows_, 0);
}

int TGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(ColCount() - fixedCols_, 0);
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Cell(GridCol(index), GridRow(index));
    case Qt::BackgroundRole:
        return CellBackground(GridCol(index), GridRow(index));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
    default:
        return {};
    }
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    // A cell left as it was keeps its bytes, whatever their encoding.
    if (value.toString() == data(index, Qt::EditRole).toString()) return true;
    SetCell(GridCol(index), GridRow(index), value.toString());
    return true;
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return fixedRows_ > 0 ? Cell(section + fixedCols_, 0) : QVariant();
    return fixedCols_ > 0 ? Cell(0, section + fixedRows_) : QVariant();
}
