#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

int RoundToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(std::nearbyint(v));
}

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

double ParseLenientFloat(std::string_view s, size_t* end) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    const size_t numStart = i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const size_t mantStart = i;
    size_t digits = 0, fractionDigits = 0;
    uint64_t mantissa = 0; // exact while digits <= 19
    while (i < s.size() && IsDigit(s[i])) mantissa = mantissa * 10 + (s[i++] - '0'), ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i]))
            mantissa = mantissa * 10 + (s[i++] - '0'), ++digits, ++fractionDigits;
    }
    if (digits == 0) {
        if (end) *end = 0;
        return 0.0;
    }
    size_t mantEnd = i;
    int exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        const bool negativeExp = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                if (exponent < 100000) exponent = exponent * 10 + (s[j] - '0');
                ++j;
            }
            mantEnd = j;
            if (negativeExp) exponent = -exponent;
        }
    }
    // Exact mantissa and an exact power of ten: one division or product rounds correctly.
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int scale = exponent - static_cast<int>(fractionDigits);
    if (digits <= 15 && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(mantissa);
        const double v = scale < 0 ? m / kPow10[-scale] : m * kPow10[scale];
        if (end) *end = mantEnd;
        return negative ? -v : v;
    }
    double value = 0.0;
    const auto r = std::from_chars(s.data() + mantStart, s.data() + mantEnd, value,
                                   std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Overflow reads as the largest finite value, underflow as 0.
        const std::string_view text = s.substr(mantStart, mantEnd - mantStart);
        const size_t e = text.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::max();
    } else if (r.ec != std::errc()) {
        value = 0.0;
    }
    if (end) *end = mantEnd == numStart ? 0 : mantEnd;
    return negative ? -value : value;
}

int32_t ParseLenientInt(std::string_view s, size_t* end) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const size_t digitStart = i;
    int64_t v = 0;
    while (i < s.size() && IsDigit(s[i])) {
        if (v <= 1'000'000'000'000LL) v = v * 10 + (s[i] - '0');
        ++i;
    }
    if (i == digitStart) {
        if (end) *end = 0;
        return 0;
    }
    if (end) *end = i;
    if (negative) v = -v;
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

bool ParseStrictInt(std::string_view s, int32_t& out) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int32_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
    out = v;
    return true;
}

bool ParseStrictFloat(std::string_view s, double& out) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    // from_chars would also take "nan" and "inf": only digits or "." may start the number.
    const std::string_view body = !s.empty() && s.front() == '-' ? s.substr(1) : s;
    if (body.empty() || !(IsDigit(body.front()) || body.front() == '.')) return false;
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

std::string FormatFixed(double v, int decimals) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

std::string FormatFixedWidth(double v, int width, int decimals) {
    std::string s = FormatFixed(v, decimals);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
    return s;
}

std::string FormatGeneral(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}
