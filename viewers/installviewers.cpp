#include "installviewers.h"

#include "chartrequests.h"
#include "plotscan.h"
#include "plotviewers.h"
#include "profilerequest.h"
#include "scat3d.h"
#include "scatterrequest.h"

void InstallPlotViewers() {
    PlotViewers().ProfileEditor = RunProfileEditor;
    PlotViewers().ScatterPlot = [](const ScatterPlotRequest& request) { ShowScatterPlot(request); };
    PlotViewers().Plot3D = [](const Plot3DRequest& request) { OpenPlot3D(request); };
    PlotViewers().DotChart = [](QWidget* parent, const DotChartRequest& request) {
        ShowDotChart(parent, request);
    };
    PlotViewers().PlotScan = RenderPlotScan;
    PlotViewers().ImageViewer = [](QWidget* parent, const PictureRequest& request) {
        ShowPicture(parent, request);
    };
}
