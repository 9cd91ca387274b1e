// The CGH grouping file reader and the colour text on arbitrary bytes.
#include "cghgrouping.h"
#include "fuzz_input_file.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto set = std::make_unique<tCGH_DataSet>();
    CGHGrouping g;
    std::string error;
    if (ParseCGHGroupingFile(WriteFuzzInput(data, size), g, error)) {
        if (g.Entries.empty() && g.Skipped.empty()) __builtin_trap();
        for (const SetColour& e : g.Entries)
            if (e.Set < 0 || e.Set > kMaxHybridisations) __builtin_trap();
        set->HNum = size ? data[0] % 60 : 0;
        tSetColours colours{};
        ApplyCGHGrouping(g, *set, colours);
    } else if (error.empty()) {
        __builtin_trap();
    }
    std::vector<std::string> skipped;
    for (const SetColour& c :
         ParseColourText(std::string_view(reinterpret_cast<const char*>(data), size), skipped))
        if (c.Set < 1 || c.Set > 100 || c.Colour > 0xFFFFFF) __builtin_trap();
    return 0;
}
