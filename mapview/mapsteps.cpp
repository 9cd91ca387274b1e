#include "mapsteps.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>

int SteppedZoom(int zoom, int direction) {
    zoom = std::clamp(zoom, 1, kMaxZoom);
    const int s = std::max(1, zoom / 20);
    int f = RoundToInt(std::log(double(zoom)));
    if (f == 0) f = 1;
    const int step = std::min(s * f, zoom);
    return std::clamp(direction > 0 ? zoom + step : zoom - step, 1, kMaxZoom);
}

int ScrollLineStep(bool along, int longestChromosome, int zoom, int acrossExtent) {
    if (along) return std::max(1, longestChromosome / std::max(1, zoom) / 19);
    return acrossExtent / 19;
}

int ChooserStep(const QString& text, int chromosomeCount, bool up) {
    const int all = chromosomeCount + 1;
    int n = all;
    if (text == QLatin1String("x"))
        n = 23;
    else if (text == QLatin1String("y"))
        n = 24;
    else if (int32_t v = 0; text != QLatin1String("all") && ParseStrictInt(text.toStdString(), v))
        n = v;
    if (n < 1 || n > all) n = all;
    if (up) return n + 1 > all ? 1 : n + 1;
    return n - 1 < 1 ? all : n - 1;
}

QString ChooserText(int n) {
    if (n == 23) return QStringLiteral("x");
    if (n == 24) return QStringLiteral("y");
    return QString::number(n);
}
