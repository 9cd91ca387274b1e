#pragma once

#include "colours.h"

#include <QString>

class QPainter;

// Draws text with the painter's font at the given character height, turned counter-clockwise by
// `angle` degrees about its top-left corner (x, y); the painter's font and pen are kept.
void TextOutRotated(const QString& text, QPainter& canvas, int fontHeight, TColor colour, int angle,
                    int y, int x);
