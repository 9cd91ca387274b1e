// Writes a synthetic DSB data file: gen_dsb_file OUT [LINES] [SEED]
#include "dsb_file_writer.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT [LINES=1000000] [SEED=1]\n", argv[0]);
        return 2;
    }
    const int64_t lines = argc > 2 ? std::stoll(argv[2]) : 1000000;
    const uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::stoul(argv[3])) : 1;
    if (!WriteDSBFile(argv[1], lines, seed)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
