#include "tabletext.h"

#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <cmath>
#include <utility>

bool IsValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        size_t n;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF)
            n = 1;
        else if (b >= 0xE0 && b <= 0xEF) {
            n = 2;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else
            return false;
        if (static_cast<size_t>(end - p) <= n || p[1] < lo || p[1] > hi) return false;
        for (size_t i = 2; i <= n; ++i)
            if (p[i] < 0x80 || p[i] > 0xBF) return false;
        p += n + 1;
    }
    return true;
}

void AppendAsUtf8(std::string& out, std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        out.append(bytes);
        return;
    }
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | b >> 6));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
}

namespace {
constexpr std::string_view kCrLf = "\r\n";
} // namespace

std::vector<std::string_view> SplitFields(std::string_view text, char delim, bool dropLastEmpty) {
    std::vector<std::string_view> fields;
    if (text.empty()) return fields;
    size_t start = 0;
    for (size_t at = text.find(delim); at != std::string_view::npos; at = text.find(delim, start)) {
        fields.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    if (!(dropLastEmpty && start == text.size())) fields.push_back(text.substr(start));
    return fields;
}

TableTextShape MeasureTableText(std::string_view data) {
    TableTextShape shape;
    ForEachLine(data, [&](std::string_view line) {
        ++shape.Lines;
        shape.MaxFields = std::max(
            shape.MaxFields, static_cast<int64_t>(std::count(line.begin(), line.end(), '\t')) + 1);
    });
    return shape;
}

void FillTableText(TextTable& table, std::string_view data, int32_t cols, int32_t rows) {
    table.SetSize(cols, rows);
    int32_t row = 1;
    ForEachLine(data, [&](std::string_view line) {
        if (row < table.RowCount()) table.SetRow(row++, 1, SplitFields(line, '\t', false));
    });
    for (; row < table.RowCount(); ++row) table.SetRow(row, 1, {});
}

std::string TableSaveText(const TextTable& table) {
    int32_t lastCol = 0, lastRow = 0;
    size_t bytes = 0;
    for (int32_t r = 1; r < table.RowCount(); ++r) {
        const int32_t used = table.LastUsedCol(r);
        if (used < 1) continue;
        lastCol = std::max(lastCol, used);
        lastRow = r;
        for (int32_t c = 1; c <= used; ++c) bytes += table.Cell(c, r).size() + 1;
    }
    std::string out;
    out.reserve(bytes + static_cast<size_t>(lastRow) * (static_cast<size_t>(lastCol) + 2));
    for (int32_t r = 1; r <= lastRow; ++r) {
        if (table.LastUsedCol(r) < 1) continue;
        for (int32_t c = 1; c <= lastCol; ++c) {
            if (c > 1) out.push_back('\t');
            out.append(table.Cell(c, r));
        }
        out.append(kCrLf);
    }
    return out;
}

std::string MarkedColumnsText(const TextTable& table, const std::vector<bool>& colMarks) {
    std::vector<int32_t> cols;
    for (int32_t c = 0; c < table.ColCount(); ++c)
        if (static_cast<size_t>(c) < colMarks.size() && colMarks[static_cast<size_t>(c)])
            cols.push_back(c);
    std::string text, line;
    // Row RowCount lies past the grid; its empty line ends the text with a line break.
    for (int32_t r = 1; r <= table.RowCount(); ++r) {
        line.clear();
        for (const int32_t c : cols) {
            if (!line.empty()) line.push_back('\t');
            AppendAsUtf8(line, table.Cell(c, r));
        }
        if (!text.empty()) text.append(kCrLf);
        text.append(line);
    }
    return text;
}

std::string MarkedRowsText(const TextTable& table, const std::vector<bool>& rowMarks) {
    std::vector<int32_t> rows;
    int32_t last = -1;
    for (int32_t r = 0; r < table.RowCount(); ++r)
        if (static_cast<size_t>(r) < rowMarks.size() && rowMarks[static_cast<size_t>(r)]) {
            rows.push_back(r);
            last = std::max(last, table.LastUsedCol(r));
        }
    std::string text;
    for (const int32_t r : rows) {
        if (r != rows.front()) text.append(kCrLf);
        for (int32_t c = 0; c <= last; ++c) {
            if (c > 0) text.push_back('\t');
            AppendAsUtf8(text, table.Cell(c, r));
        }
    }
    return text;
}

std::string WholeTableText(const TextTable& table) {
    int32_t lastRow = 0, cols = 0;
    for (int32_t r = 1; r < table.RowCount(); ++r) {
        const int32_t used = table.LastUsedCol(r);
        if (used < 0) continue;
        lastRow = r;
        cols = std::max(cols, used + 1);
    }
    size_t bytes = 0;
    for (int32_t r = 1; r <= lastRow; ++r)
        for (int32_t c = 0; c < cols; ++c) bytes += table.Cell(c, r).size() + 1;
    std::string text;
    text.reserve(bytes + static_cast<size_t>(lastRow) * 2);
    for (int32_t r = 1; r <= lastRow; ++r) {
        if (r > 1) text.append(kCrLf);
        for (int32_t c = 0; c < cols; ++c) {
            if (c > 0) text.push_back('\t');
            AppendAsUtf8(text, table.Cell(c, r));
        }
    }
    return text;
}

void PasteTableText(TextTable& table, std::string_view text, int32_t col, int32_t row) {
    std::vector<std::string_view> lines = SplitFields(text, '\r', false);
    // A text ending in a line break (as copies from other programs do) has no further line.
    if (!lines.empty() && (lines.back().empty() || lines.back() == "\n")) lines.pop_back();
    std::string cleaned;
    for (size_t j = 0; j < lines.size(); ++j) {
        const std::vector<std::string_view> fields = SplitFields(lines[j], '\t', false);
        for (size_t k = 0; k < fields.size(); ++k) {
            cleaned.clear();
            for (const char ch : fields[k]) {
                const auto b = static_cast<unsigned char>(ch);
                if (b == '\r' || b == '\n' || (b >= 0x80 && b < 0xC0)) continue;
                cleaned.push_back(b < 33 || b > 126 ? ' ' : ch); // one blank per character
            }
            const int64_t c = int64_t{col} + static_cast<int64_t>(k);
            const int64_t r = int64_t{row} + static_cast<int64_t>(j);
            if (c < table.ColCount() && r < table.RowCount())
                table.SetCell(static_cast<int32_t>(c), static_cast<int32_t>(r), cleaned);
        }
    }
}

int32_t UsedRowExtent(const TextTable& table) {
    for (int32_t r = 1; r < table.RowCount(); ++r)
        if (table.LastUsedCol(r) < 1) return r;
    return table.RowCount();
}

std::vector<int32_t> NumericRowOrder(const TextTable& table, int32_t col, int32_t first,
                                     bool descending) {
    std::vector<std::pair<double, int32_t>> keys;
    for (int32_t r = std::max(first, 0); r < table.RowCount(); ++r) {
        const double v = ParseLenientFloat(table.Cell(col, r));
        keys.emplace_back(std::isnan(v) ? 0.0 : v, r);
    }
    if (descending)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
    else
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int32_t> order;
    order.reserve(keys.size());
    for (const auto& k : keys) order.push_back(k.second);
    return order;
}
