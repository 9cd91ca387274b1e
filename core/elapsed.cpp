#include "elapsed.h"

#include "numbers.h"

std::string Stopwatch::ElapsedLine() const {
    // Whole milliseconds, as the tick counter gives them.
    const double ms = static_cast<double>(static_cast<long long>(Seconds() * 1000.0));
    return FormatFixed(ms / 1000.0, 3) + "s elapsed time";
}
