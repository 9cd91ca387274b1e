// The plot scan: the mosaic of scatter plots of every listed condition against every other.
#pragma once

#include "plotviewers.h"

#include <QImage>

// Draws the request's mosaic through one hidden scatter viewer (owned by `parent`, never shown):
// labels along the top and left, each plot's non-white pixels black. Null when the request has
// fewer than 2 or more than kMostScanConditions columns or no matrix, and after a stop box when
// memory runs short.
QImage RenderPlotScan(QWidget* parent, const PlotScanRequest& request);
