// Series text of the 3D plot: one number per line, or six per line separated by TAB, from a file
// or from the clipboard.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Columns of numbers, 1-based: Values[c][0] is 0, then one value per line read.
struct SeriesColumns {
    std::vector<std::vector<float>> Values;
    int32_t Lines = 0;
};

// The most lines a text of `length` characters gives: length for one column, length / 6 for six.
int64_t SeriesLineLimit(int64_t length, int columns);

// Reads lines cut at LF (a trailing CR dropped) until the text is used up or `lineLimit` lines
// are read. Field c of a line is its text before the c-th TAB (the rest for the last column);
// numbers read with "." whatever the locale, a malformed field as the value of its valid
// beginning, an empty or missing one as 0. A number beyond single range reads as an infinity.
SeriesColumns ReadSeriesText(std::string_view text, int columns, int64_t lineLimit);

// The same from a file, limited by its size; false with `err` (an errno value, ENOMEM when memory
// runs out) when it cannot be read, `out` then untouched.
bool ReadSeriesFile(const std::string& fileName, int columns, SeriesColumns& out, int& err);
