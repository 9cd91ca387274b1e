// Writes a synthetic CGH matrix file for the benchmarks: gen_cgm PROBES HYBRIDISATIONS OUT.cgm
#include "cghmatrixfile.h"
#include "synthetic_cgh.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROBES HYBRIDISATIONS OUT.cgm\n", argv[0]);
        return 2;
    }
    const int probes = std::atoi(argv[1]);
    const int hnum = std::atoi(argv[2]);
    if (probes < 1 || hnum < 1 || hnum > kMaxHybridisations) {
        std::fprintf(stderr, "probes must be >= 1 and hybridisations 1..50\n");
        return 2;
    }
    auto data = std::make_unique<tCGH_DataSet>();
    synthetic::Fill(*data, probes, hnum, {}, 0.3, "bench_");
    std::string error;
    if (!WriteCGHMatrix(*data, argv[3], nullptr, nullptr, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
