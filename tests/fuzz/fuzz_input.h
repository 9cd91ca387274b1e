// The fuzz input as a file, since the readers take file names.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

inline std::string FuzzInputFile(const uint8_t* data, size_t size, const char* extension) {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("qb_fuzz_" + std::to_string(::getpid()) + extension))
                                        .string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
