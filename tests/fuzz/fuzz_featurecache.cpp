// Any file read as a gene-feature cache: loaded, ignored or refused, never a crash.
#include "fuzz_input_file.h"
#include "genefeatures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tFList list(2);
    std::string error;
    const auto status = ReadFeatureCache(WriteFuzzInput(data, size), list, 1, nullptr, error);
    if (status == FeatureCacheStatus::Unreadable && list.size() != 2) __builtin_trap();
    return 0;
}
