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
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
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
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) {
        if (end) *end = 0;
        return 0.0;
    }
    size_t mantEnd = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            mantEnd = j;
        }
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
