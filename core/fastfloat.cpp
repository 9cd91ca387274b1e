#include "fastfloat.h"

#include "numbers.h"

#include <cstdint>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Powers of ten that a double holds exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

float ClampToSingle(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax) return std::numeric_limits<float>::max();
    if (v < -kMax) return -std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

float ParseLenientSingle(std::string_view s) {
    // A mantissa below 2^53 and a power of ten up to 1e22 are both exact doubles, so one
    // multiplication or division rounds once: the correctly rounded double that from_chars gives.
    const char* p = s.data();
    const char* const end = p + s.size();
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    uint64_t mantissa = 0;
    int digits = 0;   // significant digits in the mantissa
    int exponent = 0; // power of ten applied to the mantissa
    bool any = false;
    for (; p < end && IsDigit(*p); ++p) {
        any = true;
        if (mantissa == 0 && *p == '0') continue;
        if (++digits > 18) return ClampToSingle(ParseLenientFloat(s));
        mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    }
    if (p < end && *p == '.') {
        for (++p; p < end && IsDigit(*p); ++p) {
            any = true;
            if (mantissa == 0 && *p == '0') {
                --exponent;
                continue;
            }
            if (++digits > 18) return ClampToSingle(ParseLenientFloat(s));
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
            --exponent;
        }
    }
    if (!any) return 0.0f;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool expNegative = false;
        if (q < end && (*q == '+' || *q == '-')) expNegative = *q++ == '-';
        if (q < end && IsDigit(*q)) {
            int e = 0;
            for (; q < end && IsDigit(*q); ++q) {
                if (e > 1000) return ClampToSingle(ParseLenientFloat(s));
                e = e * 10 + (*q - '0');
            }
            exponent += expNegative ? -e : e;
        }
    }
    double v = 0.0;
    if (mantissa != 0) {
        if (mantissa > (uint64_t{1} << 53) || exponent < -22 || exponent > 22)
            return ClampToSingle(ParseLenientFloat(s));
        v = static_cast<double>(mantissa);
        v = exponent < 0 ? v / kPow10[-exponent] : v * kPow10[exponent];
    }
    return ClampToSingle(negative ? -v : v);
}
