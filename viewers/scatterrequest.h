// The 2D viewer's handler of the group selector's scatter-plot request.
#pragma once

#include "plotviewers.h"

class TfScatterView;

// Gives a new viewer its caller's settings and plot kind (1 X-Y, 2 ratio-intensity) and ticks
// the display items of that kind: both log scales and both diagonals for X-Y, Log-X alone else.
void SetUpScatterView(TfScatterView& view, int plotKind, const QString& registryKey,
                      int showGeneListMenu, WindowHandle geneListHandle);

// Creates a viewer that frees itself when closed, fills series 1 from the request, ticks the
// items of its plot kind and shows it; returns the viewer.
TfScatterView* ShowScatterPlot(const ScatterPlotRequest& request);
