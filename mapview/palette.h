// The colour palette of coloured chromosomes and the pattern of band values it colours.
#pragma once

#include "colours.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class GdiCanvas;

using tPalette = std::array<TColor, 1025>;

// The main window's coloured-chromosome state, handed to the painter as a copy.
struct tColouredChromosomes {
    QStringList PatternNames; // sorted, no duplicates
    std::vector<double> PatternValues;
    tPalette PaletteColours{};
    int PaletteScaleKind =
        1; // 1..3 linear over PaletteMin..PaletteMax (3 of -log10 v), 4 symmetric
    float PaletteMin = 0.0f, PaletteMax = 4.0f;
    bool PaletteLog = true;
    bool ColouredChromosomeMode = false;
    bool operator==(const tColouredChromosomes&) const = default;
};

// Fills the entries of a palette kind: 1 white to red (0..1024), 2 spectrum white-blue-green-
// yellow-red (0..1023), 3 green-black-red (0..511 and 513..1024). Other entries and other kinds
// leave the palette as it was.
void BuildColourPalette(tPalette& palette, int kind);

// Palette entry for a pattern value v: kinds 1-3 map PaletteMin..PaletteMin + r (r = max - min, at
// least 1) to 0..1000, kind 3 of -log10 v (0 for negative v, the most significant entry for 0);
// kind 4 maps -|max|..|max| to 0..1024 around 512 (512 when max is 0). -1 for other kinds.
// NaN gives the lowest entry (kinds 1-3) or the neutral one (kind 4).
int PaletteIndex(double v, int kind, float paletteMin, float paletteMax);

// The colour bar on a canvas of w x h pixels: a black frame, the palette's entries 0..1000 from
// left to right in rows 10..29 between x 10 and w - 10, and the range's labels at y 32, the left
// one at x 10, the right one ending 10 pixels before the right edge.
void DrawColourBar(GdiCanvas& canvas, int w, int h, const tPalette& palette, const QString& left,
                   const QString& right);
