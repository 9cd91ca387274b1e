// Upper tail of the F distribution, through the regularized incomplete beta function.
#pragma once

#include <cstdint>

// Probability that an F(d1, d2) variable exceeds f: 1 for f <= 0 or NaN, 0 for infinite f,
// 1 when d1 or d2 is below 1 (no test possible). Thread-safe; accurate to about 1e-12 relative.
double FUpperTail(double f, int32_t d1, int32_t d2);
