#include "numbers.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(RoundToInt, HalvesGoToEvenAndNaNIsZero) {
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(2.6), 3);
    EXPECT_EQ(RoundToInt(std::nan("")), 0);
    EXPECT_EQ(RoundToInt(1e30), 2147483647);
    EXPECT_EQ(RoundToInt(-1e30), -2147483647 - 1);
}

TEST(ParseLenientFloat, ReadsTheValidBeginning) {
    EXPECT_DOUBLE_EQ(ParseLenientFloat("  -1.25e2xyz"), -125.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("+3"), 3.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("7e"), 7.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("nan"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("NA"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("inf"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat(""), 0.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("-"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLenientFloat("1e999"), std::numeric_limits<double>::max());
    size_t end = 99;
    ParseLenientFloat("x", &end);
    EXPECT_EQ(end, 0u);
    ParseLenientFloat(" 12.5;", &end);
    EXPECT_EQ(end, 5u);
}

TEST(ParseLenientInt, ReadsLeadingDigits) {
    EXPECT_EQ(ParseLenientInt(" 42abc"), 42);
    EXPECT_EQ(ParseLenientInt("-7"), -7);
    EXPECT_EQ(ParseLenientInt("x1"), 0);
    EXPECT_EQ(ParseLenientInt("99999999999999"), 2147483647);
    int32_t v = 0;
    EXPECT_TRUE(ParseStrictInt(" 12 ", v));
    EXPECT_EQ(v, 12);
    EXPECT_FALSE(ParseStrictInt("12a", v));
    EXPECT_FALSE(ParseStrictInt("", v));
}

TEST(ParseStrictFloat, TakesOneFiniteDecimalNumberOnly) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    for (const Case& c :
         {Case{" 1.5 ", true, 1.5}, Case{"-2e3", true, -2000.0}, Case{"+.25", true, 0.25},
          Case{"7", true, 7.0}, Case{"1,5", false, 0}, Case{"nan", false, 0}, Case{"inf", false, 0},
          Case{"-inf", false, 0}, Case{"1e400", false, 0}, Case{"1e", false, 0}, Case{"", false, 0},
          Case{".", false, 0}, Case{"1.5x", false, 0}, Case{"- 1", false, 0}}) {
        double v = -99;
        EXPECT_EQ(ParseStrictFloat(c.text, v), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(v, c.ok ? c.value : -99) << c.text;
    }
}

TEST(FormatFixed, RoundsHalvesAwayFromZeroAndDropsTheSignOfZero) {
    struct Case {
        double v;
        int decimals;
        const char* text;
    };
    for (const Case& c : {Case{0.125, 2, "0.13"}, Case{-0.125, 2, "-0.13"}, Case{2.5, 0, "3"},
                          Case{0.375, 2, "0.38"}, Case{1.005, 2, "1.00"}, Case{0.5, 3, "0.500"},
                          Case{-0.0001, 3, "0.000"}, Case{-0.0, 2, "0.00"}, Case{-0.4, 0, "0"},
                          Case{-1.5, 0, "-2"}, Case{1e20, 1, "100000000000000000000.0"}})
        EXPECT_EQ(FormatFixed(c.v, c.decimals), c.text) << c.v << " " << c.decimals;
}

TEST(Numbers, IgnoreTheUsersLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "scripts/setup-deps.sh installs it";
    EXPECT_DOUBLE_EQ(ParseLenientFloat("1.5"), 1.5);
    EXPECT_EQ(FormatFixed(1.5, 2), "1.50");
    EXPECT_EQ(FormatFixedWidth(2.5, 10, 4), "    2.5000");
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
