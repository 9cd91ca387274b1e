// Loads a feature-extraction file into one slot and prints the time and the peak memory:
// bench_feature_load [FILE]. Without FILE a 1,000,000-probe file is generated in /tmp first.
#include "feature_file_writer.h"
#include "featureextraction.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace {
long PeakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}
} // namespace

int main(int argc, char** argv) {
    std::string file = argc > 1 ? argv[1] : "/tmp/qb_bench_features_1m.txt";
    if (argc < 2) {
        FeatureFileSummary summary;
        if (!WriteFeatureFile(file, 1000000, 1, summary)) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            return 1;
        }
    }
    auto data = std::make_unique<tCGH_DataSet>();
    const long before = PeakKb();
    data->Hyb[1].FileName = file;
    std::string error;
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = LoadAgilentFeatureFile(*data, 1, nullptr, nullptr, error);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!ok) {
        std::fprintf(stderr, "load failed: %s\n", error.c_str());
        return 1;
    }
    long probes = 0;
    for (int c = 1; c <= kChromosomes; ++c) probes += data->Hyb[1].Chr[c].Count();
    std::fputs(("file " + file + "\nprobes " + std::to_string(probes) + "\nload " +
                std::to_string(s) + " s\npeak RSS " + std::to_string(PeakKb() / 1024) +
                " MB (before load " + std::to_string(before / 1024) + " MB)\n")
                   .c_str(),
               stdout);
    return 0;
}
