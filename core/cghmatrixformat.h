// Internal to the CGH matrix reader and writer: the record constants and shared helpers.
#pragma once

#include "numbers.h"
#include "parallel.h"

#include <algorithm>
#include <bit>
#include <string>
#include <string_view>
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

// Probes per batch for records of at least `minRecord` bytes.
inline int BatchProbes(int64_t minRecord) {
    return int(
        std::max<int64_t>(kMinBatch, int64_t(kBatchBytes) / std::max<int64_t>(minRecord, 1)));
}

inline constexpr int64_t kBytesPerThread = int64_t(1) << 20;

// Shares hybridisations 1..hnum out among a few threads when the work spans `bytes` of memory
// worth a thread: each thread runs work(first, step) for its hybridisations first, first + step,
// ... up to hnum, and must touch only what belongs to them. An exception of the work (memory
// running out) comes back on the caller's thread once all have ended.
template <typename Work> void ShareHybridisations(int hnum, int64_t bytes, const Work& work) {
    const int threads = bytes < kBytesPerThread ? 1 : std::clamp(hnum, 1, kThreads);
    ParallelChunks(
        threads, [&](int t) { work(1 + t, threads); }, nullptr, threads);
}

// Probe records handled together by one thread, hybridisation by hybridisation: few enough
// that their records stay in the cache, enough that each column gets a cache line at a time.
inline constexpr int kTileProbes = 16;

} // namespace cgm
