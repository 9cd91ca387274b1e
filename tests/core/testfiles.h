// Files that the tests write for the readers: named per test process, so that test runs side by
// side never share one, and removed when the process ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

// A path of this test process in the temporary folder; removed (with its contents) at exit.
inline std::string TestPath(const std::string& name) {
    static struct Made {
        std::vector<std::filesystem::path> paths;
        ~Made() {
            std::error_code ignored;
            for (const auto& p : paths) std::filesystem::remove_all(p, ignored);
        }
    } made;
    const auto path =
        std::filesystem::temp_directory_path() / ("qb_" + std::to_string(::getpid()) + "_" + name);
    made.paths.push_back(path);
    return path.string();
}

// Writes `bytes` to TestPath(name) and returns the path.
inline std::string WriteTestFile(const std::string& name, const std::string& bytes) {
    const std::string path = TestPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}
