#include "fmath.h"
#include "ieee754.h"

#include <bit>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

const double kBig = 1.797693134862315e308;

TEST(MathErrors, BigAndSetMathError) {
    EXPECT_EQ(std::bit_cast<uint64_t>(kMathBig), 0x7FEFFFFFFFFFFFFBull);
    EXPECT_EQ(kMathBig, kBig);
    EXPECT_EQ(SetMathError(kMathSingularity), kBig);
    EXPECT_EQ(SetMathError(kMathOverflow), kBig);
    EXPECT_EQ(MathError, kMathOverflow);
    EXPECT_EQ(SetMathError(kMathUnderflow), 0.0);
    EXPECT_EQ(SetMathError(kMathOk), 0.0);
    EXPECT_EQ(MathError, kMathOk);
}

TEST(Log2D, ValuesAndErrorCodes) {
    SetMathError(kMathUnderflow);
    EXPECT_EQ(Log2D(8), 3.0);
    EXPECT_EQ(MathError, kMathOk);
    EXPECT_NEAR(Log2D(10), 3.321928094887362, 1e-15);
    EXPECT_EQ(Log2D(0), -kBig);
    EXPECT_EQ(MathError, kMathSingularity);
    const double neg = Log2D(-1);
    EXPECT_EQ(neg, 0.0);
    EXPECT_TRUE(std::signbit(neg));
    EXPECT_EQ(MathError, kMathDomain);
}

TEST(Powers, SpecialCasesAndErrors) {
    SetMathError(kMathOk);
    EXPECT_EQ(PowerD(2, 10), 1024.0);
    EXPECT_EQ(PowerD(0, 0), 1.0);
    EXPECT_EQ(PowerD(0, 3.5), 0.0);
    EXPECT_EQ(PowerD(-3, 0), 1.0);
    EXPECT_EQ(PowerD(-3, 1), -3.0);
    EXPECT_EQ(PowerD(-2, 3), -8.0); // whole power of a negative base
    EXPECT_DOUBLE_EQ(PowerD(2, 0.5), std::sqrt(2.0));
    EXPECT_EQ(MathError, kMathOk);
    EXPECT_EQ(PowerD(0, -1), kBig);
    EXPECT_EQ(MathError, kMathSingularity);
    EXPECT_EQ(PowerD(-8, 1.0 / 3), 0.0);
    EXPECT_EQ(MathError, kMathDomain);
    EXPECT_EQ(PowerD(10, 400), kBig);
    EXPECT_EQ(MathError, kMathOverflow);
    EXPECT_EQ(PowerD(2, 1100.5), kBig);
    EXPECT_EQ(MathError, kMathOverflow);
    EXPECT_EQ(PowerD(2, -1100.5), 0.0);
    EXPECT_EQ(MathError, kMathUnderflow);

    SetMathError(kMathOk);
    EXPECT_EQ(IntPowerD(4, -2), 0.0625);
    EXPECT_EQ(IntPowerD(0.5, 3), 0.125);
    EXPECT_EQ(IntPowerD(0.5, -3), 8.0);
    EXPECT_EQ(IntPowerD(-10, 3), -1000.0);
    EXPECT_DOUBLE_EQ(IntPowerD(10, 308), 1e308);
    EXPECT_EQ(IntPowerD(1, -2147483647 - 1), 1.0); // |n| of the lowest int32
    EXPECT_EQ(MathError, kMathOk);
    EXPECT_EQ(IntPowerD(10, 309), kBig);
    EXPECT_EQ(MathError, kMathOverflow);
    // 2^1024 lies just beyond the doubles, whichever way it is reached.
    for (const auto& power : std::vector<std::function<double()>>{
             [] { return IntPowerD(2, 1024); }, [] { return IntPowerD(0.5, -1024); },
             [] { return PowerD(2, 1024); }}) {
        SetMathError(kMathOk);
        EXPECT_EQ(power(), kBig);
        EXPECT_EQ(MathError, kMathOverflow);
    }
    EXPECT_EQ(IntPowerD(0, -2), kBig);
    EXPECT_EQ(MathError, kMathSingularity);
}

TEST(Gamma, MatchesTgammaOnItsRegularDomain) {
    int checked = 0;
    for (double x = -165.97; x < 171.6; x += 0.0731) {
        const double expected = std::tgamma(x);
        ASSERT_NEAR(GammaD(x), expected, std::fabs(expected) * 1e-12) << x;
        ASSERT_EQ(MathError, kMathOk) << x;
        ++checked;
    }
    EXPECT_GT(checked, 4000);
    // Near the poles, around the small-argument and Stirling boundaries, and whole numbers.
    for (double x : {1e-300,    1e-9,       0.03125, -0.03125, 0.0313, -0.0313, -1e-7,
                     -0.999999, -1.000001,  -3.5,    -12.99,   -13.01, 12.99,   13.0,
                     13.01,     1024.0 / 7, 2.0,     3.0,      0.5,    171.62}) {
        const double expected = std::tgamma(x);
        EXPECT_NEAR(GammaD(x), expected, std::fabs(expected) * 1e-12) << x;
    }
    EXPECT_EQ(GammaD(5), 24.0);
    EXPECT_DOUBLE_EQ(GammaD(0.5), std::sqrt(3.14159265358979323846));
    // Stirling's fixed series beyond 1024 is reached through the reflection.
    EXPECT_EQ(GammaD(-1030.5), 0.0);
    EXPECT_EQ(MathError, kMathOk);
}

TEST(Gamma, PolesAndOverflowGiveBigWithTheirErrors) {
    EXPECT_EQ(GammaD(-1), kBig);
    EXPECT_EQ(MathError, kMathSingularity);
    EXPECT_EQ(GammaD(-2), -kBig);
    EXPECT_EQ(MathError, kMathSingularity);
    EXPECT_EQ(std::fabs(GammaD(0)), kBig);
    EXPECT_EQ(MathError, kMathSingularity);
    EXPECT_EQ(std::fabs(GammaD(-1e300)), kBig); // whole, far out
    EXPECT_EQ(MathError, kMathSingularity);
    EXPECT_EQ(GammaD(172), kBig);
    EXPECT_EQ(MathError, kMathOverflow);
    EXPECT_EQ(GammaD(171.6243769563021), kBig);
    EXPECT_EQ(MathError, kMathOverflow);
    EXPECT_LT(GammaD(171.624376956302), kBig);
    EXPECT_EQ(MathError, kMathOk);
    EXPECT_EQ(GammaSign(2.5), 1);
    EXPECT_EQ(GammaSign(-0.5), -1);
    EXPECT_EQ(GammaSign(-1.5), 1);
    EXPECT_EQ(GammaSign(-2.5), -1);
}

// The F density with n1 = 2 in closed form: (1 + 2x / n2)^-(n2 / 2 + 1).
double FDensityTwo(int n2, double x) {
    return std::exp(-(n2 / 2.0 + 1) * std::log1p(2 * x / n2));
}

// The F density from log-gamma in double precision.
double FDensityLog(int n1, int n2, double x) {
    const double a = n1 / 2.0, b = n2 / 2.0;
    return std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(a / b) +
                    (a - 1) * std::log(x) - (a + b) * std::log1p(a / b * x));
}

TEST(FDensity, RightForAnyDegreesOfFreedom) {
    EXPECT_EQ(FDensity(2, 10, 0.00005), 1.0);
    EXPECT_DOUBLE_EQ(FDensity(2, 2, 1), 0.25);
    EXPECT_NEAR(FDensity(2, 400, 1), 0.367, 1e-3);
    for (int n2 : {3, 10, 400, 5000, 1000000}) {
        for (double x : {0.01, 0.5, 1.0, 3.0}) {
            const double expected = FDensityTwo(n2, x);
            EXPECT_NEAR(FDensity(2, n2, x), expected, expected * 1e-12) << n2 << " " << x;
        }
    }
    const struct {
        int n1, n2;
    } pairs[] = {{5, 1000}, {1, 7}, {3, 400}, {50, 5000}, {1000, 1000}, {4000, 300}};
    for (const auto& p : pairs) {
        for (double x : {0.2, 0.9, 1.0, 1.1, 2.5}) {
            const double expected = FDensityLog(p.n1, p.n2, x);
            EXPECT_NEAR(FDensity(p.n1, p.n2, x), expected, expected * 1e-9)
                << p.n1 << " " << p.n2 << " " << x;
        }
    }
}

TEST(FDensity, IntegratesToOne) {
    // Simpson's rule over (0.0001, 30]; the piece below 0.0001 is about 1e-9.
    const int steps = 300000;
    const double lo = 0.0001, hi = 30, h = (hi - lo) / steps;
    double sum = FDensity(5, 1000, lo * 1.0000001) + FDensity(5, 1000, hi);
    for (int i = 1; i < steps; ++i) sum += FDensity(5, 1000, lo + i * h) * (i % 2 == 1 ? 4 : 2);
    EXPECT_NEAR(sum * h / 3, 1.0, 1e-6);
}

TEST(FDensity, DegenerateInputsGiveNeutralResults) {
    EXPECT_EQ(FDensity(2, 0, 1.5), 0.0);
    EXPECT_EQ(MathError, kMathDomain);
    EXPECT_EQ(FDensity(0, 5, 1.5), 0.0);
    EXPECT_EQ(FDensity(-3, -1, 1.5), 0.0);
    EXPECT_EQ(FDensity(2, 0, 0.00001), 1.0);
    EXPECT_EQ(FDensity(3, 5, std::numeric_limits<double>::quiet_NaN()), 1.0);
    EXPECT_EQ(FDensity(3, 5, std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_TRUE(std::isfinite(FDensity(2147483647, 2147483647, 1.0)));
}

TEST(IEEE754, NaNBitPatterns) {
    EXPECT_TRUE(IsNaNDouble(std::bit_cast<double>(0x7FF8000000000000ull)));
    EXPECT_TRUE(IsNaNDouble(std::bit_cast<double>(0x7FFFFFFFFFFFFFFFull)));
    EXPECT_TRUE(IsNaNDouble(std::bit_cast<double>(0xFFF0000000000001ull))); // signalling, negative
    EXPECT_FALSE(IsNaNDouble(std::bit_cast<double>(0x7FF0000000000000ull)));
    EXPECT_FALSE(IsNaNDouble(-std::numeric_limits<double>::infinity()));
    for (double x : {0.0, -0.0, 1.0, -2.5, kBig, 4.9e-324, std::numeric_limits<double>::max()}) {
        EXPECT_FALSE(IsNaNDouble(x)) << x;
    }
    EXPECT_EQ(std::bit_cast<uint64_t>(NaNValue()), 0x7FFFFFFFFFFFFFFFull);
    EXPECT_TRUE(IsNaNDouble(NaNValue()));
}

} // namespace
