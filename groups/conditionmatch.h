// Finding conditions by their labels: the search syntax of the find dialog, the combination of a
// search with the present marks, and the containment test that find-same and auto-group share.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// True when `needle` occurs in `text`. An empty needle occurs nowhere, so doubled blanks in a
// search, or an empty label, never match every text.
bool OccursIn(const QString& needle, const QString& text);

// A search text as typed into the find dialog, lower-cased.
struct FindPattern {
    QString text;          // without "\pm", trimmed: the text the reports show
    QStringList keys;      // split at blanks outside double quotes
    bool perfect = false;  // "\pm": plain keys must equal the whole label
    bool listMode = false; // "\l": the words after the first list entry positions
};
FindPattern ParseFindPattern(const QString& typed);

// True when any key matches the label (lower-cased): a plain key occurs in it (equals it with
// "\pm"); "\empty" matches an empty label; "\>=x" a label that reads wholly as a number >= x;
// "\<=x" a label whose valid beginning reads as a number <= x (a label that is no number as 0).
bool PatternMatches(const FindPattern& pattern, const QString& label);

// The new mark of an entry under find tag 1 (new), 2 (AND), 3 (OR), 4 (AND NOT) or 5 (OR NOT).
bool CombineMark(int tag, bool found, bool marked);

// List mode: the words of `text` after its first blank are cut at "," into entry positions acting
// on marks[position - 1]: tags 1 and 3 mark, 4 and 5 unmark, 2 leaves the mark; tag 1 first
// unmarks every entry; a piece that is no whole number is skipped. Returns the first position
// outside the list, at which it stopped (the marks set before it stay), or none.
std::optional<int> ApplyFindList(const QString& text, int tag, std::vector<bool>& marks);
