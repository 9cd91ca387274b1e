// The 3D plot's series text in both forms: the file (limited by its size) and the clipboard text
// (limited by the caller) read the same numbers.
#include "fuzz_input_file.h"
#include "seriestext.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = WriteFuzzInput(data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const int columns : {1, 6}) {
        SeriesColumns fromFile;
        int err = 0;
        if (!ReadSeriesFile(file, columns, fromFile, err)) __builtin_trap();
        const SeriesColumns fromText =
            ReadSeriesText(text, columns, SeriesLineLimit(static_cast<int64_t>(size), columns));
        if (fromFile.Lines != fromText.Lines || fromFile.Lines > SeriesLineLimit(size, columns) ||
            fromFile.Values.size() != static_cast<size_t>(columns))
            __builtin_trap();
        for (int c = 0; c < columns; ++c) {
            const auto& a = fromFile.Values[c];
            const auto& b = fromText.Values[c];
            if (a.size() != static_cast<size_t>(fromFile.Lines) + 1 || a.size() != b.size() ||
                std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) != 0)
                __builtin_trap();
        }
    }
    return 0;
}
