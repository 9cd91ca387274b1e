#include "installviewers.h"

#include "plotviewers.h"
#include "profilerequest.h"
#include "scatterrequest.h"

void InstallPlotViewers() {
    PlotViewers().ProfileEditor = RunProfileEditor;
    PlotViewers().ScatterPlot = [](const ScatterPlotRequest& request) { ShowScatterPlot(request); };
}
