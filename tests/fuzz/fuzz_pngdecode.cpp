// Feeds arbitrary bytes to the PNG decoder (with a smaller size limit, so that the fuzzer's
// memory stays bounded).
#include "pngdecode.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PngPicture picture;
    std::string error;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (DecodePng(bytes, picture, error, int64_t(1) << 22)) {
        if (picture.Width < 1 || picture.Height < 1 || !picture.Pixels) std::abort();
        const size_t n = size_t(picture.Width) * size_t(picture.Height);
        for (size_t i = 0; i < n; ++i)
            if ((picture.Pixels[i] >> 24) != 0xFF) std::abort();
    } else if (error.empty() || picture.Pixels) {
        std::abort();
    }
    return 0;
}
