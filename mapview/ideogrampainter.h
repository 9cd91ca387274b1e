// The ideogram track of one chromosome: its arms, the centromere mark, the bands of the chosen
// resolution in their density grey or pattern colour, and the band names.
#pragma once

#include "mapgeometry.h"
#include "palette.h"
#include "records.h"

#include <QHash>

class GdiCanvas;

// What the ideogram track reads besides the geometry, gathered once per render.
class IdeogramSource {
  public:
    IdeogramSource(const tFList& bands, const tGenomeLayout& layout, int ideogramType,
                   const tColouredChromosomes& colours);
    const tFList& Bands() const { return bands_; }
    const tGenomeLayout& Layout() const { return layout_; }
    int IdeogramType() const { return ideogramType_; }
    const tColouredChromosomes& Colours() const { return colours_; }
    // Fill of a band named `name` with density d: the density grey, or in coloured-chromosome
    // mode the palette colour of its pattern value when the name is in the pattern.
    TColor BandFill(const QString& name, int density) const;

  private:
    const tFList& bands_;
    const tGenomeLayout& layout_;
    int ideogramType_;
    const tColouredChromosomes& colours_;
    QHash<QString, double> pattern_;
};

// Draws chromosome c's ideogram with its track at across position x (before the across-scroll).
void DrawIdeogram(GdiCanvas& canvas, const MapGeometry& geometry, const IdeogramSource& source,
                  int c, int x);
