#include "elapsed.h"

#include "numbers.h"

std::string Stopwatch::Line(std::string_view suffix) const {
    // Whole milliseconds, as the tick counter gives them.
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start_)
                        .count();
    return FormatFixed(static_cast<double>(ms) / 1000.0, 3) + std::string(suffix);
}
