#include "cghtool.h"

#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

TfCGH_Tool::TfCGH_Tool(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("CGH data sets"));
    DataSetList = new QListWidget(this);
    (new QVBoxLayout(this))->addWidget(DataSetList);
}

void RefreshToolDataSetList(TfCGH_Tool& tool, const tCGH_DataSet& data) {
    tool.DataSetList->clear();
    const int last = std::min(data.HNum, static_cast<int32_t>(kMaxHybridisations));
    for (int h = 1; h <= last; ++h) {
        const tCGHHybridisation& hyb = data.Hyb[static_cast<size_t>(h)];
        if (hyb.FileName.empty()) continue;
        tool.DataSetList->addItem(
            QStringLiteral(" %1  %2").arg(h).arg(QString::fromStdString(hyb.FileName)));
        tool.DataSetActive[static_cast<size_t>(h)] = hyb.Active > 0 ? 1 : 0;
    }
    tool.DataSetList->update();
}
