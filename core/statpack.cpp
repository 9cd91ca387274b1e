#include "statpack.h"

#include "numbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>

float PowerS(float base, float exponent) {
    if (!(base > 0)) return kPowerSFailure;
    const long double r = std::exp(static_cast<long double>(exponent) * std::log(base * 1.0L));
    // NaN fails the range test too.
    if (!(r <= FLT_MAX)) return kPowerSFailure;
    return static_cast<float>(r);
}

float Log2S(float x) {
    if (!(x > 0)) return kLog2SFailure;
    return static_cast<float>(std::log(x * 1.0L) / 0.6931471805599453L);
}

float LogBaseS(float base, float x) {
    if (!(x > 0) || !(base > 0) || base == 1) return 0;
    const long double r = std::log(x * 1.0L) / std::log(base * 1.0L);
    return std::isnan(r) ? 0.0f : static_cast<float>(r); // infinite base and x
}

void SplitFileName(const std::string& fileName, std::string& dir, std::string& name,
                   std::string& ext) {
    const size_t sep = fileName.find_last_of("/\\");
    const size_t nameStart = sep == std::string::npos ? 0 : sep + 1;
    dir = fileName.substr(0, nameStart);
    const std::string whole = fileName.substr(nameStart);
    const size_t dot = whole.rfind('.');
    ext = dot == std::string::npos ? std::string() : whole.substr(dot);
    name = ext.empty() ? whole : whole.substr(0, whole.find(ext));
}

namespace {

// A strict weak order even with NaN keys (they sort as the largest value), so the sort stays
// well defined on any input.
bool KeyLess(float a, float b) {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return a < b;
}

// Clamps lo..hi to the array; false when the range is empty.
bool ClampRange(size_t size, int32_t& lo, int32_t& hi) {
    if (size == 0) return false;
    lo = std::max(lo, 0);
    hi = static_cast<int32_t>(std::min<int64_t>(hi, static_cast<int64_t>(size) - 1));
    return lo < hi;
}

template <typename T, typename Key>
void StableSortRange(std::span<T> a, int32_t lo, int32_t hi, int32_t ascending, Key key) {
    if (!ClampRange(a.size(), lo, hi)) return;
    auto first = a.begin() + lo;
    auto last = a.begin() + hi + 1;
    if (ascending == 1) {
        std::stable_sort(first, last,
                         [&](const T& x, const T& y) { return KeyLess(key(x), key(y)); });
    } else {
        std::stable_sort(first, last,
                         [&](const T& x, const T& y) { return KeyLess(key(y), key(x)); });
    }
}

// The count of elements 1..n that the span holds.
int32_t UsableCount(size_t size, int32_t n) {
    if (n <= 0 || size < 2) return 0;
    return static_cast<int32_t>(std::min<int64_t>(n, static_cast<int64_t>(size) - 1));
}

} // namespace

void SortSingles(std::span<float> a, int32_t lo, int32_t hi, int32_t ascending) {
    StableSortRange(a, lo, hi, ascending, [](float v) { return v; });
}

void SortQuadRecords(std::span<tQuadRecord> a, int32_t field, int32_t lo, int32_t hi,
                     int32_t ascending) {
    if (field < 0 || field > 3) return;
    StableSortRange(a, lo, hi, ascending, [field](const tQuadRecord& r) { return r[field]; });
}

float MeanS(std::span<const float> a, int32_t n) {
    n = UsableCount(a.size(), n);
    if (n == 0) return 0;
    if (n == 1) return a[1];
    long double sum = 0;
    for (int32_t i = 1; i <= n; ++i) sum += a[i];
    return static_cast<float>(sum / n);
}

float GeoMeanS(std::span<const float> a, int32_t n) {
    n = UsableCount(a.size(), n);
    if (n == 0) return 0;
    if (n == 1) return a[1];
    long double sum = 0;
    int32_t used = 0;
    for (int32_t i = 1; i <= n; ++i) {
        if (a[i] > 0) {
            sum += std::log(static_cast<double>(a[i]));
            ++used;
        }
    }
    if (used == 0) return 0;
    return static_cast<float>(std::exp(sum / used));
}

long double VarianceAbout(std::span<const float> a, int32_t n, float mean) {
    n = UsableCount(a.size(), n);
    if (n == 0) return 0;
    long double sum = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const long double d = a[i] - static_cast<long double>(mean);
        sum += d * d;
    }
    return n == 1 ? sum : sum / (n - 1);
}

long double StdDevAbout(std::span<const float> a, int32_t n, float mean) {
    if (UsableCount(a.size(), n) < 2) return 0;
    const long double v = VarianceAbout(a, n, mean);
    return v > 1e-7L ? std::sqrt(v) : 0;
}

float QuantileS(std::span<float> a, int32_t n, int32_t k) {
    n = UsableCount(a.size(), n);
    if (n == 0) return 0;
    SortSingles(a, 1, n, 1);
    if (k > 0) return a[std::min(k, n)];
    if (n % 2 == 1) return a[n / 2 + 1];
    return static_cast<float>((static_cast<long double>(a[n / 2]) + a[n / 2 + 1]) / 2);
}

float MedianS(std::span<float> a, int32_t n) {
    return QuantileS(a, n, 0);
}

float SelectMedianS(std::span<float> a, int32_t n) {
    n = UsableCount(a.size(), n);
    if (n == 0) return 0;
    const auto first = a.begin() + 1, last = a.begin() + n + 1;
    const auto upper = first + n / 2; // a[n / 2 + 1] once sorted
    std::nth_element(first, upper, last, KeyLess);
    if (n % 2 == 1) return *upper;
    const float lower = *std::max_element(first, upper, KeyLess);
    return static_cast<float>((static_cast<long double>(lower) + *upper) / 2);
}

double StudentTail(double n, double t) {
    const long double halfPi = 4 * std::atan(1.0L) / 2;
    const long double tt = std::fabs(static_cast<long double>(t));
    // The series takes n / 2 terms; beyond a million degrees the distribution no longer changes
    // in the precision of the results, so larger (or infinite) n is taken as a million.
    const long double nn = std::min(static_cast<long double>(n), 1e6L);
    const long double theta = nn < 1 ? std::atan(tt) : std::atan(tt / std::sqrt(nn));
    long double result;
    if (nn == 1) {
        result = 1 - theta / halfPi;
    } else {
        const long double s = std::sin(theta);
        const long double c = std::cos(theta);
        const bool odd = RoundToInt(static_cast<double>(nn)) % 2 == 1;
        long double sum = 1;
        long double term = 1;
        for (long double k = odd ? 2 : 1; k <= nn - 3; k += 2) {
            term = term * c * c * k / (k + 1);
            sum += term;
        }
        result = odd ? 1 - (theta + s * c * sum) / halfPi : 1 - s * sum;
    }
    // NaN t or n counts as not significant; for large t the series loses a few ulps and can
    // dip below 0.
    if (std::isnan(result)) return 1.0;
    return static_cast<double>(std::clamp(result, 0.0L, 1.0L));
}

double StudentPValue(double df, double t) {
    return StudentTail(df, t) / 2;
}

void StudentPValues(const float* df, const float* t, double* p, int n) {
    // The series of StudentTail with sin and cos of atan(|t| / sqrt(df)) taken algebraically;
    // every item runs to the block's longest series with the terms beyond its own masked.
    constexpr int kLanes = 64;
    constexpr double kLongest = 400;   // longer series: one by one
    constexpr double kSmallest = 1e-3; // below this the difference from 1 loses digits
    const double halfPi = std::numbers::pi / 2;
    for (int first = 0; first < n; first += kLanes) {
        const int len = std::min(kLanes, n - first);
        double nn[kLanes], c2[kLanes], s[kLanes], sum[kLanes], term[kLanes], k0[kLanes];
        bool odd[kLanes];
        double longest = 0;
        for (int i = 0; i < len; ++i) {
            nn[i] = df[first + i];
            const double tt = std::fabs(double(t[first + i]));
            const double r = nn[i] + tt * tt;
            c2[i] = nn[i] / r;
            s[i] = tt / std::sqrt(r);
            odd[i] = RoundToInt(nn[i]) % 2 == 1;
            k0[i] = odd[i] ? 2 : 1;
            sum[i] = 1;
            term[i] = 1;
            if (nn[i] >= 2 && nn[i] <= kLongest) longest = std::max(longest, nn[i]);
        }
        for (double j = 0; 2 * j + 1 <= longest - 3; ++j)
            for (int i = 0; i < len; ++i) {
                const double k = k0[i] + 2 * j;
                term[i] = term[i] * c2[i] * k / (k + 1);
                sum[i] += k <= nn[i] - 3 ? term[i] : 0.0;
            }
        for (int i = 0; i < len; ++i) {
            double result;
            if (odd[i]) {
                const double theta = std::atan2(s[i], std::sqrt(c2[i]));
                result = 1 - (theta + s[i] * std::sqrt(c2[i]) * sum[i]) / halfPi;
            } else {
                result = 1 - s[i] * sum[i];
            }
            const bool fast = nn[i] >= 2 && nn[i] <= kLongest && result >= kSmallest &&
                              result <= 1 && std::isfinite(double(t[first + i]));
            p[first + i] = fast ? result / 2 : StudentPValue(df[first + i], t[first + i]);
        }
    }
}

void WelchTTest(int32_t k, float& t, float& p, float n1, float mean1, float sd1, float n2,
                float mean2, float sd2, float& df) {
    WelchStatistic(k, t, n1, mean1, sd1, n2, mean2, sd2, df);
    p = t == 0 ? 1.0f : static_cast<float>(StudentPValue(static_cast<double>(df), t));
}

void WelchStatistic(int32_t k, float& t, float n1, float mean1, float sd1, float n2, float mean2,
                    float sd2, float& df) {
    long double m1 = mean1, m2 = mean2, s1 = sd1, s2 = sd2;
    // Only a positive divisor scales; 0 or negative k would divide by zero or take a root of a
    // negative number.
    if (k > 1) {
        m1 /= k;
        m2 /= k;
        s1 /= std::sqrt(static_cast<long double>(k));
        s2 /= std::sqrt(static_cast<long double>(k));
    }
    long double dof = static_cast<long double>(n1) + n2 - 2;
    if (n1 > 2 && n2 > 2) {
        const long double a = s1 * s1 / n1;
        const long double b = s2 * s2 / n2;
        const long double d = a * a / (n1 - 1) + b * b / (n2 - 1);
        dof = d == 0 ? 1 : std::ceil((a + b) * (a + b) / d);
    }
    const long double a = n1 == 0 ? 0 : s1 * s1 / n1;
    const long double b = n2 == 0 ? 0 : s2 * s2 / n2;
    // A negative count would make a + b negative: treat it like no spread rather than take the
    // root of a negative number.
    const long double stat = a + b > 0 ? (m1 - m2) / std::sqrt(a + b) : m1 - m2;
    df = static_cast<float>(dof);
    t = static_cast<float>(stat);
}
