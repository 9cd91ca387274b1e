#include "groupfiles.h"

#include "inifile.h"
#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace {

constexpr const char* kSelection = "Selection";
constexpr const char* kGroups = "Group settings";
constexpr const char* kPairs = "Paired group settings";
constexpr int32_t kMaxGroups = 12; // the group spin edit's range is 1..12

// Reads `piece` of the value `text` of `key` as a whole number; false with `error` set when it
// is none or lies beyond the integer range.
bool WholeNumber(std::string_view piece, const std::string& fileName, std::string_view key,
                 std::string_view text, int32_t& out, std::string& error) {
    const StrictInt read = ReadStrictInt(piece, out);
    if (read == StrictInt::Whole) return true;
    error = "\"" + fileName + "\": the value \"" + std::string(text) + "\" of \"" +
            std::string(key) + "\" " +
            (read == StrictInt::OutOfRange ? "is out of range." : "is no whole number.");
    return false;
}

// A whole-number key, `fallback` when it is missing or empty.
bool ReadWhole(const IniFile& ini, std::string_view section, std::string_view key, int32_t fallback,
               const std::string& fileName, int32_t& out, std::string& error) {
    const std::string text = ini.Read(section, key, "");
    out = fallback;
    return TrimBlanks(text).empty() || WholeNumber(text, fileName, key, text, out, error);
}

} // namespace

std::string WithDefaultExtension(const std::string& fileName, const std::string& extension) {
    return std::filesystem::path(fileName).has_extension() ? fileName : fileName + extension;
}

bool WriteSelectionFile(const std::string& fileName, const std::vector<bool>& marked,
                        std::string& error) {
    IniKeys keys;
    keys.reserve(marked.size());
    for (size_t i = 0; i < marked.size(); ++i)
        keys.emplace_back(std::to_string(i + 1), marked[i] ? "true" : "false");
    return WriteIniSection(fileName, kSelection, keys, error);
}

bool ReadSelectionFile(const std::string& fileName, int32_t entryCount, std::vector<bool>& marked,
                       std::string& error) {
    IniFile ini;
    if (!ini.Load(fileName, error)) return false;
    std::vector<bool> read(static_cast<size_t>(std::max(entryCount, 0)));
    for (size_t i = 0; i < read.size(); ++i)
        read[i] = ini.Read(kSelection, std::to_string(i + 1), "false") == "true";
    marked = std::move(read);
    return true;
}

std::string GroupMemberText(const std::vector<int32_t>& groupOf, int32_t g,
                            int32_t firstConditionNumber) {
    std::string text;
    for (size_t i = 0; i < groupOf.size(); ++i) {
        if (groupOf[i] != g) continue;
        if (!text.empty()) text += ",";
        text += std::to_string(static_cast<int64_t>(i) + firstConditionNumber);
    }
    return text;
}

bool WriteGroupListFile(const std::string& fileName, const GroupListFile& groups,
                        std::string& error) {
    IniKeys keys;
    if (groups.Factor1 > 0 && groups.Factor2 > 0) {
        keys.emplace_back("Factor1 number", std::to_string(groups.Factor1));
        keys.emplace_back("Factor2 number", std::to_string(groups.Factor2));
    }
    keys.emplace_back("Group number", std::to_string(groups.Members.size()));
    for (size_t g = 0; g < groups.Members.size(); ++g)
        keys.emplace_back("Group-" + std::to_string(g + 1), groups.Members[g]);
    return WriteIniSection(fileName, kGroups, keys, error);
}

bool ReadGroupListFile(const std::string& fileName, int32_t conditionCount,
                       int32_t firstConditionNumber, bool twoFactor, GroupListRead& out,
                       std::string& error) {
    IniFile ini;
    if (!ini.Load(fileName, error)) return false;
    GroupListRead r;
    int32_t number = 0;
    if (!ReadWhole(ini, kGroups, "Group number", 0, fileName, number, error)) return false;
    r.GroupCount = std::clamp(number, 1, kMaxGroups);
    if (twoFactor) {
        if (!ReadWhole(ini, kGroups, "Factor1 number", 0, fileName, r.Factor1, error) ||
            !ReadWhole(ini, kGroups, "Factor2 number", 0, fileName, r.Factor2, error))
            return false;
        r.Factor1 = std::clamp(r.Factor1, 1, kMaxGroups);
        r.Factor2 = std::clamp(r.Factor2, 1, kMaxGroups);
        r.GroupCount = r.Factor1 * r.Factor2;
    }
    r.groupOf.assign(static_cast<size_t>(std::max(conditionCount, 0)), 0);
    std::vector<std::string_view> pieces;
    for (int32_t g = 1; g <= r.GroupCount; ++g) {
        const std::string key = "Group-" + std::to_string(g);
        const std::string& members = r.Members.emplace_back(ini.Read(kGroups, key, ""));
        SplitQuoted(members, ',', pieces);
        for (const std::string_view piece : pieces) {
            if (TrimBlanks(piece).empty()) continue;
            int32_t n = 0;
            if (!WholeNumber(piece, fileName, key, members, n, error)) return false;
            const int64_t position = int64_t{n} - firstConditionNumber + 1;
            if (position >= 1 && position <= conditionCount)
                r.groupOf[static_cast<size_t>(position - 1)] = g;
        }
    }
    out = std::move(r);
    return true;
}

bool WritePairedGroupFile(const std::string& fileName, const std::vector<PairCells>& rows,
                          std::string& error) {
    IniKeys keys;
    keys.emplace_back("PairNumber", std::to_string(rows.size() + 1));
    int n = 0;
    for (const PairCells& row : rows) {
        if (row.First.empty() || row.Second.empty()) continue;
        const auto number = [](const std::string& cell) { return cell.substr(0, cell.find(':')); };
        keys.emplace_back("Pair_" + std::to_string(++n),
                          number(row.First) + "," + number(row.Second));
    }
    return WriteIniSection(fileName, kPairs, keys, error);
}

bool ReadPairedGroupFile(const std::string& fileName, int32_t conditionCount, PairedGroupRead& out,
                         std::string& error) {
    IniFile ini;
    if (!ini.Load(fileName, error)) return false;
    const int32_t most =
        static_cast<int32_t>(std::clamp<int64_t>(int64_t{conditionCount} + 1, 2, INT32_MAX));
    PairedGroupRead r;
    if (!ReadWhole(ini, kPairs, "PairNumber", most, fileName, r.RowCount, error)) return false;
    r.RowCount = std::clamp(r.RowCount, 2, most);
    for (int32_t row = 1; row < r.RowCount; ++row) {
        const std::string key = "Pair_" + std::to_string(row);
        std::string rest = ini.Read(kPairs, key, ""), first;
        if (rest.empty()) continue;
        const std::string text = rest;
        CutToken(rest, ",", first);
        int32_t a = 0, b = 0;
        if (!WholeNumber(first, fileName, key, text, a, error) ||
            !WholeNumber(rest, fileName, key, text, b, error))
            return false;
        if (a >= 1 && b >= 1 && a <= conditionCount && b <= conditionCount)
            r.Pairs.emplace_back(a, b);
    }
    out = std::move(r);
    return true;
}
