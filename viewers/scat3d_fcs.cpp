// The 3D plot's FCS 2.0 import: all five parameters of every event into records 1..5.
#include "scat3d.h"

#include "dialoghooks.h"
#include "fcsreader.h"

#include <algorithm>

void TScatPlot_3D::ImportFCSClick() {
    const QString name = AskFileName(
        this, {FileDialogKind::Open, QStringLiteral("Select FCS 2.0 formatted data file"),
               QString(), QStringLiteral("FCS files (*.fcs);;All files (*)")});
    if (!name.isEmpty()) ImportFCS(name);
}

void TScatPlot_3D::ImportFCS(const QString& fileName) {
    FcsData fcs;
    std::string error;
    if (!ReadFcsFile(fileName.toStdString(), fcs, error)) {
        ShowMessage(this, QString::fromStdString(error), QStringLiteral("Import FCS 2.0"),
                    MsgIcon::Stop);
        return;
    }
    for (int p = 1; p <= kFcsParameters; ++p) {
        tPlotSeries& s = PlotSeries[p];
        const std::vector<float>& values = fcs.Values[p - 1];
        s.Values.assign(values.size() + 1, 0.0f); // the table counts from 1
        std::copy(values.begin(), values.end(), s.Values.begin() + 1);
        s.Count = fcs.Events;
        s.Name = p <= int(fcs.Names.size()) ? fcs.Names[p - 1] : std::string();
        Series.DimSeries[p] = p;
        UpdateSeriesRange3D(Series, p);
    }
    Series.PointCount = fcs.Events;
}
