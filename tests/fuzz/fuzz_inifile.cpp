// The INI reader on arbitrary bytes, with the selection, grouping and paired-grouping readers
// behind it, and a section replaced and read back.
#include "fuzz_input_file.h"
#include "groupfiles.h"
#include "inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = WriteFuzzInput(data, size);
    const int32_t count = size ? data[0] % 40 : 0;
    const int32_t first = size > 1 ? static_cast<int8_t>(data[1]) : 1;
    std::string error;

    std::vector<bool> marked;
    if (ReadSelectionFile(file, count, marked, error) && marked.size() != size_t(count))
        __builtin_trap();
    GroupListRead groups;
    if (ReadGroupListFile(file, count, first, size > 2 && data[2] % 2, groups, error)) {
        if (groups.groupOf.size() != size_t(count) ||
            groups.Members.size() != size_t(groups.GroupCount))
            __builtin_trap();
        for (int32_t g : groups.groupOf)
            if (g < 0 || g > groups.GroupCount) __builtin_trap();
    }
    PairedGroupRead pairs;
    if (ReadPairedGroupFile(file, count, pairs, error)) {
        if (pairs.RowCount < 2 || pairs.RowCount > std::max(2, count + 1)) __builtin_trap();
        for (const auto& [a, b] : pairs.Pairs)
            if (a < 1 || b < 1 || a > count || b > count) __builtin_trap();
    }

    IniFile ini;
    if (!ini.Load(file, error)) {
        if (!IsUtf16Input(data, size)) __builtin_trap();
        return 0;
    }
    if (ini.ReplaceSection("Selection", {{"1", "true"}, {"key 2", " \"a, b\" "}})) {
        if (ini.Read("selection", "KEY 2", "") != "a, b") __builtin_trap();
        if (ini.Read("SELECTION", "1", "") != "true") __builtin_trap();
    }
    return 0;
}
