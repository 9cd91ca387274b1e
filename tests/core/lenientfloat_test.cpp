#include "numbers.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

double Reference(const std::string& s) {
    double v = 0;
    std::from_chars(s.data() + (s[0] == '-'), s.data() + s.size(), v);
    return s[0] == '-' ? -v : v;
}

// Short decimals take a shortcut; it must round exactly as the full conversion does.
TEST(ParseLenientFloat, ShortDecimalsRoundExactlyLikeTheFullConversion) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::ldexp(static_cast<double>(rng() >> 11), -53) *
                                 std::pow(10.0, static_cast<int>(rng() % 40) - 20);
        const double v = (rng() & 1) ? -magnitude : magnitude;
        char buf[64];
        const auto fmt = static_cast<int>(rng() % 6);
        const auto r =
            fmt == 0   ? std::to_chars(buf, buf + 64, v, std::chars_format::fixed, 3)
            : fmt == 1 ? std::to_chars(buf, buf + 64, v, std::chars_format::scientific, 5)
            : fmt == 2 ? std::to_chars(buf, buf + 64, v, std::chars_format::general, 7)
            : fmt == 3 ? std::to_chars(buf, buf + 64, v, std::chars_format::general, 15)
            : fmt == 4 ? std::to_chars(buf, buf + 64, v, std::chars_format::general, 17)
                       : std::to_chars(buf, buf + 64, v, std::chars_format::scientific, 2);
        const std::string s(buf, r.ptr);
        size_t end = 0;
        ASSERT_EQ(ParseLenientFloat(s, &end), Reference(s)) << s << " format " << fmt;
        ASSERT_EQ(end, s.size()) << s;
    }
    EXPECT_EQ(ParseLenientFloat("0.1"), 0.1);
    EXPECT_EQ(ParseLenientFloat("123456789012345e-22"), 123456789012345e-22);
    EXPECT_EQ(ParseLenientFloat("1e22"), 1e22);
    EXPECT_EQ(ParseLenientFloat("1e23"), 1e23);
    EXPECT_EQ(ParseLenientFloat("-0.5x"), -0.5);
    EXPECT_EQ(ParseLenientFloat("12.e"), 12.0);
}

} // namespace
