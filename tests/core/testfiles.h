// Files that the core tests write for the readers.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// Writes `bytes` to a file of this test process in the temporary folder; returns its path.
inline std::string WriteTestFile(const std::string& name, const std::string& bytes) {
    const auto path =
        std::filesystem::temp_directory_path() / ("qb_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}
