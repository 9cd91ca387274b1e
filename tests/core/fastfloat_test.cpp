#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

// Texts of every form a matrix cell takes: fixed and scientific, short and long, signs, leading
// and trailing zeros, exponents from tiny to huge.
std::string RandomNumberText(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> kind(0, 3);
    char buf[64];
    switch (kind(rng)) {
    case 0: { // what a program writes: a double in some format and precision
        const double v = std::ldexp(std::uniform_real_distribution<double>(-1, 1)(rng),
                                    std::uniform_int_distribution<int>(-140, 140)(rng));
        const int precision = std::uniform_int_distribution<int>(1, 20)(rng);
        const auto fmt = rng() % 2 ? std::chars_format::scientific : std::chars_format::general;
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, v, fmt, precision).ptr);
    }
    case 1: { // a float's shortest form
        const float v = std::ldexp(std::uniform_real_distribution<float>(-1, 1)(rng),
                                   std::uniform_int_distribution<int>(-120, 120)(rng));
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    }
    default: { // random digits with a point and maybe an exponent
        std::string s = rng() % 2 ? "-" : "";
        const int digits = std::uniform_int_distribution<int>(1, 24)(rng);
        const int point = std::uniform_int_distribution<int>(0, digits)(rng);
        for (int i = 0; i < digits; ++i) {
            if (i == point) s += '.';
            s += static_cast<char>('0' + rng() % 10);
        }
        if (rng() % 3 == 0)
            s += "e" + std::to_string(std::uniform_int_distribution<int>(-45, 45)(rng));
        return s;
    }
    }
}

int64_t UlpDistance(float a, float b) {
    // Ordered integer images of the floats; their difference counts the floats between them.
    auto image = [](float f) {
        int32_t i;
        std::memcpy(&i, &f, sizeof i);
        return i < 0 ? static_cast<int64_t>(std::numeric_limits<int32_t>::min()) - i
                     : static_cast<int64_t>(i);
    };
    return std::llabs(image(a) - image(b));
}

TEST(ParseLenientSingle, AgreesWithTheLibraryOnManyRandomNumbers) {
    std::mt19937_64 rng(20261208);
    int compared = 0;
    for (int i = 0; i < 300000; ++i) {
        const std::string s = RandomNumberText(rng);
        const float fast = ParseLenientSingle(s);
        // The very value of the lenient double reader, rounded to single.
        const double lenient = ParseLenientFloat(s);
        if (std::fabs(lenient) <= std::numeric_limits<float>::max()) {
            ASSERT_EQ(fast, static_cast<float>(lenient)) << s;
        }
        float library = 0;
        const auto r = std::from_chars(s.data(), s.data() + s.size(), library);
        if (r.ec != std::errc() || r.ptr != s.data() + s.size()) continue; // out of float range
        ASSERT_LE(UlpDistance(fast, library), 1) << s;
        ++compared;
    }
    EXPECT_GT(compared, 250000);
}

TEST(ParseLenientSingle, ReadsTheValidBeginningAndTreatsOtherTextAsZero) {
    EXPECT_EQ(ParseLenientSingle("1.5"), 1.5f);
    EXPECT_EQ(ParseLenientSingle("  -2.25e1xyz"), -22.5f);
    EXPECT_EQ(ParseLenientSingle("+.5"), 0.5f);
    EXPECT_EQ(ParseLenientSingle("1,5"), 1.0f);
    EXPECT_EQ(ParseLenientSingle("7e"), 7.0f);
    EXPECT_EQ(ParseLenientSingle("0.000000000000000000000000000000000000000001"), 1e-42f);
    for (const char* zero : {"", "NA", "NaN", "nan", "inf", "-", ".", "e5", "abc", "\"1\""})
        EXPECT_EQ(ParseLenientSingle(zero), 0.0f) << zero;
    EXPECT_EQ(ParseLenientSingle("1e39"), std::numeric_limits<float>::max());
    EXPECT_EQ(ParseLenientSingle("-1e400"), -std::numeric_limits<float>::max());
    EXPECT_EQ(ParseLenientSingle("1e-400"), 0.0f);
    EXPECT_EQ(ParseLenientSingle("123456789012345678901234567890"), 1.2345679e29f);
}

} // namespace
