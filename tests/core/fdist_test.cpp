// p-values against references computed independently at 50 digits (the regularized incomplete
// beta function of an arbitrary-precision library).
#include "fdist.h"
#include "statpack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct FReference {
    double f;
    int d1, d2;
    double p;
};

struct TReference {
    double t, df, p;
};

TEST(PValueReference, FUpperTailMatchesReference) {
    const FReference cases[] = {
        {1.0, 2, 3, 0.46475800154489003},     {0.01, 2, 3, 0.99008269001090378},
        {3.5, 2, 12, 0.063469615969142973},   {25, 4, 40, 2.0087451938104471e-10},
        {7.2, 3, 1000, 8.774888758086594e-5}, {2.2, 9, 9990, 0.019271179793427601},
        {0.3, 5, 7, 0.89815576432788467},     {12, 1, 1, 0.17891237502206684},
        {4.0, 2, 1, 0.33333333333333333},     {0.5, 9, 1000, 0.87510521019113079},
        {18.5, 2, 47, 1.1850493571615126e-6}, {120, 3, 8, 5.448272884884571e-7},
        {7, 2, 3, 0.07413247503677699},       {50, 9, 90, 3.2146296109009188e-31},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(FUpperTail(c.f, c.d1, c.d2), c.p, 1e-6 * c.p)
            << "F=" << c.f << " d1=" << c.d1 << " d2=" << c.d2;
}

TEST(PValueReference, FUpperTailEdges) {
    EXPECT_EQ(FUpperTail(0.0, 2, 3), 1.0);
    EXPECT_EQ(FUpperTail(-1.0, 2, 3), 1.0);
    EXPECT_EQ(FUpperTail(std::numeric_limits<double>::quiet_NaN(), 2, 3), 1.0);
    EXPECT_EQ(FUpperTail(std::numeric_limits<double>::infinity(), 2, 3), 0.0);
    EXPECT_EQ(FUpperTail(5.0, 2, 0), 1.0); // no within-group freedom: not testable
    EXPECT_EQ(FUpperTail(5.0, 0, 4), 1.0);
    EXPECT_GE(FUpperTail(1e300, 2, 3), 0.0);
    // Monotone in f.
    double last = 1.0;
    for (double f = 0.01; f < 1000; f *= 1.5) {
        const double p = FUpperTail(f, 3, 20);
        EXPECT_LE(p, last);
        last = p;
    }
}

// The one-sided Student p-values the t-tests store.
TEST(PValueReference, StudentPValueMatchesReference) {
    const TReference cases[] = {
        {1, 1, 0.25},
        {4, 3, 0.014004228005073083},
        {4, 2, 0.028595479208968317},
        {0.5, 7, 0.31620356784464211},
        {2.5, 10, 0.015723422118304402},
        {3, 23, 0.0031951656629588575},
        {6.5, 30, 1.7390235439860113e-7},
        {8, 48, 1.1010523066904436e-10},
        {1.5, 2, 0.13619656244550054},
        {14, 13, 1.6118267986595615e-9},
        {0.05, 60, 0.48014423358688035},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(StudentPValue(c.df, c.t), c.p, 1e-6 * c.p) << "t=" << c.t << " df=" << c.df;
        EXPECT_NEAR(StudentPValue(c.df, -c.t), c.p, 1e-6 * c.p);
    }
}

} // namespace
