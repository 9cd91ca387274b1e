// Any text read as a gene-feature file: every feature taken lies on chromosome 1..24.
#include "fuzz_input_file.h"
#include "genefeatures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tFList list;
    std::string error;
    if (!ReadGeneFeatureText(WriteFuzzInput(data, size), list, nullptr, error)) return 0;
    for (int i = 1; i <= FeatureCount(list); ++i)
        if (list[size_t(i)].Num[1] < 1 || list[size_t(i)].Num[1] > 24) __builtin_trap();
    return 0;
}
