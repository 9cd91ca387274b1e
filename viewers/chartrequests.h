// The dot chart's and the image viewer's handlers of the group selector's requests.
#pragma once

#include "plotviewers.h"

class TCloudPlot;
class TImageView;

// Creates the chart as `parent`'s window, sets its preferences, shows it and fills its groups.
TCloudPlot* ShowDotChart(QWidget* parent, const DotChartRequest& request);
// Creates the viewer as `parent`'s window (it frees itself when closed), shows the picture at
// the request's zoom level.
TImageView* ShowPicture(QWidget* parent, const PictureRequest& request);
