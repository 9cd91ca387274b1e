// The gene track (gene features beside a chromosome line, with their names) and the expression
// track (a heat-map column per shown sample for each significant gene of the expression matrix).
#pragma once

#include "mapgeometry.h"
#include "records.h"

#include <array>

class GdiCanvas;

// Draws the gene features of chromosome c around the line at across position x + 50 (before the
// across-scroll); kinds[1..5] are the Gene, RNA, CDS, UTR and Pseudo ticks (CDS follows Gene).
void DrawGeneTrack(GdiCanvas& canvas, const MapGeometry& geometry, const tFList& genes,
                   const std::array<bool, 6>& kinds, int c, int x);

// Draws chromosome c's genes of the matrix from across position x, one column per shown sample;
// returns the track's width (column width x shown samples) for the mouse read-out.
int DrawExpressionTrack(GdiCanvas& canvas, const MapGeometry& geometry, const tHeatmap& matrix,
                        float alpha, int topMargin, int c, int x);

// Font size of names along the map at a scale in pixels per base pair.
int TrackFontSize(float scale);
