#include "recentlist.h"

#include "parser.h"

#include <algorithm>

bool AddRecentEntry(std::span<std::string> entries, const std::string& entry, bool ignoreCase) {
    if (entry.empty() || entries.empty()) return false;
    const std::string key = ignoreCase ? AsciiLower(entry) : entry;
    const bool present = std::any_of(entries.begin(), entries.end(), [&](const std::string& e) {
        return ignoreCase ? AsciiLower(e) == key : e == key;
    });
    if (present) return false;
    std::move_backward(entries.begin(), entries.end() - 1, entries.end());
    entries.front() = entry;
    return true;
}

std::string FormatExpressionEntry(const ExpressionMatrixEntry& e) {
    std::string text = e.File;
    for (const int32_t v : {e.HeaderRows, e.HeaderCols, e.ChrColumn, e.StartColumn, e.StopColumn})
        text += ";" + std::to_string(v);
    return text;
}

ExpressionMatrixEntry ParseExpressionEntry(std::string_view text) {
    std::string rest(text);
    ExpressionMatrixEntry e;
    CutToken(rest, ";", e.File);
    const std::vector<int32_t> n = CutIntegers(std::move(rest), ";", 5);
    e.HeaderRows = n[0];
    e.HeaderCols = n[1];
    e.ChrColumn = n[2];
    e.StartColumn = n[3];
    e.StopColumn = n[4];
    return e;
}

ExpressionMatrixEntry ParseRecentExpressionEntry(std::string_view text) {
    size_t numbers = text.size();
    for (int k = 0; k < 5 && numbers != std::string_view::npos; ++k)
        numbers = numbers == 0 ? std::string_view::npos : text.rfind(';', numbers - 1);
    if (numbers == std::string_view::npos) return ParseExpressionEntry(text);
    ExpressionMatrixEntry e = ParseExpressionEntry(text.substr(numbers));
    e.File = text.substr(0, numbers);
    return e;
}
