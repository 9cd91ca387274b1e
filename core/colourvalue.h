// Colours as the program stores them: 0x00BBGGRR values.
#pragma once

#include <cstdint>

using TColor = uint32_t;

inline TColor RGBColor(int r, int g, int b) {
    return static_cast<TColor>(r & 0xFF) | (static_cast<TColor>(g & 0xFF) << 8) |
           (static_cast<TColor>(b & 0xFF) << 16);
}
