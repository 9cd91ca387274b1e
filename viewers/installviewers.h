// Installs every viewer's handler of the group selector's plot requests; main() calls it once.
#pragma once

void InstallPlotViewers();
