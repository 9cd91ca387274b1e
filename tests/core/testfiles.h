// Files that the tests write for the readers: named per test process, so that test runs side by
// side never share one, and removed when the process ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
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

// A fixture whose test has a folder of its own, with helpers to put and get files in it.
class FileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = TestPath(std::string(test->test_suite_name()) + "_" + test->name());
        std::filesystem::create_directories(dir);
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::string Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Get(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir;
};
