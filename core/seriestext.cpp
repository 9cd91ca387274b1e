#include "seriestext.h"

#include "binaryio.h"
#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <cstring>

int64_t SeriesLineLimit(int64_t length, int columns) {
    return columns > 1 ? length / 6 : length;
}

SeriesColumns ReadSeriesText(std::string_view text, int columns, int64_t lineLimit) {
    SeriesColumns out;
    columns = std::max(columns, 1);
    out.Values.assign(columns, std::vector<float>(1, 0.0f));
    const int64_t limit = std::clamp<int64_t>(lineLimit, 0, INT32_MAX - 1);
    const std::vector<std::string_view> all = SplitTextLines(text);
    const int64_t lines = std::min<int64_t>(static_cast<int64_t>(all.size()), limit);
    for (std::vector<float>& v : out.Values) v.reserve(static_cast<size_t>(lines) + 1);
    for (; out.Lines < lines; ++out.Lines) {
        std::string_view line = all[static_cast<size_t>(out.Lines)];
        for (int c = 0; c < columns; ++c) {
            const size_t tab = line.find('\t');
            const std::string_view field = line.substr(0, tab);
            line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
            out.Values[c].push_back(static_cast<float>(ParseLenientFloat(field)));
        }
    }
    return out;
}

bool ReadSeriesFile(const std::string& fileName, int columns, SeriesColumns& out, int& err) {
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes, err)) return false;
    out = ReadSeriesText(bytes, columns,
                         SeriesLineLimit(static_cast<int64_t>(bytes.size()), columns));
    return true;
}
