// Generated inputs of the 3D plot: six series of N points (X, Y, Z in -1000..1000, Size, Color and
// Marker in 0..1000, spread over their whole scales), as columns or as the "Load 6 series" text
// (about 50 bytes a line).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct Scat3DSeries {
    std::vector<float> columns[6];
};

inline Scat3DSeries MakeScat3DSeries(int32_t n, uint32_t seed = 12345) {
    Scat3DSeries s;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) * (1.0f / 16777216.0f); // [0, 1)
    };
    for (auto& c : s.columns) c.resize(n);
    for (int32_t i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) s.columns[c][i] = 2000 * next() - 1000;
        for (int c = 3; c < 6; ++c) s.columns[c][i] = 1000 * next();
    }
    return s;
}

// One line per point, six numbers with three decimals separated by TAB.
inline std::string Scat3DText(const Scat3DSeries& s) {
    std::string text;
    const size_t n = s.columns[0].size();
    text.reserve(n * 56);
    char field[32];
    for (size_t i = 0; i < n; ++i) {
        for (int c = 0; c < 6; ++c) {
            const float v = s.columns[c][i];
            const long scaled = static_cast<long>(double(v) * 1000 + (v < 0 ? -0.5 : 0.5));
            const long whole = scaled / 1000, part = scaled < 0 ? -(scaled % 1000) : scaled % 1000;
            const int len = std::snprintf(field, sizeof field, "%s%ld.%03ld%c",
                                          scaled < 0 && whole == 0 ? "-" : "", whole, part,
                                          c < 5 ? '\t' : '\n');
            text.append(field, static_cast<size_t>(len));
        }
    }
    return text;
}
