// Loads a feature-extraction file into HYBS slots and prints the time and the peak memory, then
// the peak after a z-transformation, after a group test of two halves and after loading all again
// over the loaded data, with the count of memory mappings:
// bench_feature_load [FILE|-] [HYBS]. Without FILE (or with -) a 1,000,000-probe file is
// generated in /tmp first.
#include "cghtransforms.h"
#include "feature_file_writer.h"
#include "featureextraction.h"
#include "grouptests.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace {
long PeakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}
// The process's memory mappings; the system caps them (vm.max_map_count).
long Mappings() {
    std::FILE* f = std::fopen("/proc/self/maps", "r");
    if (!f) return -1;
    long lines = 0;
    for (int ch; (ch = std::fgetc(f)) != EOF;) lines += ch == '\n';
    std::fclose(f);
    return lines;
}
} // namespace

int main(int argc, char** argv) {
    const bool generate = argc < 2 || std::string(argv[1]) == "-";
    const std::string file = generate ? "/tmp/qb_bench_features_1m.txt" : argv[1];
    const int hybs = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, kMaxHybridisations) : 1;
    if (generate) {
        FeatureFileSummary summary;
        if (!WriteFeatureFile(file, 1000000, 1, summary)) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            return 1;
        }
    }
    auto data = std::make_unique<tCGH_DataSet>();
    const long before = PeakKb();
    std::string error;
    const auto t0 = std::chrono::steady_clock::now();
    for (int h = 1; h <= hybs; ++h) {
        data->Hyb[h].FileName = file;
        data->HNum = h;
        if (!LoadAgilentFeatureFile(*data, h, nullptr, nullptr, error)) {
            std::fprintf(stderr, "load failed: %s\n", error.c_str());
            return 1;
        }
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    long probes = 0;
    for (int c = 1; c <= kChromosomes; ++c) probes += data->Hyb[1].Chr[c].Count();
    std::printf("file %s\nprobes %ld x %d hybridisations\nload %.3f s\n", file.c_str(), probes,
                hybs, s);
    std::printf("peak RSS loaded %ld MB (before load %ld MB)\n", PeakKb() / 1024, before / 1024);
    if (hybs < 2) return 0;
    ZTransformHybridisations(*data, nullptr);
    std::printf("peak RSS z-transformed %ld MB, %ld memory mappings\n", PeakKb() / 1024,
                Mappings());
    auto stat = std::make_unique<tStat>();
    stat->Alpha = 0.01f;
    stat->GroupCount = 2;
    for (int h = 1; h <= hybs; ++h)
        stat->GroupText[h <= hybs / 2 ? 1 : 2].append(std::to_string(h)).push_back(',');
    CGHGroupTest(*stat, *data);
    std::printf("peak RSS group test %ld MB\n", PeakKb() / 1024);
    for (int h = 1; h <= hybs; ++h)
        if (!LoadAgilentFeatureFile(*data, h, nullptr, nullptr, error)) return 1;
    ZTransformHybridisations(*data, nullptr);
    std::printf("peak RSS reloaded %ld MB, %ld memory mappings\n", PeakKb() / 1024, Mappings());
    return 0;
}
