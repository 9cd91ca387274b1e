// NaN test and constant for missing values.
#pragma once

// True when all 11 exponent bits are set and the fraction is not zero (infinities are not NaN).
bool IsNaNDouble(double x);
// The quiet NaN with bit pattern 7FFFFFFFFFFFFFFF.
double NaNValue();
