#include "parallel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {
std::atomic<int> threadLimit{0};
} // namespace

int ThreadLimit() {
    const int limit = threadLimit.load();
    if (limit > 0) return limit;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

void SetThreadLimit(int threads) {
    threadLimit.store(std::max(threads, 0));
}

bool ParallelChunks(int chunks, const std::function<void(int)>& work,
                    const std::function<bool(int)>& step, int threads) {
    if (chunks <= 0) return true;
    if (threads <= 0) threads = ThreadLimit();
    threads = std::clamp(threads, 1, chunks);

    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;

    // Takes chunks until none is left or the run stops; returns false once it should stop.
    auto runOne = [&]() -> bool {
        const int i = next.fetch_add(1);
        if (i >= chunks || stop.load()) return false;
        try {
            work(i);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure) failure = std::current_exception();
            stop = true;
            return false;
        }
        done.fetch_add(1);
        return true;
    };

    std::atomic<int> helpersEnded{0};
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<size_t>(threads - 1));
    try {
        for (int t = 1; t < threads; ++t)
            helpers.emplace_back([&] {
                while (runOne()) {
                }
                helpersEnded.fetch_add(1);
            });
    } catch (...) {
        // No more threads to be had: the ones started and the caller do the work.
    }

    bool stopped = false;
    auto report = [&] {
        if (stopped || !step) return;
        if (!step(done.load())) {
            stopped = true;
            stop = true;
        }
    };
    while (runOne()) report();
    // The helpers may still be at their last chunks: keep the display alive until they end,
    // and show the final count.
    for (;;) {
        const bool ended = helpersEnded.load() == static_cast<int>(helpers.size());
        report();
        if (ended) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    for (auto& t : helpers) t.join();
    if (failure) std::rethrow_exception(failure);
    return !stopped && done.load() == chunks;
}
