// Any file handed to the profile reader: loaded or refused with a reason, never a crash; what
// loads is at most as many finite values as there are channels.
#include "fuzz_input_file.h"
#include "profilefile.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int32_t channels : {0, 3, 1000}) {
        ProfileFileData out;
        std::string error;
        if (!ReadProfileFile(WriteFuzzInput(data, size), channels, out, error)) {
            if (error.empty() || out.Count != 0 || !out.Values.empty()) __builtin_trap();
            continue;
        }
        if (out.Count < 0 || out.Values.size() > size_t(channels)) __builtin_trap();
        for (float v : out.Values)
            if (!std::isfinite(v)) __builtin_trap();
    }
    return 0;
}
