#include "installviewers.h"

#include "plotviewers.h"
#include "profilerequest.h"
#include "scat3d.h"
#include "scatterrequest.h"

void InstallPlotViewers() {
    PlotViewers().ProfileEditor = RunProfileEditor;
    PlotViewers().ScatterPlot = [](const ScatterPlotRequest& request) { ShowScatterPlot(request); };
    PlotViewers().Plot3D = [](const Plot3DRequest& request) { OpenPlot3D(request); };
}
