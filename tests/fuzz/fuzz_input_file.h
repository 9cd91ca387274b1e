// Fuzz inputs reach the readers as files: one temporary file per fuzzing process.
#pragma once

#include "parser.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

// The file goes when the fuzzer exits.
struct FuzzInputFile {
    std::string path =
        (std::filesystem::temp_directory_path() / ("qb_fuzz_" + std::to_string(getpid()))).string();
    ~FuzzInputFile() { std::remove(path.c_str()); }
};

inline const std::string& FuzzInputPath() {
    static const FuzzInputFile file;
    return file.path;
}

// True for input that the text readers refuse as UTF-16.
inline bool IsUtf16Input(const uint8_t* data, size_t size) {
    return !Utf16Refusal(std::string_view(reinterpret_cast<const char*>(data), size), "").empty();
}

inline const std::string& WriteFuzzInput(const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(FuzzInputPath().c_str(), "wb");
    if (!f) __builtin_trap();
    if (size && std::fwrite(data, 1, size, f) != size) __builtin_trap();
    std::fclose(f);
    return FuzzInputPath();
}
