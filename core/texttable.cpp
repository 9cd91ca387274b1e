#include "texttable.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

std::string_view TextTable::Row::At(size_t i) const {
    if (i >= cells.size()) return {};
    return std::string_view(bytes).substr(cells[i].offset, cells[i].length);
}

void TextTable::Row::Put(size_t i, std::string_view text) {
    if (i >= cells.size()) {
        if (text.empty()) return;
        cells.resize(i + 1);
    }
    Span& span = cells[i];
    if (text.size() <= span.length) {
        // Overwriting in place keeps a paste over a long table from growing it.
        if (!text.empty()) std::memcpy(bytes.data() + span.offset, text.data(), text.size());
        unused += span.length - static_cast<uint32_t>(text.size());
        span.length = static_cast<uint32_t>(text.size());
    } else {
        if (bytes.size() + text.size() > UINT32_MAX) throw std::length_error("table row too long");
        unused += span.length;
        span = {static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(text.size())};
        bytes.append(text);
    }
    if (unused > 4096 && unused > bytes.size() / 2) Compact();
}

void TextTable::Row::Compact() {
    std::string packed;
    packed.reserve(bytes.size() - unused);
    for (Span& span : cells) {
        const auto offset = static_cast<uint32_t>(packed.size());
        packed.append(bytes, span.offset, span.length);
        span.offset = offset;
    }
    bytes = std::move(packed);
    unused = 0;
}

TextTable::Row& TextTable::MakeRow(int32_t row) {
    auto& slot = rows_[static_cast<size_t>(row)];
    if (!slot) slot = std::make_unique<Row>();
    return *slot;
}

void TextTable::SetSize(int32_t cols, int32_t rows) {
    cols = std::max(cols, 0);
    rows_.resize(static_cast<size_t>(std::max(rows, 0)));
    if (cols < cols_)
        for (auto& row : rows_)
            if (row && row->cells.size() > static_cast<size_t>(cols)) {
                for (size_t i = static_cast<size_t>(cols); i < row->cells.size(); ++i)
                    row->unused += row->cells[i].length;
                row->cells.resize(static_cast<size_t>(cols));
                row->Compact();
            }
    cols_ = cols;
}

std::string_view TextTable::Cell(int32_t col, int32_t row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return {};
    const auto& r = rows_[static_cast<size_t>(row)];
    return r ? r->At(static_cast<size_t>(col)) : std::string_view();
}

void TextTable::SetCell(int32_t col, int32_t row, std::string_view bytes) {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return;
    if (bytes.empty() && !rows_[static_cast<size_t>(row)]) return;
    MakeRow(row).Put(static_cast<size_t>(col), bytes);
}

void TextTable::SetRow(int32_t row, int32_t firstCol, const std::vector<std::string_view>& fields) {
    if (row < 0 || row >= RowCount() || firstCol < 0) return;
    auto fresh = std::make_unique<Row>();
    const auto& old = rows_[static_cast<size_t>(row)];
    const auto keep = static_cast<size_t>(std::min(firstCol, cols_));
    size_t size = 0;
    if (old)
        for (size_t i = 0; i < keep; ++i) size += old->At(i).size();
    const size_t room = static_cast<size_t>(std::max(cols_ - firstCol, 0));
    const size_t used = std::min(fields.size(), room);
    for (size_t i = 0; i < used; ++i) size += fields[i].size();
    fresh->bytes.reserve(size);
    fresh->cells.reserve(keep + used);
    for (size_t i = 0; i < keep; ++i) fresh->Put(i, old ? old->At(i) : std::string_view());
    for (size_t i = 0; i < used; ++i) fresh->Put(keep + i, fields[i]);
    rows_[static_cast<size_t>(row)] = std::move(fresh);
}

int32_t TextTable::LastUsedCol(int32_t row) const {
    if (row < 0 || row >= RowCount() || !rows_[static_cast<size_t>(row)]) return -1;
    const Row& r = *rows_[static_cast<size_t>(row)];
    for (size_t i = std::min(r.cells.size(), static_cast<size_t>(cols_)); i-- > 0;)
        if (r.cells[i].length != 0) return static_cast<int32_t>(i);
    return -1;
}

namespace {
bool Flagged(const std::vector<bool>& flags, size_t i) {
    return i < flags.size() && flags[i];
}

// Flags among the first n.
int32_t CountFlagged(const std::vector<bool>& flags, int32_t n) {
    return static_cast<int32_t>(
        std::count(flags.begin(), flags.begin() + std::min<ptrdiff_t>(n, std::ssize(flags)), true));
}
} // namespace

void TextTable::InsertRowsBefore(const std::vector<bool>& flags) {
    std::vector<std::unique_ptr<Row>> rows;
    rows.reserve(rows_.size() + static_cast<size_t>(CountFlagged(flags, RowCount())));
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (Flagged(flags, r)) rows.emplace_back();
        rows.push_back(std::move(rows_[r]));
    }
    rows_ = std::move(rows);
}

void TextTable::DeleteRows(const std::vector<bool>& flags) {
    size_t kept = 0;
    for (size_t r = 0; r < rows_.size(); ++r)
        if (!Flagged(flags, r)) rows_[kept++] = std::move(rows_[r]);
    rows_.resize(kept);
}

void TextTable::InsertColsBefore(const std::vector<bool>& flags) {
    const int32_t added = CountFlagged(flags, cols_);
    if (added == 0) return;
    for (auto& row : rows_) {
        if (!row) continue;
        std::vector<Span> cells;
        cells.reserve(row->cells.size() + static_cast<size_t>(added));
        for (size_t c = 0; c < row->cells.size(); ++c) {
            if (Flagged(flags, c)) cells.emplace_back();
            cells.push_back(row->cells[c]);
        }
        row->cells = std::move(cells);
    }
    cols_ += added;
}

void TextTable::DeleteCols(const std::vector<bool>& flags) {
    const int32_t removed = CountFlagged(flags, cols_);
    if (removed == 0) return;
    for (auto& row : rows_) {
        if (!row) continue;
        size_t kept = 0;
        for (size_t c = 0; c < row->cells.size(); ++c) {
            if (Flagged(flags, c))
                row->unused += row->cells[c].length;
            else
                row->cells[kept++] = row->cells[c];
        }
        row->cells.resize(kept);
        if (row->unused > row->bytes.size() / 2) row->Compact();
    }
    cols_ -= removed;
}

void TextTable::ReorderRows(int32_t first, const std::vector<int32_t>& order) {
    if (first < 0 || static_cast<size_t>(first) + order.size() != rows_.size()) return;
    std::vector<std::unique_ptr<Row>> moved(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        moved[i] = std::move(rows_[static_cast<size_t>(order[i])]);
    std::move(moved.begin(), moved.end(), rows_.begin() + first);
}

namespace {
// Moves element `from` to `to`, the ones between shifting by one.
template <typename T> void MoveElement(std::vector<T>& v, size_t from, size_t to) {
    if (from < to)
        std::rotate(v.begin() + static_cast<ptrdiff_t>(from),
                    v.begin() + static_cast<ptrdiff_t>(from) + 1,
                    v.begin() + static_cast<ptrdiff_t>(to) + 1);
    else if (to < from)
        std::rotate(v.begin() + static_cast<ptrdiff_t>(to),
                    v.begin() + static_cast<ptrdiff_t>(from),
                    v.begin() + static_cast<ptrdiff_t>(from) + 1);
}
} // namespace

void TextTable::MoveRow(int32_t from, int32_t to) {
    if (from < 0 || to < 0 || from >= RowCount() || to >= RowCount()) return;
    MoveElement(rows_, static_cast<size_t>(from), static_cast<size_t>(to));
}

void TextTable::MoveCol(int32_t from, int32_t to) {
    if (from < 0 || to < 0 || from >= cols_ || to >= cols_) return;
    const size_t need = static_cast<size_t>(std::max(from, to)) + 1;
    for (auto& row : rows_) {
        if (!row) continue;
        if (row->cells.size() < need) row->cells.resize(need);
        MoveElement(row->cells, static_cast<size_t>(from), static_cast<size_t>(to));
    }
}

void TextTable::Transpose() {
    std::vector<std::unique_ptr<Row>> rows(static_cast<size_t>(cols_));
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (!rows_[r]) continue;
        const Row& old = *rows_[r];
        for (size_t c = 0; c < std::min(old.cells.size(), rows.size()); ++c) {
            const std::string_view text = old.At(c);
            if (text.empty()) continue;
            if (!rows[c]) rows[c] = std::make_unique<Row>();
            rows[c]->Put(r, text);
        }
        rows_[r].reset(); // release as we go: a large table is never held twice
    }
    cols_ = RowCount();
    rows_ = std::move(rows);
}

size_t TextTable::MemoryBytes() const {
    size_t total = sizeof(*this) + rows_.capacity() * sizeof(rows_[0]);
    for (const auto& row : rows_)
        if (row)
            total += sizeof(Row) + row->bytes.capacity() + row->cells.capacity() * sizeof(Span);
    return total;
}
