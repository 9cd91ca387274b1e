// Single-precision power and logarithm helpers, file-name splitting, in-place sorting, descriptive
// statistics over 1-based float arrays, and the Student t p-value with the Welch two-sample test.
//
// Arrays are used from index 1; element 0 is never read. Every routine bounds its count by the
// span it is given (N is clamped to a.size() - 1), so a short array never reads past its end.
// Callers pass a std::vector<float> directly or std::span<float>(column, size) for a probe slot.
// Sums are accumulated in long double.
#pragma once

#include "parser.h" // CutToken and SplitQuoted are shared with the readers

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <string>

// exp(exponent * ln base); 3.3e38 (bits 7F7843B0) when base <= 0, on overflow or invalid input.
float PowerS(float base, float exponent);
// log2 x; 2.8000003e-39 (bits 001E7D43) for x <= 0 or NaN.
float Log2S(float x);
// ln x / ln base; 0 for x <= 0 or NaN, for a base of 1 or <= 0, and for both infinite.
float LogBaseS(float base, float x);

// The value PowerS returns when it cannot compute a power: 3.3e38.
constexpr float kPowerSFailure = std::bit_cast<float>(0x7F7843B0u);
// The value Log2S returns for non-positive input: 2.8000003e-39.
constexpr float kLog2SFailure = std::bit_cast<float>(0x001E7D43u);

// dir := path with its trailing separator ('/' or '\'), ext := extension with its dot,
// name := file name cut before the first occurrence of ext in it (the whole name when ext is
// empty).
void SplitFileName(const std::string& fileName, std::string& dir, std::string& name,
                   std::string& ext);

// A record of four singles sorted by one of its fields (the readers sort (start, index) pairs).
using tQuadRecord = std::array<float, 4>;

// Sorts a[lo..hi] in place, ascending when `ascending` is 1 and descending otherwise; equal keys
// keep their input order. The range is clamped to the array; nothing happens when it is empty.
void SortSingles(std::span<float> a, int32_t lo, int32_t hi, int32_t ascending);
// The same over whole records, compared by a[i][field]; nothing happens when field is not 0..3.
void SortQuadRecords(std::span<tQuadRecord> a, int32_t field, int32_t lo, int32_t hi,
                     int32_t ascending);

// Mean of a[1..n]: 0 for n <= 0, a[1] for n = 1.
float MeanS(std::span<const float> a, int32_t n);
// exp of the mean of ln a[i] over the a[i] > 0 of a[1..n]: 0 for n <= 0 or none positive,
// a[1] for n = 1.
float GeoMeanS(std::span<const float> a, int32_t n);
// Sum of (a[i] - mean)^2 over a[1..n] divided by n - 1 (by 1 when n = 1); 0 for n <= 0.
long double VarianceAbout(std::span<const float> a, int32_t n, float mean);
// sqrt of VarianceAbout when n >= 2 and the variance exceeds 1e-7; otherwise 0.
long double StdDevAbout(std::span<const float> a, int32_t n, float mean);
// Sorts a[1..n] ascending in place and returns the median (k = 0) or the k-th smallest value
// (k clamped to n); 0 for n <= 0.
float QuantileS(std::span<float> a, int32_t n, int32_t k = 0);
// Median of a[1..n], leaving a[1..n] sorted ascending; 0 for n <= 0.
float MedianS(std::span<float> a, int32_t n);
// The same median by selection, leaving a[1..n] in no particular order: for callers that need
// the median alone, many times over.
float SelectMedianS(std::span<float> a, int32_t n);

// Two-sided tail probability of Student's t with n degrees of freedom beyond |t|, in 0..1
// (1 when t or n is NaN; n above a million is taken as a million).
double StudentTail(double n, double t);
// One-sided probability that a t variable with df degrees of freedom exceeds |t|: StudentTail / 2.
double StudentPValue(double df, double t);

// StudentPValue(df[i], t[i]) into p[i] for n items, the common case evaluated several items at
// a time in double precision; agrees with StudentPValue to 1e-6 relative (items whose value is
// small enough to lose that precision are evaluated one by one).
void StudentPValues(const float* df, const float* t, double* p, int n);

// Welch's t statistic and degrees of freedom as WelchTTest gives them, without the p-value.
void WelchStatistic(int32_t k, float& t, float n1, float mean1, float sd1, float n2, float mean2,
                    float sd2, float& df);
// Welch's two-sample t-test from each group's count, mean and standard deviation. k > 1 first
// divides the means by k and the deviations by sqrt(k). df := n1 + n2 - 2, or the Welch-
// Satterthwaite degrees of freedom rounded up when both counts exceed 2; p := 1 when t = 0.
// A group of count 0 contributes no variance (one-sample use against mean 0).
void WelchTTest(int32_t k, float& t, float& p, float n1, float mean1, float sd1, float n2,
                float mean2, float sd2, float& df);
