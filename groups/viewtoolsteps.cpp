#include "viewtoolsteps.h"

#include "numbers.h"

int WidthStep(bool ctrl, bool shift) {
    static constexpr int steps[4] = {10, 1, 25, 50};
    return steps[(ctrl ? 2 : 0) + (shift ? 1 : 0)];
}

int ZoomStep(bool ctrl, bool shift) {
    static constexpr double steps[4] = {0.1, 0.01, 0.5, 0.05};
    return RoundToInt(steps[(ctrl ? 2 : 0) + (shift ? 1 : 0)] * 100);
}

int HeatMapStep(bool ctrl, bool shift) {
    int step = 1;
    if (ctrl) step = 10;
    if (shift) step = 5;
    return step;
}

int LeadingInteger(const QString& text) {
    return ParseLenientInt(text.toStdString());
}

std::optional<int> SmoothArgument(int kindIndex, const QString& widthText) {
    const int width = LeadingInteger(widthText);
    if (width < 2 || width >= 10000) return std::nullopt;
    return (kindIndex + 1) * 10000 + width;
}

int ScaleArgument(const QString& text) {
    return RoundToInt(ParseLenientFloat(WithDecimalPoint(text.toStdString())) * 100);
}
