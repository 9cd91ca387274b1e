#include "imagezoom.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>

int32_t ZoomInLevel(int32_t level) {
    if (level >= -100 && level <= -3) return level + 1;
    if (level >= 1 && level <= 100) return level + 1;
    return 1;
}

int32_t ZoomOutLevel(int32_t level) {
    if (level >= -100 && level <= -1) return level - 1;
    if (level >= 2 && level <= 100) return level - 1;
    if (level == 1) return -2;
    return 1;
}

ZoomSize ZoomPictureSize(int32_t level, int32_t w, int32_t h) {
    double f = 1, d = 1;
    if (level >= 2 && level <= 100) {
        f = 1 + 0.1 * level;
    } else if (level <= -2 && level >= -100) {
        // Divisors: 1.1 .. 2.0 by 0.1 (levels -2 .. -11), 2.2 .. 3.0 by 0.2, 3.5 .. 10 by 0.5.
        const int32_t k = -level;
        d = k <= 11   ? 1 + 0.1 * (k - 1)
            : k <= 16 ? 2 + 0.2 * (k - 11)
            : k <= 29 ? 3 + 0.5 * (k - 16)
                      : 10;
    }
    return {std::max(1, RoundToInt(w * f / d)), std::max(1, RoundToInt(h * f / d))};
}

std::string ZoomInfoLine(ZoomSize shown, int32_t w, int32_t h) {
    return std::to_string(shown.Width) + "x" + std::to_string(shown.Height) + "; " +
           std::to_string(w) + "x" + std::to_string(h);
}

double PThresholdAt(int32_t position) {
    if (position >= 0 && position <= 9) return 1.0 - 0.1 * position;
    if (position > 9 && position <= 88) {
        const int32_t e = (position - 9) / 9 + 1, k = (position - 9) % 9;
        return (1 - 0.1 * k) * std::pow(10.0, -e);
    }
    if (position == 90) return 2e-10;
    if (position == 91) return 1e-10;
    return 0;
}
