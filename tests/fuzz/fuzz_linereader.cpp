// The line reader and the field splitter on arbitrary bytes.
#include "fuzz_input_file.h"
#include "parser.h"

#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = WriteFuzzInput(data, size);
    LineReader reader;
    std::string error;
    if (!reader.Open(file, error)) {
        if (!IsUtf16Input(data, size)) __builtin_trap();
        return 0;
    }
    const char delim = size ? static_cast<char>(data[0]) : '\t';
    const size_t maxItems = size > 1 ? data[1] % 8 : 0;
    std::vector<std::string_view> views, bounded;
    std::vector<std::string> strings;
    std::string_view line;
    while (reader.Next(line)) {
        SplitQuoted(line, delim, views);
        SplitQuoted(line, delim, strings);
        if (views.size() != strings.size()) __builtin_trap();
        // The items and the delimiters between them give the line back.
        std::string joined;
        for (size_t i = 0; i < views.size(); ++i) {
            if (i) joined += delim;
            joined += views[i];
            if (views[i] != strings[i]) __builtin_trap();
        }
        if (joined != line) __builtin_trap();
        if (maxItems) {
            SplitQuoted(line, delim, bounded, maxItems);
            if (bounded.size() > maxItems || (!line.empty() && bounded.empty())) __builtin_trap();
            for (size_t i = 0; i + 1 < bounded.size(); ++i)
                if (bounded[i] != views[i]) __builtin_trap();
        }
    }
    if (!reader.EndOfInput() || reader.Consumed() != reader.FileSize()) __builtin_trap();
    return 0;
}
