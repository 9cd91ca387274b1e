#include "tableeditormodel.h"

#include "numbers.h"

#include <algorithm>

TTableEditorModel::TTableEditorModel(QObject* parent) : TGridModel(parent) {
    SetSize(5, 5);
}

void TTableEditorModel::GridResized() {
    ColMarks.resize(static_cast<size_t>(ColCount()));
    RowMarks.resize(static_cast<size_t>(RowCount()));
}

namespace {
bool Marked(const std::vector<bool>& marks, int i) {
    return i >= 0 && static_cast<size_t>(i) < marks.size() && marks[static_cast<size_t>(i)];
}
} // namespace

QColor TTableEditorModel::CellColour(int col, int row) const {
    int red = 255, green = 255, blue = 255;
    // (row - 1) / BandRows as the integer division that truncates toward zero
    if (BandRows > 0 && (row - 1) / BandRows % 2 == 0) red = green = blue = 239;
    if (row == 0 || col == 0) {
        red = 212, green = 208, blue = 200;
    } else {
        // Cells are read as numbers only where a rule or the column-8 mark asks for it.
        const auto value = [&] { return ParseLenientFloat(CellBytes(col, row)); };
        for (int i = 1; i <= std::min<int>(RuleCount, 10); ++i) {
            const TTableColourRule& rule = Rules[static_cast<size_t>(i)];
            if (rule.Column != col) continue;
            const auto v = static_cast<float>(value());
            const bool holds = rule.Operator < 0    ? v < rule.Threshold
                               : rule.Operator == 0 ? v == rule.Threshold
                                                    : v > rule.Threshold;
            if (holds) red = rule.Red, green = rule.Green, blue = rule.Blue;
        }
        if (col == 8 && value() > 10.0) red = 255, green = 223, blue = 223;
    }
    const int darker = (Marked(RowMarks, row) ? 64 : 0) + (Marked(ColMarks, col) ? 64 : 0);
    return QColor(std::max(red - darker, 0), std::max(green - darker, 0),
                  std::max(blue - darker, 0));
}
