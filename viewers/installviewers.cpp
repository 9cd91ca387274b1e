#include "installviewers.h"

#include "plotviewers.h"
#include "scat3d.h"

void InstallPlotViewers() {
    PlotViewers().Plot3D = [](const Plot3DRequest& request) { OpenPlot3D(request); };
}
