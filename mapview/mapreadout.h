// What the status bar says about the map under the mouse, read from the geometry of the last
// render: the base pair, the chromosome and the genes or the expression sample there.
#pragma once

#include "mapgeometry.h"
#include "records.h"

#include <QString>

struct MapReadout {
    int BasePair = 0;   // on the render's common axis (MapGeometry::BasePairAt)
    int Chromosome = 0; // the painted chromosome whose column holds the pixel; 0 outside them all
    QString Text;       // gene names joined by " or ", or "sample: label"
};

// The read-out at pixel (x, y) of the rendered image. Genes: features of the chromosome whose
// span holds the base pair, in list order, when the pixel lies in the gene track's room.
// Expression: the sample drawn in the heat-map column under the pixel (its number, ": " and its
// header row 1), only for columns 1..shown; "nan" when the column width is 0.
MapReadout ReadMapPosition(const MapGeometry& geometry, int x, int y, const tFList& genes,
                           const tHeatmap& expression);
