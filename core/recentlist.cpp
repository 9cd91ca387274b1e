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
