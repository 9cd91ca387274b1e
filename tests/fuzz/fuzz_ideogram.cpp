// The ideogram reader: the first nine bytes choose the column numbers, the rest is the
// band table.
#include "fuzz_input_file.h"
#include "ideogram.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tFList bands;
    static tGenomeLayout layout;
    static int32_t type = 0;
    const size_t specBytes = size < 9 ? size : 9;
    std::string numbers;
    for (size_t i = 0; i < 9; ++i) {
        if (i) numbers += ',';
        numbers += std::to_string(i < specBytes ? data[i] % 12 : i + 1);
    }
    const std::string& file = WriteFuzzInput(data + specBytes, size - specBytes);
    MemoryLog log;
    std::string error;
    if (ReadIdeogramFile(file + ";" + numbers, bands, layout, type, &log, error)) {
        if (layout.ChromosomeCount < 0 || layout.ChromosomeCount > kLayoutSlots) __builtin_trap();
        if (FeatureCount(bands) + 10 != static_cast<int>(bands.size())) __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
