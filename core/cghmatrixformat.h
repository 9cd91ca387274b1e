// Internal to the CGH matrix reader and writer: the record constants and shared helpers.
#pragma once

#include "numbers.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "probe blocks are copied as they lie in memory");
static_assert(sizeof(float) == 4);

namespace cgm {

inline constexpr std::string_view kMagic = "JX-QB_V1.001";
inline constexpr std::string_view kEndOfHeader = "////";
inline constexpr int kStoredSlots = 20; // slots 1..20 of a probe
inline constexpr size_t kBlockBytes = kStoredSlots * sizeof(float);
inline constexpr int kProbeTexts = 5;
inline constexpr int kProgressStep = 100; // records between progress updates
// Probe records are handled in batches of about kBatchBytes whose data blocks a few threads
// share out by hybridisation, so that each thread writes few columns at a time.
inline constexpr size_t kBatchBytes = size_t(4) << 20;
inline constexpr int kMinBatch = 64;
inline constexpr int kThreads = 4;

using Clock = std::chrono::steady_clock;

inline std::string ElapsedLine(Clock::time_point start) {
    const double s = std::chrono::duration<double>(Clock::now() - start).count();
    return FormatFixed(s, 3) + "s elapsed time";
}

// Probes per batch for records of at least `minRecord` bytes.
inline int BatchProbes(int64_t minRecord) {
    return int(
        std::max<int64_t>(kMinBatch, int64_t(kBatchBytes) / std::max<int64_t>(minRecord, 1)));
}

// Runs work(h) for h = 1..hnum, shared out among a few threads when the work spans `bytes` of
// memory worth a thread; work(h) must touch only what belongs to hybridisation h.
template <typename Work> void ForEachHybridisation(int hnum, int64_t bytes, const Work& work) {
    constexpr int64_t kBytesPerThread = int64_t(1) << 20;
    const int threads = bytes < kBytesPerThread ? 1 : std::clamp(hnum, 1, kThreads);
    std::vector<std::jthread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back([&work, t, threads, hnum] {
            for (int h = 1 + t; h <= hnum; h += threads) work(h);
        });
    for (int h = 1; h <= hnum; h += threads) work(h);
}

} // namespace cgm
