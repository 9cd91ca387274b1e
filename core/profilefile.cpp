#include "profilefile.h"

#include "binaryio.h"
#include "statpack.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>

bool ParseProfileFile(std::string_view bytes, int32_t channels, ProfileFileData& out,
                      std::string& error) {
    ByteCursor cursor(bytes);
    int32_t n = 0;
    if (!cursor.I32(n)) {
        error = "The file is too short to hold a channel count.";
        return false;
    }
    if (n < 0) {
        error = "The file's channel count (" + std::to_string(n) + ") is negative.";
        return false;
    }
    // The size is checked before anything is read, so a short file loads nothing.
    const int32_t wanted = std::min(n, std::max(channels, 0));
    if (cursor.Left() / 4 < static_cast<size_t>(wanted)) {
        error = "The file ends after " + std::to_string(cursor.Left() / 4) + " of its " +
                std::to_string(n) + " values.";
        return false;
    }
    std::vector<float> values(static_cast<size_t>(wanted));
    for (int32_t k = 0; k < wanted; ++k) {
        uint32_t bits = 0;
        cursor.U32(bits);
        values[static_cast<size_t>(k)] = std::bit_cast<float>(bits);
        if (!std::isfinite(values[static_cast<size_t>(k)])) {
            error = "Value " + std::to_string(k + 1) + " of the file is not a finite number.";
            return false;
        }
    }
    out.Count = n;
    out.Values = std::move(values);
    return true;
}

bool ReadProfileFile(const std::string& fileName, int32_t channels, ProfileFileData& out,
                     std::string& error) {
    int err = 0;
    try {
        // The count and at most `channels` values: the rest of a longer file is never needed.
        std::string bytes;
        err = ReadFileStart(fileName, 4 + 4 * static_cast<size_t>(std::max(channels, 0)), bytes);
        if (err == 0) return ParseProfileFile(bytes, channels, out, error);
    } catch (const std::bad_alloc&) {
        err = ENOMEM;
    }
    error = std::string("The file cannot be read (") + std::strerror(err) + ").";
    return false;
}

bool WriteProfileFile(const std::string& fileName, std::span<const float> values,
                      std::string& error) {
    std::string bytes;
    bytes.reserve(4 + 4 * values.size());
    AppendU32(bytes, static_cast<uint32_t>(values.size()));
    for (float v : values) AppendU32(bytes, std::bit_cast<uint32_t>(v));
    SaveFile file;
    if (!file.Open(fileName, error)) return false;
    file.Write(bytes); // a write error is reported by Commit
    return file.Commit(error);
}

std::string ProfileFileName(const std::string& chosen) {
    std::string dir, name, ext;
    SplitFileName(chosen, dir, name, ext);
    return dir + name + ".prf";
}
