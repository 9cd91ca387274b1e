#include "toolheadertables.h"

#include <algorithm>
#include <vector>

int FillCGHHeaderTable(tHeaderTable& table, const tCGH_DataSet& data) {
    const int hybs = std::clamp(data.HNum, 0, kMaxHybridisations);
    std::vector<int> keys;
    for (int k = 2; k <= kAnnotationKeys; ++k)
        if (!data.Annotation[0][static_cast<size_t>(k)].empty()) keys.push_back(k);
    const int rows = 1 + static_cast<int>(keys.size());
    table.Resize(hybs, rows);
    table.Set(0, 1, QStringLiteral("File name"));
    for (int h = 1; h <= hybs; ++h)
        table.Set(h, 1, QString::fromStdString(data.Hyb[static_cast<size_t>(h)].FileName));
    // Row n shows key k, so a gap among the keys shifts no row.
    for (int n = 2; n <= rows; ++n)
        for (int h = 0; h <= hybs; ++h)
            table.Set(
                h, n,
                QString::fromStdString(
                    data.Annotation[static_cast<size_t>(h)][static_cast<size_t>(keys[n - 2])]));
    return rows;
}

int FillExpressionHeaderTable(tHeaderTable& table, const tHeatmap& heatmap) {
    const int samples = std::clamp(heatmap.SampleCount, 0,
                                   std::max(0, static_cast<int>(heatmap.Header.size()) - 1));
    const int rows = std::max(heatmap.HeaderRowsRead, 0);
    table.Resize(samples, rows);
    for (int s = 0; s <= samples && s < static_cast<int>(heatmap.Header.size()); ++s) {
        const std::vector<std::string>& cells = heatmap.Header[static_cast<size_t>(s)];
        for (int r = 1; r <= rows && r < static_cast<int>(cells.size()); ++r)
            table.Set(s, r, QString::fromStdString(cells[static_cast<size_t>(r)]));
    }
    return rows;
}
