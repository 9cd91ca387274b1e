#include "textpreview.h"

#include <algorithm>

std::vector<std::string> SplitPreviewLine(std::string_view line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\t')
            fields.emplace_back();
        else if (c != '\r')
            fields.back().push_back(c);
    }
    return fields;
}

void AddPreviewRow(PreviewTable& table, std::string_view line) {
    table.Rows.push_back(SplitPreviewLine(line));
    table.MaxFields = std::max(table.MaxFields, table.Rows.back().size());
}

PreviewTable PreviewFromBytes(std::string_view data) {
    PreviewTable table;
    size_t start = 0;
    for (size_t lf = data.find('\n'); lf != std::string_view::npos; lf = data.find('\n', start)) {
        AddPreviewRow(table, data.substr(start, lf - start));
        start = lf + 1;
    }
    return table;
}
