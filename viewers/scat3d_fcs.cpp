// The 3D plot's FCS 2.0 import: all five parameters of every event into records 1..5.
#include "scat3d.h"

#include "dialoghooks.h"
#include "fcsreader.h"

#include <array>
#include <cerrno>
#include <new>

void TScatPlot_3D::ImportFCSClick() {
    const QString name = AskFileName(
        this, {FileDialogKind::Open, QStringLiteral("Select FCS 2.0 formatted data file"),
               QString(), QStringLiteral("FCS files (*.fcs);;All files (*)")});
    if (!name.isEmpty()) ImportFCS(name);
}

void TScatPlot_3D::ImportFCS(const QString& fileName) {
    FcsData fcs;
    std::string error;
    bool read = ReadFcsFile(fileName.toStdString(), fcs, error);
    // The records' tables count from 1; they are all made before any record changes.
    std::array<std::vector<float>, kFcsParameters> tables;
    std::array<std::string, kFcsParameters> names;
    try {
        for (int p = 0; read && p < kFcsParameters; ++p) {
            std::vector<float>& values = fcs.Values[p];
            tables[p].reserve(values.size() + 1);
            tables[p].push_back(0.0f);
            tables[p].insert(tables[p].end(), values.begin(), values.end());
            std::vector<float>().swap(values);
            if (p < int(fcs.Names.size())) names[p] = fcs.Names[p];
        }
    } catch (const std::bad_alloc&) {
        read = false;
        error = FcsReadError(fileName.toStdString(), ENOMEM);
    }
    if (!read) {
        ShowMessage(this, QString::fromStdString(error), QStringLiteral("Import FCS 2.0"),
                    MsgIcon::Stop);
        return;
    }
    for (int p = 1; p <= kFcsParameters; ++p) {
        tPlotSeries& s = PlotSeries[p];
        s.Values.swap(tables[p - 1]);
        s.Count = fcs.Events;
        s.Name.swap(names[p - 1]);
        Series.DimSeries[p] = p;
        UpdateSeriesRange3D(Series, p);
    }
    Series.PointCount = fcs.Events;
}
