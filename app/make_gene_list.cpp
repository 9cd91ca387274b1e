// Turns the shipped gene-feature text into the feature cache that the program loads at start:
// quorbel-make-gene-list TEXT CACHE. Run by the build.
#include "genefeatures.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s GENE_TEXT_FILE FEATURE_CACHE\n", argv[0]);
        return 2;
    }
    tFList features;
    MemoryLog log;
    std::string error;
    if (!ReadGeneFeatureText(argv[1], features, &log, error) ||
        !WriteFeatureCache(argv[2], features, 1, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (FeatureCount(features) == 0) {
        std::fprintf(stderr, "%s holds no gene features\n", argv[1]);
        return 1;
    }
    return 0;
}
