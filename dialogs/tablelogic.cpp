#include "tablelogic.h"

#include "gridmodel.h"
#include "numbers.h"
#include "tabletext.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <numeric>

void PressMark(std::vector<bool>& marks, int32_t& anchor, int32_t i, Qt::MouseButton button,
               bool ctrl, bool shift) {
    if (i < 0 || static_cast<size_t>(i) >= marks.size()) return;
    const auto at = static_cast<size_t>(i);
    switch (button) {
    case Qt::LeftButton:
        if (ctrl) {
            anchor = i;
            marks[at] = true;
        } else if (shift) {
            for (int32_t k = std::max(anchor, 0); k <= i; ++k) marks[static_cast<size_t>(k)] = true;
            anchor = i;
        } else {
            anchor = i;
            const bool was = marks[at];
            std::fill(marks.begin(), marks.end(), false);
            if (!was)
                marks[at] = true;
            else
                anchor = 0; // a second click unmarks
        }
        break;
    case Qt::RightButton:
        if (!ctrl && !shift && std::count(marks.begin(), marks.end(), true) < 2)
            std::fill(marks.begin(), marks.end(), false);
        marks[at] = true;
        break;
    case Qt::MiddleButton:
        std::fill(marks.begin(), marks.end(), false);
        marks[at] = true;
        break;
    default:
        break;
    }
}

namespace {
bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// One searched word; ASCII cells are compared byte by byte, others as upper-cased text.
class WordMatcher {
  public:
    WordMatcher(const QString& word, bool whole)
        : whole_(whole), upper_(word.toUpper()), ascii_(word.toLatin1()) {
        if (!IsAscii(std::string_view(ascii_.constData(), static_cast<size_t>(ascii_.size()))) ||
            QString::fromLatin1(ascii_) != word)
            ascii_.clear();
        for (char& c : ascii_) c = AsciiLower(c);
    }
    bool Matches(std::string_view cell) const {
        if (cell.empty()) return false;
        if (!ascii_.isEmpty() && IsAscii(cell)) {
            const auto same = [](char a, char b) { return AsciiLower(a) == b; };
            if (whole_)
                return cell.size() == static_cast<size_t>(ascii_.size()) &&
                       std::equal(cell.begin(), cell.end(), ascii_.begin(), same);
            return std::search(cell.begin(), cell.end(), ascii_.begin(), ascii_.end(), same) !=
                   cell.end();
        }
        const QString text = CellText(cell).toUpper();
        return whole_ ? text == upper_ : text.contains(upper_);
    }

  private:
    bool whole_;
    QString upper_;
    QByteArray ascii_; // the word in lower case when it is ASCII, else empty
};
} // namespace

std::string FindInTable(const TextTable& table, const QString& query, std::vector<bool>& rowMarks) {
    std::fill(rowMarks.begin(), rowMarks.end(), false);
    std::string found, line;
    int32_t lineRow = -1; // the row `line` holds
    bool whole = false;
    for (const QString& word : query.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word == QLatin1String("\\fw")) {
            whole = true;
            continue;
        }
        const WordMatcher matcher(word, whole);
        for (int32_t r = 1; r < table.RowCount(); ++r)
            for (int32_t c = 1; c < table.ColCount(); ++c) {
                if (!matcher.Matches(table.Cell(c, r))) continue;
                if (static_cast<size_t>(r) < rowMarks.size())
                    rowMarks[static_cast<size_t>(r)] = true;
                if (lineRow != r) {
                    line.clear();
                    for (int32_t k = 1; k < table.ColCount(); ++k) {
                        if (k > 1) line.push_back('\t');
                        AppendAsUtf8(line, table.Cell(k, r));
                    }
                    line.push_back('\n');
                    lineRow = r;
                }
                found.append(line);
            }
    }
    return found;
}

std::vector<int32_t> TextRowOrder(const TextTable& table, int32_t col, int32_t first,
                                  bool descending) {
    first = std::max(first, 0);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<QCollatorSortKey> keys;
    for (int32_t r = first; r < table.RowCount(); ++r)
        keys.push_back(collator.sortKey(CellText(table.Cell(col, r))));
    std::vector<int32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        const int c = keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
        return descending ? c > 0 : c < 0;
    });
    for (int32_t& r : order) r += first;
    return order;
}

void EnterFindHistory(QStringList& history, const QString& text) {
    history.removeIf(
        [&](const QString& entry) { return entry.compare(text, Qt::CaseInsensitive) == 0; });
    history.prepend(text);
    while (history.size() > kFindHistorySize) history.removeLast();
}

bool ParseGridDimensions(const QString& text, int32_t& cols, int32_t& rows) {
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0) return false;
    const QByteArray c = text.left(comma).toUtf8(), r = text.mid(comma + 1).toUtf8();
    int32_t cv = 0, rv = 0;
    if (!ParseStrictInt(std::string_view(c.constData(), static_cast<size_t>(c.size())), cv) ||
        !ParseStrictInt(std::string_view(r.constData(), static_cast<size_t>(r.size())), rv) ||
        cv < 0 || rv < 0 || (int64_t{cv} + 1) * (int64_t{rv} + 1) > TextTable::kMaxCells)
        return false;
    cols = cv;
    rows = rv;
    return true;
}
