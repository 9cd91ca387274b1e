#include "scat3dview.h"

#include "numbers.h"

#include <cmath>

namespace {
// Degrees to radians with the plot's own value of pi.
constexpr double kDegree = 0.0174531111111111;

struct Tables {
    std::array<float, 361> sine, cosine;
    Tables() {
        for (int d = 0; d <= 360; ++d) {
            sine[d] = static_cast<float>(std::sin(d * kDegree));
            cosine[d] = static_cast<float>(std::cos(d * kDegree));
        }
    }
};
const Tables& TheTables() {
    static const Tables tables;
    return tables;
}

struct Trig {
    float sX, cX, sY, cY, sZ, cZ;
    explicit Trig(const tPlot3DView& v) {
        const auto& s = SinTable();
        const auto& c = CosTable();
        const int x = NormaliseAngle(v.AngleX), y = NormaliseAngle(v.AngleY),
                  z = NormaliseAngle(v.AngleZ);
        sX = s[x], cX = c[x], sY = s[y], cY = c[y], sZ = s[z], cZ = c[z];
    }
};
} // namespace

tPlot3DPalette DefaultPlot3DPalette() {
    static constexpr int rgb[26][3] = {
        {0, 0, 0},      {0, 0, 64},    {0, 0, 128},   {0, 0, 192},     {0, 0, 255},
        {0, 64, 255},   {0, 128, 255}, {0, 192, 255}, {0, 255, 255},   {0, 255, 162},
        {0, 255, 128},  {0, 255, 93},  {0, 255, 64},  {0, 255, 0},     {64, 255, 0},
        {128, 255, 0},  {192, 255, 0}, {255, 255, 0}, {255, 192, 0},   {255, 128, 0},
        {255, 64, 0},   {255, 0, 0},   {255, 64, 64}, {255, 128, 128}, {255, 192, 192},
        {255, 255, 255}};
    tPlot3DPalette p{};
    for (int i = 0; i < 26; ++i) p[i] = qRgb(rgb[i][0], rgb[i][1], rgb[i][2]);
    return p;
}

void ApplyColorScheme(tPlot3DPalette& palette, int scheme) {
    if (scheme == 1) {
        palette[0] = qRgb(0, 0, 0);
        palette[1] = qRgb(0, 0, 64);
        palette[2] = qRgb(0, 0, 128);
        palette[3] = qRgb(0, 0, 192);
    } else if (scheme == 2) {
        palette[0] = qRgb(255, 255, 255);
        palette[1] = qRgb(192, 192, 192);
        palette[2] = qRgb(128, 128, 128);
        palette[3] = qRgb(64, 64, 64);
    }
}

const std::array<float, 361>& SinTable() {
    return TheTables().sine;
}
const std::array<float, 361>& CosTable() {
    return TheTables().cosine;
}

int NormaliseAngle(int64_t degrees) {
    if (degrees >= 0 && degrees <= 360) return static_cast<int>(degrees);
    return static_cast<int>((degrees % 360 + 360) % 360);
}

tProjected RotateProject(const tPlot3DView& view, float x, float y, float z) {
    const Trig t(view);
    const float y1 = y * t.cX - z * t.sX;
    const float z1 = y * t.sX + z * t.cX;
    const float x2 = x * t.cY - z1 * t.sY;
    const float z2 = x * t.sY + z1 * t.cY;
    const float x3 = x2 * t.cZ - y1 * t.sZ;
    const float y3 = x2 * t.sZ + y1 * t.cZ;
    const float u = y3, v = -z2, d = x3 * view.Tilde;
    return {RoundToInt(u + d), RoundToInt(v + d), x3};
}

tProjection FoldedProjection(const tPlot3DView& view) {
    const Trig t(view);
    // Rows of the three rotations multiplied out: depth x3, right y3 and up z2 as linear forms.
    const float x3[3] = {t.cY * t.cZ, -t.sX * t.sY * t.cZ - t.cX * t.sZ,
                         -t.cX * t.sY * t.cZ + t.sX * t.sZ};
    const float y3[3] = {t.cY * t.sZ, -t.sX * t.sY * t.sZ + t.cX * t.cZ,
                         -t.cX * t.sY * t.sZ - t.sX * t.cZ};
    const float z2[3] = {t.sY, t.sX * t.cY, t.cX * t.cY};
    tProjection p{};
    for (int j = 0; j < 3; ++j) {
        p.m[0][j] = y3[j] + view.Tilde * x3[j];
        p.m[1][j] = -z2[j] + view.Tilde * x3[j];
    }
    return p;
}
