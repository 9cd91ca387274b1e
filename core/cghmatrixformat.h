// Internal to the CGH matrix reader and writer: the record constants and shared helpers.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
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
inline constexpr size_t kPositionBytes = 3 * sizeof(float); // slots 1..3: chromosome, start, end
inline constexpr int kProbeTexts = 5;

// Probe records are read and written a window of about this many bytes at a time (one
// chromosome's at most); within a window each hybridisation's data blocks are one task, and the
// texts a few more.
inline constexpr size_t kWindowBytes = size_t(16) << 20;
inline constexpr int kTextTasks = 4;

// Data blocks are moved between the records and the columns of a hybridisation this many probes
// at a time: a few cache lines of each column.
inline constexpr int kTileProbes = 64;

// Threads for work over `bytes` of memory: one when starting more would cost more than it saves.
inline int ThreadsFor(size_t bytes) {
    return bytes < (size_t(1) << 20) ? 1 : 0;
}

// Splits at every TAB; quotes have no meaning in this file.
inline void SplitTabs(std::string_view s, std::vector<std::string_view>& items) {
    items.clear();
    size_t start = 0;
    for (size_t at; (at = s.find('\t', start)) != std::string_view::npos; start = at + 1)
        items.push_back(s.substr(start, at - start));
    items.push_back(s.substr(start));
}

// The first of the records that text task `task` of a window of `count` records takes.
inline int TextTaskStart(int task, int count) {
    return int(int64_t(count) * task / kTextTasks);
}

} // namespace cgm
