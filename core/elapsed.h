// Run time of a routine for its report.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

class Stopwatch {
  public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    // The report's run-time line: the elapsed whole milliseconds / 1000 with three decimals,
    // right-aligned in `width` characters, then `suffix` ("0.012s elapsed time").
    std::string Line(std::string_view suffix = "s elapsed time", int width = 0) const;

  private:
    std::chrono::steady_clock::time_point start_;
};
