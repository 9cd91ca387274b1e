// Any bytes handed to the FCS reader: decoded or refused with a reason, never a crash or a read
// outside the bytes.
#include "fcsreader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FcsData fcs;
    std::string error;
    const bool ok = DecodeFcs({reinterpret_cast<const char*>(data), size}, fcs, error);
    if (!ok && error.empty()) __builtin_trap(); // a refusal always says why
    if (ok && (fcs.Values[4].size() != size_t(fcs.Events) || int64_t(size) < fcs.Events * 10))
        __builtin_trap();
    if (!ok && fcs.Events != 0) __builtin_trap(); // a refusal hands out no values
    return 0;
}
