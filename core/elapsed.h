// Run time of a routine for its report.
#pragma once

#include <chrono>
#include <string>

class Stopwatch {
  public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    // The report's closing line: the seconds with three decimals, then "s elapsed time".
    std::string ElapsedLine() const;

  private:
    std::chrono::steady_clock::time_point start_;
};
