#include "previewmodel.h"

#include <QColor>
#include <algorithm>

void TPreviewGridModel::SetSize(int cols, int rows) {
    beginResetModel();
    colCount_ = std::max(cols, 1);
    rowCount_ = std::max(rows, 1);
    cells_.resize(static_cast<size_t>(rowCount_));
    for (auto& row : cells_)
        if (row.size() > static_cast<size_t>(colCount_)) row.resize(static_cast<size_t>(colCount_));
    endResetModel();
}

QString TPreviewGridModel::Cell(int col, int row) const {
    if (row < 0 || col < 0 || row >= rowCount_ || col >= colCount_) return QString();
    const auto& cells = cells_[static_cast<size_t>(row)];
    return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : QString();
}

void TPreviewGridModel::SetCell(int col, int row, const QString& text) {
    if (row < 0 || col < 0 || row >= rowCount_ || col >= colCount_) return;
    auto& cells = cells_[static_cast<size_t>(row)];
    if (cells.size() <= static_cast<size_t>(col)) cells.resize(static_cast<size_t>(col) + 1);
    cells[static_cast<size_t>(col)] = text;
    if (row == 0 || col == 0) {
        if (row == 0 && col > 0) emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
        if (col == 0 && row > 0) emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else {
        const QModelIndex at = index(row - 1, col - 1);
        emit dataChanged(at, at);
    }
}

void TPreviewGridModel::Fill(const PreviewTable& table) {
    beginResetModel();
    colCount_ = static_cast<int>(std::min<size_t>(table.MaxFields + 1, INT32_MAX));
    rowCount_ = static_cast<int>(std::min<size_t>(table.Rows.size() + 1, INT32_MAX));
    cells_.assign(static_cast<size_t>(rowCount_), {});
    for (size_t r = 0; r + 1 < static_cast<size_t>(rowCount_); ++r) {
        auto& cells = cells_[r + 1];
        cells.reserve(table.Rows[r].size() + 1);
        cells.emplace_back();
        for (const std::string& field : table.Rows[r])
            cells.push_back(QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size())));
    }
    endResetModel();
}

void TPreviewGridModel::NumberEdges() {
    beginResetModel();
    for (int r = 0; r < rowCount_; ++r) {
        auto& cells = cells_[static_cast<size_t>(r)];
        if (cells.empty()) cells.emplace_back();
        cells[0] = QString::number(r);
    }
    auto& top = cells_[0];
    top.resize(static_cast<size_t>(colCount_));
    for (int c = 1; c < colCount_; ++c) top[static_cast<size_t>(c)] = QString::number(c);
    endResetModel();
}

void TPreviewGridModel::SetMarks(const std::vector<uint8_t>* marks) {
    marks_ = marks;
    MarksChanged();
}

void TPreviewGridModel::MarksChanged() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole});
}

bool TPreviewGridModel::Marked(int col) const {
    return marks_ && col >= 0 && static_cast<size_t>(col) < marks_->size() &&
           (*marks_)[static_cast<size_t>(col)] == 1;
}

int TPreviewGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rowCount_ - 1;
}

int TPreviewGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : colCount_ - 1;
}

QVariant TPreviewGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return Cell(col, index.row() + 1);
    case Qt::BackgroundRole:
        if (Marked(col)) return QColor(223, 223, 223);
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
    default:
        return {};
    }
}

QVariant TPreviewGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    return orientation == Qt::Horizontal ? Cell(section + 1, 0) : Cell(0, section + 1);
}
