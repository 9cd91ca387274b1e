#include "plotviewers.h"

#include "dialoghooks.h"

namespace {
void NoViewer(QWidget* parent) {
    ShowMessage(parent, QStringLiteral("No scatter plot viewer is available."), QString(),
                MsgIcon::Stop);
}
} // namespace

PlotViewerHandlers& PlotViewers() {
    static PlotViewerHandlers handlers;
    return handlers;
}

void RequestScatterPlot(QWidget* parent, const ScatterPlotRequest& request) {
    if (PlotViewers().ScatterPlot)
        PlotViewers().ScatterPlot(request);
    else
        NoViewer(parent);
}

void RequestPlot3D(QWidget* parent, const Plot3DRequest& request) {
    if (PlotViewers().Plot3D)
        PlotViewers().Plot3D(request);
    else
        NoViewer(parent);
}

bool RequestProfileEditor(QWidget* parent, ProfileEditorRequest& request) {
    return PlotViewers().ProfileEditor && PlotViewers().ProfileEditor(parent, request);
}
