// The response-profile file (".prf"): a little-endian int32 channel count n, then n IEEE 754
// singles, channel 1 first. Nothing else: no header, no padding.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct ProfileFileData {
    int32_t Count = 0;         // n, as the file states it
    std::vector<float> Values; // the first min(n, channels) values
};

// Reads the first min(n, channels) values of a profile file held in `bytes`; values beyond them
// and trailing bytes are ignored. False with `error` set (and `out` unchanged) when the count is
// missing or negative, the values stop short or one of them is not a finite number.
bool ParseProfileFile(std::string_view bytes, int32_t channels, ProfileFileData& out,
                      std::string& error);

// The same for a file; only the bytes the parse needs are read. A file that cannot be read (a
// pipe or a device among them) or memory running out give false with the system's reason.
bool ReadProfileFile(const std::string& fileName, int32_t channels, ProfileFileData& out,
                     std::string& error);

// Writes values.size() and the values through a temporary file that replaces `fileName` only
// when complete; false with `error` set otherwise.
bool WriteProfileFile(const std::string& fileName, std::span<const float> values,
                      std::string& error);

// The name the profile is saved under: the chosen name with its extension replaced by ".prf".
std::string ProfileFileName(const std::string& chosen);
