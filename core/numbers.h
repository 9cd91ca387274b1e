// Locale-independent number reading, writing and rounding for files and reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Nearest whole number, halves to even; NaN gives 0 and values beyond int32 clamp to its range.
int RoundToInt(double v);

// The value of the valid beginning of s: leading blanks, sign, digits, "." fraction, exponent.
// Returns 0 when no number begins s ("nan", "NA", "inf" included). `end`, when given, receives
// the number of characters used (0 when none).
double ParseLenientFloat(std::string_view s, size_t* end = nullptr);

// v as a single, held within the largest finite single: no value gives an infinity (NaN stays).
float ClampToSingle(double v);

// True when the number that begins s is positive but below the smallest double, which
// ParseLenientFloat reads as 0 ("1e-400"; not "0", "-1e-400" or text).
bool IsBelowDoubleRange(std::string_view s);

// `text`, which holds one number, with its commas made points: a decimal comma then reads as
// the point does, whatever the locale ("0,05" is 0.05).
std::string WithDecimalPoint(std::string_view text);

// ParseLenientFloat(s) as a single held within the singles' range ("1e39" gives 3.4e38).
float ParseLenientSingle(std::string_view s);

// The value of the leading blanks, sign and digits of s, 0 when there are none; clamped to int32.
int32_t ParseLenientInt(std::string_view s, size_t* end = nullptr);

// True when s, less surrounding blanks, is a whole decimal integer that fits int32.
bool ParseStrictInt(std::string_view s, int32_t& out);

// ParseStrictInt that tells why it failed: a whole number beyond int32 is OutOfRange.
enum class StrictInt { Whole, NoWholeNumber, OutOfRange };
StrictInt ReadStrictInt(std::string_view s, int32_t& out);

// True when s, less surrounding blanks, is one finite decimal number with "." (sign, digits,
// fraction, exponent); "nan", "inf" and values beyond double range ("1e400") are none.
bool ParseStrictFloat(std::string_view s, double& out);

// v with `decimals` digits after "." (no thousands separators, "-" for negatives); an exact half
// rounds away from zero (0.125 gives "0.13") and a value that rounds to zero has no sign.
std::string FormatFixed(double v, int decimals);

// FormatFixed right-aligned in a field of `width` characters.
std::string FormatFixedWidth(double v, int width, int decimals);

// v with up to 15 significant digits, trailing zeros dropped ("0.5", "248956416", "1e+16").
std::string FormatGeneral(double v);
