// Files that the core tests write for the readers.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

// Writes `bytes` to a file of this test process in the temporary folder and returns its path;
// the files are removed when the process ends.
inline std::string WriteTestFile(const std::string& name, const std::string& bytes) {
    static struct Written {
        std::vector<std::filesystem::path> paths;
        ~Written() {
            std::error_code ignored;
            for (const auto& p : paths) std::filesystem::remove(p, ignored);
        }
    } written;
    const auto path =
        std::filesystem::temp_directory_path() / ("qb_" + std::to_string(::getpid()) + "_" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    written.paths.push_back(path);
    return path.string();
}
