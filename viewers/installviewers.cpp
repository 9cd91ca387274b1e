#include "installviewers.h"

#include "plotviewers.h"
#include "scatterrequest.h"

void InstallPlotViewers() {
    PlotViewers().ScatterPlot = [](const ScatterPlotRequest& request) { ShowScatterPlot(request); };
}
