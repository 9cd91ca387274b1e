// Timing of the benchmark programs.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// Mean milliseconds of `runs` calls of f.
template <typename F> double Time(int runs, F f) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
               .count() /
           runs;
}

// Fewest milliseconds of `runs` calls of f, for a machine that is busy with other work too.
template <typename F> double BestTime(int runs, F f) {
    double best = Time(1, f);
    for (int i = 1; i < runs; ++i) best = std::min(best, Time(1, f));
    return best;
}

// Median milliseconds of `runs` calls of f.
template <typename F> double MedianTime(int runs, F f) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) ms.push_back(Time(1, f));
    std::sort(ms.begin(), ms.end());
    return ms.empty() ? 0 : ms[ms.size() / 2];
}

// Mean milliseconds of `runs` calls of f, each after an untimed call of prepare.
template <typename F, typename P> double Time(int runs, F f, P prepare) {
    double ms = 0;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto t0 = std::chrono::steady_clock::now();
        f();
        ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                  .count();
    }
    return ms / runs;
}
