#include "hybannotation.h"

#include "numbers.h"
#include "parser.h"

#include <algorithm>

TextTable HybridisationAnnotationTable(const tCGH_DataSet& data) {
    const int hnum = std::clamp(data.HNum, 0, kMaxHybridisations);
    TextTable table;
    table.SetSize(hnum + 2, kAnnotationKeys + 1);
    for (int h = 0; h <= hnum; ++h) {
        table.SetCell(h + 1, 0, h == 0 ? std::string("Key") : std::to_string(h));
        for (int k = 1; k <= kAnnotationKeys; ++k) table.SetCell(h + 1, k, data.Annotation[h][k]);
    }
    return table;
}

void ApplyHybridisationAnnotationTable(const TextTable& table, tCGH_DataSet& data) {
    // Cells the user removed read as missing, not as empty values.
    const int hnum = std::min(std::clamp(data.HNum, 0, kMaxHybridisations), table.ColCount() - 2);
    const int rows = std::min(kAnnotationKeys, table.RowCount() - 1);
    for (int r = 2; r <= rows; ++r) {
        if (table.Cell(1, r).empty()) continue;
        for (int h = 0; h <= hnum; ++h) data.Annotation[h][r] = table.Cell(h + 1, r);
    }
    BumpDataVersion();
}

std::vector<int> ParseAnnotationKeys(std::string_view text, std::vector<std::string>& skipped) {
    std::vector<int> keys;
    std::string rest(text), piece;
    while (!rest.empty()) {
        CutToken(rest, ",", piece);
        int32_t key = 0;
        const char* why = nullptr;
        if (!ParseStrictInt(piece, key))
            why = "no whole number";
        else if (key < 1 || key > kAnnotationKeys)
            why = "key outside 1..100";
        else if (keys.size() >= size_t(kAnnotationKeys))
            why = "more than 100 keys";
        if (why)
            skipped.push_back("Annotation key \"" + piece + "\" skipped: " + why + ".");
        else
            keys.push_back(key);
    }
    return keys;
}
