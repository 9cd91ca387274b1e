#include "seriestext.h"

#include "binaryio.h"
#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

int64_t SeriesLineLimit(int64_t length, int columns) {
    return columns > 1 ? length / 6 : length;
}

SeriesColumns ReadSeriesText(std::string_view text, int columns, int64_t lineLimit) {
    SeriesColumns out;
    columns = std::max(columns, 1);
    out.Values.assign(columns, std::vector<float>(1, 0.0f));
    const int64_t limit = std::clamp<int64_t>(lineLimit, 0, INT32_MAX - 1);
    // Lines are taken one by one up to the limit: a list of every line of a large file of short
    // lines would take sixteen times the file's size.
    const int64_t lineEnds = std::count(text.begin(), text.end(), '\n');
    const int64_t lines = std::min(lineEnds + 1, limit);
    for (std::vector<float>& v : out.Values) v.reserve(static_cast<size_t>(lines) + 1);
    for (std::string_view rest = text, line; out.Lines < lines && NextTextLine(rest, line);
         ++out.Lines) {
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
    try {
        std::string bytes;
        if (!ReadWholeFile(fileName, bytes, err)) return false;
        out = ReadSeriesText(bytes, columns,
                             SeriesLineLimit(static_cast<int64_t>(bytes.size()), columns));
        return true;
    } catch (const std::bad_alloc&) {
        err = ENOMEM;
        return false;
    }
}
