// Fast reading of the single-precision values of large text matrices.
#pragma once

#include <string_view>

// The value of ParseLenientFloat(s) as a single, clamped to the largest finite single (so no
// text gives an infinity); "NA", "NaN" and other non-numbers give 0. Short decimal numbers,
// the common case, are converted without a library call and give the very same result.
float ParseLenientSingle(std::string_view s);

// v as a single, held within the finite singles (NaN stays NaN).
float ClampToSingle(double v);
