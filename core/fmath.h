// Double-precision numeric library: powers, base-2 logarithm, the gamma function and the density
// of the F distribution. No routine raises: each returns a fixed value at singularities and
// overflows and reports its outcome in MathError.
#pragma once

#include <bit>
#include <cstdint>

// Outcome of the last routine that met a special case; 0 at program start.
extern int32_t MathError;
constexpr int32_t kMathOk = 0;
constexpr int32_t kMathDomain = -1;      // argument outside the domain (e.g. negative)
constexpr int32_t kMathSingularity = -2; // pole (e.g. zero argument)
constexpr int32_t kMathOverflow = -3;
constexpr int32_t kMathUnderflow = -4;

// BIG: 1.797693134862315e308 (bits 7FEFFFFFFFFFFFFB), returned for singularities and overflows.
constexpr double kMathBig = std::bit_cast<double>(0x7FEFFFFFFFFFFFFBull);

// Stores code in MathError; returns BIG for singularity and overflow, 0 otherwise.
double SetMathError(int32_t code);

// log2 x (clears MathError); -BIG with singularity for 0, -0.0 with domain error for x < 0.
double Log2D(double x);
// x to the power y; BIG with singularity for 0 to a negative power, 0 with domain error for a
// negative base and a fractional power, BIG on overflow, 0 with underflow.
double PowerD(double x, double y);
// x to the whole power n; BIG with singularity for 0 to a negative power, BIG on overflow.
double IntPowerD(double x, int32_t n);
// Horner's rule over degree + 1 coefficients, the highest power first.
long double PolyEval(long double x, const double* coefficients, int32_t degree);

// Sign of gamma(x): +1 for x > 0, otherwise +1 when the whole part of |x| is odd, -1 when even.
int32_t GammaSign(double x);
// Stirling's series for gamma(x), x > 13 (overflows to infinity beyond the long double range).
long double StirlingGamma(long double x);
// z / (x * S(x)) for |x| <= 1/32, the small-argument gamma; BIG with singularity for x = 0.
long double GammaSmall(long double z, long double x);
// gamma(x) (clears MathError); sign x BIG with singularity at 0 and the negative whole numbers,
// BIG with overflow above 171.624376956302.
double GammaD(double x);

// Density of the F distribution with n1 and n2 degrees of freedom at x; 1.0 for x <= 0.0001 or
// NaN; 0 with domain error when n1 or n2 is below 1; 0 for infinite x.
double FDensity(int32_t n1, int32_t n2, double x);
