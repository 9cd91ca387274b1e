// The group selector's plot modes hand their data to the analysis viewers through these
// requests. The viewer library installs the handlers (the selector links no viewer class);
// while one is missing, a request shows "No scatter plot viewer is available.".
#pragma once

#include "toolbus.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

// One 2D scatter viewer, created, filled and shown.
struct ScatterPlotRequest {
    int Mode = 1000; // 1000 X-Y, 1001 ratio/intensity, 1002 Q/Q: the plot kind and ticked items
    QString Title;   // the dialog's message caption
    QString RegistryKey;
    int ShowGeneListMenu = 0;
    WindowHandle GeneListHandle = 0;
    QString XLabel, YLabel;
    std::vector<float> X, Y; // one value per gene, missing values as 0
    QStringList Annotations; // entry 0 the placeholder "GeneID", then one per gene
};

// One 3D scatter plot: reset, shown, then each series added to the first free record.
struct Plot3DRequest {
    struct Series {
        QString Name;
        std::vector<float> Values;
    };
    std::vector<Series> Series; // at most six
};

struct PlotViewerHandlers {
    std::function<void(const ScatterPlotRequest&)> ScatterPlot;
    std::function<void(const Plot3DRequest&)> Plot3D;
};

// The installed handlers; viewers fill them at start-up, tests replace them with recorders.
PlotViewerHandlers& PlotViewers();

// Hands a request to its handler, or shows the stop box when none is installed.
void RequestScatterPlot(QWidget* parent, const ScatterPlotRequest& request);
void RequestPlot3D(QWidget* parent, const Plot3DRequest& request);
