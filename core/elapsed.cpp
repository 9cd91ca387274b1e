#include "elapsed.h"

#include "numbers.h"

std::string Stopwatch::Line(std::string_view suffix, int width) const {
    // Whole milliseconds, as the tick counter gives them.
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start_)
                        .count();
    return FormatFixedWidth(static_cast<double>(ms) / 1000.0, width, 3) + std::string(suffix);
}
