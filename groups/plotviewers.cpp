#include "plotviewers.h"

#include "dialoghooks.h"

namespace {
// Calls the handler, or shows the stop box and answers a default value when none is installed.
template <typename Handler, typename... Args>
auto Dispatch(QWidget* parent, const Handler& handler, Args&... args) {
    using Result = decltype(handler(args...));
    if (handler) return handler(args...);
    ShowMessage(parent, QStringLiteral("No scatter plot viewer is available."), QString(),
                MsgIcon::Stop);
    return Result();
}
} // namespace

PlotViewerHandlers& PlotViewers() {
    static PlotViewerHandlers handlers;
    return handlers;
}

void RequestScatterPlot(QWidget* parent, const ScatterPlotRequest& request) {
    Dispatch(parent, PlotViewers().ScatterPlot, request);
}

void RequestPlot3D(QWidget* parent, const Plot3DRequest& request) {
    Dispatch(parent, PlotViewers().Plot3D, request);
}

bool RequestProfileEditor(QWidget* parent, ProfileEditorRequest& request) {
    return PlotViewers().ProfileEditor && PlotViewers().ProfileEditor(parent, request);
}

void RequestDotChart(QWidget* parent, const DotChartRequest& request) {
    Dispatch(parent, PlotViewers().DotChart, parent, request);
}

QImage RequestPlotScan(QWidget* parent, const PlotScanRequest& request) {
    return Dispatch(parent, PlotViewers().PlotScan, parent, request);
}

void RequestImageViewer(QWidget* parent, const PictureRequest& request) {
    Dispatch(parent, PlotViewers().ImageViewer, parent, request);
}
