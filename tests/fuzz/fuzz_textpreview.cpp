// Feeds arbitrary bytes to the column selector's preview splitter.
#include "textpreview.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PreviewTable table = PreviewFromBytes(text);
    size_t lineFeeds = 0;
    for (const char c : text) lineFeeds += c == '\n';
    if (table.Rows.size() != lineFeeds) std::abort();
    for (const auto& row : table.Rows)
        if (row.empty() || row.size() > table.MaxFields) std::abort();
    return 0;
}
