// The main window's histories (gene searches, grouping files): 20 texts, entries 1..20.
#pragma once

#include "recentlist.h"

#include <QString>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

using tHistory = std::array<QString, 21>;

// Enters `text` at the top of entries 1..size unless it is there already in any letter case, the
// entry at `size` dropping out; entries beyond `size` stay. True when the history changed.
inline bool AddToHistory(tHistory& history, const std::string& text, int size = 20) {
    size = std::clamp(size, 1, 20);
    std::vector<std::string> entries(static_cast<size_t>(size));
    for (int n = 1; n <= size; ++n) entries[size_t(n - 1)] = history[size_t(n)].toStdString();
    if (!AddRecentEntry(entries, text, true)) return false;
    for (int n = 1; n <= size; ++n)
        history[size_t(n)] = QString::fromStdString(entries[size_t(n - 1)]);
    return true;
}
