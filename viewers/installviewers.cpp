#include "installviewers.h"

#include "plotviewers.h"
#include "profilerequest.h"

void InstallPlotViewers() {
    PlotViewers().ProfileEditor = RunProfileEditor;
}
