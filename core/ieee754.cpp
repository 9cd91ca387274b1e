#include "ieee754.h"

#include <bit>
#include <cstdint>

bool IsNaNDouble(double x) {
    const uint64_t bits = std::bit_cast<uint64_t>(x);
    constexpr uint64_t kExponent = 0x7FF0000000000000ull;
    constexpr uint64_t kFraction = 0x000FFFFFFFFFFFFFull;
    return (bits & kExponent) == kExponent && (bits & kFraction) != 0;
}

double NaNValue() {
    return std::bit_cast<double>(0x7FFFFFFFFFFFFFFFull);
}
