// The band pattern file reader on arbitrary bytes; what it reads writes and reads back.
#include "bandpattern.h"
#include "fuzz_input_file.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BandPattern p;
    std::string error;
    if (!ReadBandPatternFile(WriteFuzzInput(data, size), p, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    if (p.Names.size() != p.Values.size() || !std::is_sorted(p.Names.begin(), p.Names.end()) ||
        std::adjacent_find(p.Names.begin(), p.Names.end()) != p.Names.end())
        __builtin_trap();
    // Names with a TAB, CR or LF of their own cannot come back as they were.
    const bool plain = std::none_of(p.Names.begin(), p.Names.end(), [](const std::string& n) {
        return n.find_first_of("\t\r\n") != std::string::npos || n.empty();
    });
    if (!plain) return 0;
    const std::string copy = FuzzInputPath() + ".out";
    if (!WriteBandPatternFile(copy, p, error)) __builtin_trap();
    BandPattern back;
    const bool ok = ReadBandPatternFile(copy, back, error);
    std::remove(copy.c_str());
    if (!ok || back.Names != p.Names) __builtin_trap();
    return 0;
}
