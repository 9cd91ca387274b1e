// Arguments of the view tools' commands, worked out from the held keys and the controls' texts.
#pragma once

#include <QString>
#include <optional>

// "Size  graph" step in pixels: 10, Shift 1, Ctrl 25, Ctrl+Shift 50.
int WidthStep(bool ctrl, bool shift);
// "Scale/zoom" argument, the step x 100: 10, Shift 1, Ctrl 50, Ctrl+Shift 5.
int ZoomStep(bool ctrl, bool shift);
// Heat-map width step: 1, Ctrl 10, Shift 5 (Shift wins when both are held).
int HeatMapStep(bool ctrl, bool shift);
// The text's leading integer, 0 when it starts with none.
int LeadingInteger(const QString& text);
// Argument of the smoothing command: (kind index + 1) x 10000 + width. None for a width below 2,
// or of 10000 and more, which would spill into the kind.
std::optional<int> SmoothArgument(int kindIndex, const QString& widthText);
// Argument of the heat-map scale command: the text as a real number (a decimal comma read as
// the point) x 100, to the nearest whole number.
int ScaleArgument(const QString& text);
