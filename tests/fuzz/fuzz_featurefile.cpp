// The feature-extraction reader on arbitrary files, with cancelling and layout refusal in play.
#include "featureextraction.h"
#include "fuzz_input_file.h"
#include "fuzz_progress.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto set = std::make_unique<tCGH_DataSet>();
    const uint8_t mode = size ? data[0] : 0;
    const int slot = 1 + mode % 3;
    if (mode & 0x10) // a fresh start now and then, so loads are not all refused
        for (auto& h : set->Hyb) h.FileName.clear();
    set->Hyb[slot].FileName = WriteFuzzInput(data, size);
    CancelAt progress((mode & 0x20) ? (mode >> 6) : -1);
    MemoryLog log;
    std::string error;
    const bool ok = LoadAgilentFeatureFile(*set, slot, &log, &progress, error);
    if (ok != error.empty()) __builtin_trap(); // success without error text, failure with one
    if (ok && set->Hyb[slot].Active != 1) __builtin_trap();
    return 0;
}
