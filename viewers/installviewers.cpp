#include "installviewers.h"

#include "plotviewers.h"

void InstallPlotViewers() {}
