// Times the CGH transforms and smoothers on 50 generated hybridisations of 1,000,000 probes each,
// spread over 24 chromosomes, and the resident memory the first and the second sign inversion of
// the fresh set add. Usage: bench_transforms [hybridisations] [probes per hybridisation]
// [threads, 0 = all]
#include "cghtransforms.h"
#include "parallel.h"
#include "records.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

void Generate(tCGH_DataSet& data, int hybridisations, int probes) {
    std::mt19937 rng(12345);
    std::normal_distribution<float> ratio(0.0f, 0.4f);
    for (int h = 1; h <= hybridisations; ++h) {
        tCGHHybridisation& hyb = data.Hyb[h];
        hyb.FileName = "generated" + std::to_string(h) + ".txt";
        hyb.Active = 1;
        for (int c = 1; c <= kChromosomes; ++c) {
            const int n = probes / kChromosomes + (c <= probes % kChromosomes ? 1 : 0);
            tCGHProbeArray& a = hyb.Chr[c];
            a.Resize(n + 2);
            a.SetCount(n);
            for (int i = 1; i <= n; ++i) {
                const float v = ratio(rng) + (i / 5000 % 7 == 3 ? 0.6f : 0.0f);
                a.Set(1, i, static_cast<float>(c));
                a.Set(2, i, static_cast<float>(i) * 1000.0f);
                a.Set(3, i, static_cast<float>(i) * 1000.0f + 60.0f);
                a.Set(4, i, v);
                a.Set(11, i, v);
                a.Set(17, i, 1.0f);
                a.Set(40, i, v);
            }
        }
    }
    data.HNum = hybridisations;
}

double Seconds(const std::function<void()>& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Time(const char* name, double limit, int runs, const std::function<void()>& f) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) best = std::min(best, Seconds(f));
    if (limit > 0)
        std::printf("%-36s %8.3f s (best of %d; target <= %.1f s: %s)\n", name, best, runs, limit,
                    best <= limit ? "met" : "MISSED");
    else
        std::printf("%-36s %8.3f s (best of %d)\n", name, best, runs);
}

// Resident memory of the process now (not its peak), in MiB; 0 where /proc is missing.
double ResidentMiB() {
    long pages = 0, resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// One call of f on the data as it is: its time and the resident memory it leaves behind.
void TimeOnce(const char* name, const std::function<void()>& f) {
    const double before = ResidentMiB();
    const double seconds = Seconds(f);
    std::printf("%-36s %8.3f s, resident memory %+8.1f MiB\n", name, seconds,
                ResidentMiB() - before);
}

} // namespace

int main(int argc, char** argv) {
    const int hybridisations = argc > 1 ? std::atoi(argv[1]) : 50;
    const int probes = argc > 2 ? std::atoi(argv[2]) : 1'000'000;
    SetThreadLimit(argc > 3 ? std::atoi(argv[3]) : 0);
    if (hybridisations < 1 || hybridisations > kMaxHybridisations || probes < kChromosomes) {
        std::fprintf(stderr, "usage: bench_transforms [1..50 hybridisations] [probes >= 24]\n");
        return 2;
    }
    auto data = std::make_unique<tCGH_DataSet>();
    std::printf("generating %d hybridisations x %d probes, %d threads ...\n", hybridisations,
                probes, ThreadLimit());
    Generate(*data, hybridisations, probes);

    // The second inversion brings the values back for the timings below.
    TimeOnce("InvertHybridisations first", [&] { InvertHybridisations(*data, nullptr); });
    TimeOnce("InvertHybridisations second", [&] { InvertHybridisations(*data, nullptr); });
    Time("ZTransformHybridisations", 0.3, 3, [&] { ZTransformHybridisations(*data, nullptr); });
    Time("SmoothCGHData width 35", 0.5, 3, [&] { SmoothCGHData(*data, 35, nullptr); });
    Time("ZTransformOligos", 0, 3, [&] { ZTransformOligos(*data, nullptr); });
    Time("Log10ToLog2", 0, 1, [&] { Log10ToLog2(*data, nullptr); });
    Time("RestoreRawCGHValues", 0, 3, [&] { RestoreRawCGHValues(*data, nullptr); });
    Time("WeightedSmoothCGHData kind 1 width 35", 0, 1,
         [&] { WeightedSmoothCGHData(*data, 0, 1, 35, nullptr); });
    Time("WeightedSmoothCGHData kind 3 width 35", 0, 1,
         [&] { WeightedSmoothCGHData(*data, 0, 3, 35, nullptr); });
    return 0;
}
