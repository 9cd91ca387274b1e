// The list filter and the segment finder on arbitrary lines.
#include "fuzz_input_file.h"
#include "listfilter.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> lines;
    std::string error;
    if (!ReadListFile(WriteFuzzInput(data, size), lines, error)) {
        if (!IsUtf16Input(data, size)) __builtin_trap();
        return 0;
    }
    MemoryLog log;
    FindListSegments(lines, lines, &log, nullptr);
    for (const std::string& l : log.lines)
        if (l.rfind("Segment: ", 0) != 0 && std::find(lines.begin(), lines.end(), l) == lines.end())
            __builtin_trap(); // only segment heads and lines of the list
    const size_t n = lines.size();
    log.lines.clear();
    FilterListByChromosome(lines, &log, nullptr);
    if (lines.size() > n || log.lines.empty()) __builtin_trap();
    return 0;
}
