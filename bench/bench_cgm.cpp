// Read and write speed of the CGH matrix file and the memory a load and a reload take:
//   bench_cgm IN.cgm OUT.cgm [all|read|reload|write]
// read: one load into an empty data set; reload: that load, then a second one replacing the full
// data set; write: a load, then OUT written (synced to disk); all (the default): the three in one
// run. The peak RSS printed is the process's so far, so run one step per process (or under
// /usr/bin/time -f %M) to see the peak of each. Make IN with gen_cgm PROBES HYBRIDISATIONS IN.cgm,
// and time `dd` and numpy.fromfile on the same bytes to compare.
#include "cghmatrixfile.h"

#include <chrono>
#include <cstdio>
#include <cstring>
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

bool Load(tCGH_DataSet& data, const char* file, const char* what, double bytes) {
    const auto t = std::chrono::steady_clock::now();
    const auto load = LoadCGHMatrixDataSet(data, file, nullptr);
    if (!load.ok) {
        std::fprintf(stderr, "%s\n", load.error.c_str());
        return false;
    }
    Line(what, bytes, Seconds(t));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const char* step = argc == 4 ? argv[3] : "all";
    const bool all = std::strcmp(step, "all") == 0;
    if ((argc != 3 && argc != 4) ||
        (!all && std::strcmp(step, "read") != 0 && std::strcmp(step, "reload") != 0 &&
         std::strcmp(step, "write") != 0)) {
        std::fprintf(stderr, "usage: %s IN.cgm OUT.cgm [all|read|reload|write]\n", argv[0]);
        return 2;
    }
    const double bytes = double(std::filesystem::file_size(argv[1]));
    std::printf("%s: %.3f GB\n", argv[1], bytes / 1e9);
    auto data = std::make_unique<tCGH_DataSet>();
    ClearCGHDataSet(*data);

    if (!Load(*data, argv[1], "read into an empty set", bytes)) return 1;
    if ((all || std::strcmp(step, "reload") == 0) &&
        !Load(*data, argv[1], "load replacing a full set", bytes))
        return 1;
    if (all || std::strcmp(step, "write") == 0) {
        const auto t = std::chrono::steady_clock::now();
        std::string error;
        if (!WriteCGHMatrix(*data, argv[2], nullptr, nullptr, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        Line("write (synced to disk)", double(std::filesystem::file_size(argv[2])), Seconds(t));
    }
    return 0;
}
