// The 2D viewer's handler of the group selector's scatter-plot request.
#pragma once

#include "plotviewers.h"

class TfScatterView;

// Creates a viewer that frees itself when closed, fills series 1 from the request, ticks the
// items of its plot kind and shows it; returns the viewer.
TfScatterView* ShowScatterPlot(const ScatterPlotRequest& request);
