#include "numbers.h"

#include <algorithm>
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

namespace {

// Powers of ten that a double holds exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The fast path of the lenient reading, for the short decimal numbers that make up nearly every
// file: a mantissa below 2^53 and a power of ten up to 1e22 are both exact doubles, so one
// multiplication or division rounds once and gives the very value from_chars gives. False when
// the number is too long for that (then nothing is set).
bool FastDecimal(std::string_view s, double& value, size_t* end) {
    const char* const first = s.data();
    const char* const last = first + s.size();
    const char* p = first;
    while (p < last && IsBlank(*p)) ++p;
    bool negative = false;
    if (p < last && (*p == '+' || *p == '-')) negative = *p++ == '-';
    uint64_t mantissa = 0;
    int digits = 0;   // significant digits in the mantissa
    int exponent = 0; // power of ten applied to the mantissa
    bool any = false;
    for (; p < last && IsDigit(*p); ++p) {
        any = true;
        if (mantissa == 0 && *p == '0') continue;
        if (++digits > 18) return false;
        mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    }
    if (p < last && *p == '.') {
        for (++p; p < last && IsDigit(*p); ++p) {
            any = true;
            if (mantissa == 0 && *p == '0') {
                --exponent;
                continue;
            }
            if (++digits > 18) return false;
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
            --exponent;
        }
    }
    if (!any) {
        if (end) *end = 0;
        value = 0.0;
        return true;
    }
    if (p < last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool negativeExp = false;
        if (q < last && (*q == '+' || *q == '-')) negativeExp = *q++ == '-';
        if (q < last && IsDigit(*q)) {
            int e = 0;
            for (; q < last && IsDigit(*q); ++q) {
                if (e > 1000) return false;
                e = e * 10 + (*q - '0');
            }
            exponent += negativeExp ? -e : e;
            p = q;
        }
    }
    double v = 0.0;
    if (mantissa != 0) {
        if (mantissa > (uint64_t{1} << 53) || exponent < -22 || exponent > 22) return false;
        v = static_cast<double>(mantissa);
        v = exponent < 0 ? v / kPow10[-exponent] : v * kPow10[exponent];
    }
    if (end) *end = static_cast<size_t>(p - first);
    value = negative ? -v : v;
    return true;
}

// The rest: from_chars on the number's text.
double SlowDecimal(std::string_view s, size_t* end) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const size_t mantStart = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && IsDigit(s[i]);) ++i;
    size_t mantEnd = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            mantEnd = j;
        }
    }
    if (end) *end = mantEnd;
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
    return negative ? -value : value;
}

} // namespace

double ParseLenientFloat(std::string_view s, size_t* end) {
    double value;
    return FastDecimal(s, value, end) ? value : SlowDecimal(s, end);
}

bool IsBelowDoubleRange(std::string_view s) {
    size_t end = 0;
    if (ParseLenientFloat(s, &end) != 0.0 || end == 0) return false;
    const std::string_view number = s.substr(0, end);
    const size_t sign = number.find_first_not_of(" \t");
    if (sign == std::string_view::npos || number[sign] == '-') return false;
    const std::string_view mantissa = number.substr(0, number.find_first_of("eE"));
    return mantissa.find_first_of("123456789") != std::string_view::npos;
}

std::string WithDecimalPoint(std::string_view text) {
    std::string s(text);
    std::replace(s.begin(), s.end(), ',', '.');
    return s;
}

float ClampToSingle(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax) return std::numeric_limits<float>::max();
    if (v < -kMax) return -std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

float ParseLenientSingle(std::string_view s) {
    double value;
    return ClampToSingle(FastDecimal(s, value, nullptr) ? value : SlowDecimal(s, nullptr));
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
    return ReadStrictInt(s, out) == StrictInt::Whole;
}

StrictInt ReadStrictInt(std::string_view s, int32_t& out) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int32_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ptr != s.data() + s.size()) return StrictInt::NoWholeNumber;
    if (r.ec == std::errc::result_out_of_range) return StrictInt::OutOfRange;
    if (r.ec != std::errc()) return StrictInt::NoWholeNumber;
    out = v;
    return StrictInt::Whole;
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

namespace {
// True when v lies exactly halfway between two numbers of `decimals` decimals. A double's exact
// decimal expansion ends at its lowest binary digit, so printing that many digits shows it whole.
bool ExactHalf(double v, int decimals) {
    int exponent = 0;
    std::frexp(v, &exponent);
    const int digits = std::clamp(53 - exponent, decimals + 1, 1100);
    char buf[1500];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, digits);
    const char* half = std::find(buf, r.ptr, '.') + 1 + decimals;
    return half < r.ptr && *half == '5' &&
           std::all_of(half + 1, static_cast<const char*>(r.ptr), [](char c) { return c == '0'; });
}
} // namespace

std::string FormatFixed(double v, int decimals) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    decimals = std::clamp(decimals, 0, 60);
    // to_chars rounds an exact half to even: such a value is moved off the half, away from zero.
    if (ExactHalf(v, decimals)) v = std::nextafter(v, v > 0 ? HUGE_VAL : -HUGE_VAL);
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    std::string_view text(buf, static_cast<size_t>(r.ptr - buf));
    // A negative value that rounds to nothing is written without its sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos)
        text.remove_prefix(1);
    return std::string(text);
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
