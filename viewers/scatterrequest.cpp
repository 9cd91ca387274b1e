#include "scatterrequest.h"

#include "scatterview.h"

#include <QAction>
#include <algorithm>

void SetUpScatterView(TfScatterView& view, int plotKind, const QString& registryKey,
                      int showGeneListMenu, WindowHandle geneListHandle) {
    view.RegistryKey = registryKey;
    view.ShowGeneListMenu = showGeneListMenu;
    view.GeneListHandle = geneListHandle;
    view.PlotKind = plotKind;
    view.Pref_Scaling_LogX->setChecked(true);
    view.Pref_Scaling_LogY->setChecked(plotKind == 1);
    if (plotKind == 1) {
        view.Pref_Diagons_Main->setChecked(true);
        view.Pref_Diagons_Side->setChecked(true);
    }
}

TfScatterView* ShowScatterPlot(const ScatterPlotRequest& request) {
    auto* view = new TfScatterView;
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->Title = request.Title;
    SetUpScatterView(*view, request.Mode == 1001 ? 2 : 1, request.RegistryKey,
                     request.ShowGeneListMenu, request.GeneListHandle);
    view->show();
    const int n = static_cast<int>(std::min(request.X.size(), request.Y.size()));
    view->SetSeriesLength(1, n);
    ScatterSeries& s = view->Series[1];
    s.XLabel = request.XLabel.toStdString();
    s.YLabel = request.YLabel.toStdString();
    std::copy_n(request.X.begin(), n, s.Values[1].begin() + 1);
    std::copy_n(request.Y.begin(), n, s.Values[2].begin() + 1);
    s.Annotations.reserve(static_cast<size_t>(request.Annotations.size()));
    for (const QString& a : request.Annotations) s.Annotations.push_back(a.toStdString());
    view->FormResize();
    view->UpdateSeriesRange(1);
    view->Repaint();
    return view;
}
