// Lists of recently used files, newest first.
#pragma once

#include <span>
#include <string>

// Puts `entry` first in `entries`, moving the others one place down and dropping the last,
// unless it is empty or already present (compared exactly, or with `ignoreCase` without regard to
// ASCII case), which changes nothing: an entry once listed keeps its place. Returns true when the
// list changed. For a record's RecentFiles[0..10] pass entries 1..10.
bool AddRecentEntry(std::span<std::string> entries, const std::string& entry,
                    bool ignoreCase = false);
