// The group selector's files, all INI files: a selection (".csl", which list entries are
// marked), a grouping (".tgl", the members of each group) and a paired grouping (".pgl", pairs of
// conditions). Writing one replaces only its own section of the file. A read returns the whole
// result, or false with an error text and the result untouched: a file that cannot be read, is
// larger than 16 MB, or holds a number that is no whole number or lies beyond the integer range
// (the text names file, key and value and says which).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `fileName` with `extension` (".csl") appended when it has none.
std::string WithDefaultExtension(const std::string& fileName, const std::string& extension);

// Section "Selection": key i (the 1-based list position) "true" or "false", for every entry.
bool WriteSelectionFile(const std::string& fileName, const std::vector<bool>& marked,
                        std::string& error);
// marked[i - 1] for list entries i = 1..entryCount: true when key i holds exactly "true".
bool ReadSelectionFile(const std::string& fileName, int32_t entryCount, std::vector<bool>& marked,
                       std::string& error);

// Group g's members among `groupOf` (groupOf[i - 1] the group of condition i), as the file
// writes them: the numbers i + firstConditionNumber - 1 ascending, joined by "," ("5,7").
std::string GroupMemberText(const std::vector<int32_t>& groupOf, int32_t g,
                            int32_t firstConditionNumber);

struct GroupListFile {
    int32_t Factor1 = 0, Factor2 = 0; // two-factor mode only; there Members holds F1 x F2 groups
    std::vector<std::string> Members; // Members[g - 1]: group g's member text
};

// Section "Group settings": in the two-factor mode "Factor1 number" and "Factor2 number" first;
// "Group number" (the number of Members), then "Group-g" for each group.
bool WriteGroupListFile(const std::string& fileName, const GroupListFile& groups,
                        std::string& error);

struct GroupListRead {
    int32_t GroupCount = 1;           // "Group number" held to 1..12; two-factor: F1 x F2
    int32_t Factor1 = 0, Factor2 = 0; // two-factor mode: held to 1..12 each
    std::vector<std::string> Members; // Members[g - 1]: the value of "Group-g", g = 1..GroupCount
    // groupOf[i - 1]: the last group whose members name condition i (number n names position
    // n - firstConditionNumber + 1), 0 when none does; numbers outside the list are left out.
    std::vector<int32_t> groupOf;
};

// Reads a grouping for `conditionCount` conditions; member lists skip empty pieces ("1,,3").
bool ReadGroupListFile(const std::string& fileName, int32_t conditionCount,
                       int32_t firstConditionNumber, bool twoFactor, GroupListRead& out,
                       std::string& error);

struct PairCells {
    std::string First, Second; // cells 1 and 2 of a pairs-grid row: "3:label" or empty
};

// Section "Paired group settings": "PairNumber" (the grid's rows with its header, rows.size() +
// 1), then "Pair_n" = "a,b" for the complete rows (both cells filled) numbered n = 1, 2, ...;
// a and b are the cells' texts before their first ":".
bool WritePairedGroupFile(const std::string& fileName, const std::vector<PairCells>& rows,
                          std::string& error);

struct PairedGroupRead {
    int32_t RowCount = 2; // "PairNumber" held to 2..conditionCount + 1, which a missing one gives
    // The pairs of keys "Pair_1" .. "Pair_<RowCount - 1>" that name two conditions 1..count.
    std::vector<std::pair<int32_t, int32_t>> Pairs;
};

bool ReadPairedGroupFile(const std::string& fileName, int32_t conditionCount, PairedGroupRead& out,
                         std::string& error);
