// Any file handed to the CGH matrix reader: loaded or refused, never a crash or a huge allocation.
#include "cghmatrixfile.h"
#include "fuzz_input_file.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto set = std::make_unique<tCGH_DataSet>();
    std::string error;
    const int hnum = set->HNum;
    if (!ReadCGHMatrix(*set, WriteFuzzInput(data, size), nullptr, nullptr, error) &&
        (error.empty() || set->HNum != hnum))
        __builtin_trap(); // a failure always says why and changes nothing
    return 0;
}
