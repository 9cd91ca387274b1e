// The 3D plot's FCS 2.0 import.
#include "scat3d.h"

void TScatPlot_3D::ImportFCS(const QString&) {}
