// Writes a synthetic feature-extraction file: gen_feature_file OUT [PROBES] [SEED]
#include "feature_file_writer.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT [PROBES=1000000] [SEED=1]\n", argv[0]);
        return 2;
    }
    const int64_t probes = argc > 2 ? std::stoll(argv[2]) : 1000000;
    const uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::stoul(argv[3])) : 1;
    FeatureFileSummary summary;
    if (!WriteFeatureFile(argv[1], probes, seed, summary)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::fputs((std::string(argv[1]) + ": " + std::to_string(summary.rows) + " rows, " +
                std::to_string(summary.probeRows) + " probe rows, " +
                std::to_string(summary.bytes) + " bytes\n")
                   .c_str(),
               stdout);
    return 0;
}
