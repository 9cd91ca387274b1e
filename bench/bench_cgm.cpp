// Read and write speed of the CGH matrix file and the memory a reload takes:
//   bench_cgm IN.cgm OUT.cgm
// Reads IN twice (the second time as a load replacing a full data set, so the old and the new
// data set are held together), then writes OUT. Run `dd` on the same bytes to compare.
#include "cghmatrixfile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sys/resource.h>

namespace {

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double PeakGiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / (1024.0 * 1024.0); // ru_maxrss is in KiB
}

void Line(const char* what, double bytes, double seconds) {
    std::printf("%-28s %8.3f s  %7.2f GB/s  peak RSS %6.2f GiB\n", what, seconds,
                bytes / seconds / 1e9, PeakGiB());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.cgm OUT.cgm\n", argv[0]);
        return 2;
    }
    const double bytes = double(std::filesystem::file_size(argv[1]));
    std::printf("%s: %.3f GB\n", argv[1], bytes / 1e9);
    auto data = std::make_unique<tCGH_DataSet>();
    std::string error;

    auto t = std::chrono::steady_clock::now();
    if (!ReadCGHMatrix(*data, argv[1], nullptr, nullptr, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Line("read into an empty set", bytes, Seconds(t));

    t = std::chrono::steady_clock::now();
    const auto load = LoadCGHMatrixDataSet(*data, argv[1], nullptr);
    if (!load.ok) {
        std::fprintf(stderr, "%s\n", load.error.c_str());
        return 1;
    }
    Line("load replacing a full set", bytes, Seconds(t));

    t = std::chrono::steady_clock::now();
    if (!WriteCGHMatrix(*data, argv[2], nullptr, nullptr, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Line("write (synced to disk)", double(std::filesystem::file_size(argv[2])), Seconds(t));
    return 0;
}
