#include "statpack.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// P(T > t) for Student's t with df degrees of freedom, by Simpson's rule over the density from 0
// to t: independent of the closed series under test.
double TailByIntegration(int df, double t) {
    const long double nu = df;
    const long double norm = std::exp(std::lgamma((nu + 1) / 2) - std::lgamma(nu / 2)) /
                             std::sqrt(nu * 3.14159265358979323846L);
    auto density = [&](long double x) { return norm * std::pow(1 + x * x / nu, -(nu + 1) / 2); };
    const int steps = 200000; // even
    const long double h = t / steps;
    long double sum = density(0) + density(t);
    for (int i = 1; i < steps; ++i) sum += density(i * h) * (i % 2 == 1 ? 4 : 2);
    return static_cast<double>(0.5L - sum * h / 3);
}

TEST(StudentT, TwoSidedTailAtPublishedCriticalValuesIsFivePercent) {
    // t(0.975; df) from the standard tables.
    const struct {
        double df, t;
    } table[] = {{1, 12.706}, {2, 4.303}, {5, 2.571}, {10, 2.228}, {30, 2.042}, {120, 1.980}};
    for (const auto& row : table) {
        EXPECT_NEAR(StudentTail(row.df, row.t), 0.05, 1e-3) << "df " << row.df;
        EXPECT_NEAR(StudentPValue(row.df, -row.t), 0.025, 5e-4) << "df " << row.df;
    }
}

TEST(StudentT, OneSidedPMatchesClosedFormsForOneAndTwoDegrees) {
    EXPECT_DOUBLE_EQ(StudentPValue(1, 1), 0.25);
    EXPECT_DOUBLE_EQ(StudentPValue(2, 0), 0.5);
    for (double t : {0.1, 0.7, 1.0, 3.0, 12.0, 150.0, 1000.0}) {
        // Written so that large t loses nothing to cancellation.
        const double df1 = std::atan(1 / t) / 3.14159265358979323846;
        const double root = std::sqrt(2 + t * t);
        const double df2 = 1 / (root * (root + t));
        EXPECT_NEAR(StudentPValue(1, t), df1, df1 * 1e-6) << t;
        EXPECT_NEAR(StudentPValue(2, t), df2, df2 * 1e-6) << t;
        EXPECT_DOUBLE_EQ(StudentPValue(2, -t), StudentPValue(2, t));
    }
}

TEST(StudentT, OneSidedPMatchesIntegratedDensity) {
    const struct {
        int df;
        double t;
    } cases[] = {{3, 1.5},  {4, 0.3},    {5, 2.0},  {7, 0.5},
                 {10, 3.0}, {17, 1.519}, {24, 1.0}, {30, 4.0}};
    for (const auto& c : cases) {
        const double expected = TailByIntegration(c.df, c.t);
        EXPECT_NEAR(StudentPValue(c.df, c.t), expected, expected * 1e-6) << c.df << " " << c.t;
    }
}

TEST(StudentT, StaysWithinZeroAndOneForLargeT) {
    // Unclamped, the series dips a few ulps below 0 for many of these.
    for (int df = 1; df <= 60; ++df) {
        for (double t = 1; t < 1e8; t *= 1.7) {
            const double p = StudentTail(df, t);
            ASSERT_GE(p, 0.0) << df << " " << t;
            ASSERT_LE(p, 1.0) << df << " " << t;
        }
    }
    EXPECT_EQ(StudentTail(10, NAN), 1.0);
    EXPECT_EQ(StudentTail(NAN, 2), 1.0);
    // Huge degrees of freedom finish and approach the normal tail, 2 (1 - Phi(2)).
    EXPECT_NEAR(StudentTail(INFINITY, 2), 0.0455003, 1e-6);
    EXPECT_NEAR(StudentTail(1e15, 2), 0.0455003, 1e-6);
}

TEST(WelchTTest, EqualMeansGiveTZeroAndPOne) {
    float t = -1, p = -1, df = -1;
    WelchTTest(1, t, p, 8, 2.5f, 1, 6, 2.5f, 3, df);
    EXPECT_EQ(t, 0.0f);
    EXPECT_EQ(p, 1.0f);
}

TEST(WelchTTest, OneSampleUseTestsMeanAgainstZero) {
    float t, p, df;
    WelchTTest(1, t, p, 9, 1.5f, 2, 0, 0, 0, df);
    EXPECT_EQ(df, 7.0f);
    EXPECT_FLOAT_EQ(t, 1.5f / std::sqrt(4.0f / 9));
    EXPECT_FLOAT_EQ(p, static_cast<float>(StudentPValue(7, t)));
}

TEST(WelchTTest, UsesWelchSatterthwaiteDegreesRoundedUp) {
    float t, p, df;
    // a = 0.1, b = 1/3: (a + b)^2 / (a^2 / 9 + b^2 / 11) = 16.75 -> 17.
    WelchTTest(1, t, p, 10, 5, 1, 12, 4, 2, df);
    EXPECT_EQ(df, 17.0f);
    EXPECT_NEAR(t, 1 / std::sqrt(0.1 + 1.0 / 3), 1e-6);
    EXPECT_NEAR(p, TailByIntegration(17, t), 1e-6);
    // Groups of 2 or fewer keep n1 + n2 - 2.
    WelchTTest(1, t, p, 2, 5, 1, 12, 4, 2, df);
    EXPECT_EQ(df, 12.0f);
    // No spread at all: t is the plain difference and the degrees fall back to 1.
    WelchTTest(1, t, p, 5, 3, 0, 5, 1, 0, df);
    EXPECT_EQ(df, 1.0f);
    EXPECT_EQ(t, 2.0f);
}

TEST(WelchTTest, ScalesByKAndIgnoresANonPositiveK) {
    float t1, p1, df1, t4, p4, df4, t0, p0, df0;
    WelchTTest(1, t1, p1, 10, 5, 1, 12, 4, 2, df1);
    WelchTTest(4, t4, p4, 10, 5, 1, 12, 4, 2, df4);
    WelchTTest(0, t0, p0, 10, 5, 1, 12, 4, 2, df0);
    EXPECT_FLOAT_EQ(t4, t1 / 2); // means / 4 over deviations / 2
    EXPECT_EQ(df4, df1);
    EXPECT_EQ(t0, t1);
    EXPECT_EQ(p0, p1);
}

} // namespace
