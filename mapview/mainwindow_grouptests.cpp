// The main window's group tests and the p-value histogram that sets their alpha.
#include "dialoghooks.h"
#include "groupselector.h"
#include "grouptests.h"
#include "mainwindow.h"
#include "menuitems.h"
#include "pdist.h"
#include "pvaluefilters.h"
#include "records.h"
#include "toolheadertables.h"

#include <QAction>
#include <QChart>
#include <QLineSeries>
#include <QSlider>
#include <QValueAxis>
#include <algorithm>

namespace {

// The groups of a closed group selector, tested at alpha 0.01.
void TakeGroups(tStat& stat, const TdGroupSelector& dialog) {
    stat.GroupCount = dialog.GroupCount;
    const int kept = std::min<int>(dialog.GroupCount, static_cast<int>(stat.GroupText.size()) - 1);
    for (int g = 1; g <= kept; ++g)
        stat.GroupText[static_cast<size_t>(g)] =
            dialog.GroupMembers[static_cast<size_t>(g)].toStdString();
    stat.AlphaSettings[0] = "0.01";
    stat.Alpha = 0.01f;
}

QString Found(const tStat& stat) {
    return QStringLiteral("%1 features with p<%2 found")
        .arg(stat.SignificantCount)
        .arg(static_cast<double>(stat.Alpha), 0, 'g', 6);
}

const QString kDistribution = QStringLiteral("Distribution");

// The statistics' histogram as the window's distribution, the marker as high as its highest bin.
void ShowDistribution(TPDist& histogram, QLineSeries& distribution, const tStat& stat) {
    QList<QPointF> points;
    points.reserve(kHistogramBins);
    for (int i = 0; i < kHistogramBins; ++i)
        points.append(QPointF(i / 100.0, stat.Histogram[static_cast<size_t>(i)]));
    distribution.replace(points);
    histogram.MarkerHeight = stat.HistogramMax;
}

} // namespace

void TfQuorbelView::ConnectGroupTestCommands() {
    for (QAction* item : {Anal_Stat_CGH_GroupTesting, POM_CGH_ClassTests})
        ConnectCommand(this, item, [this] { Anal_Stat_CGH_GroupTestingClick(); });
    for (QAction* item : {POM_GEHM_GeneGroupSelection, POM_GEHM_GroupTesting})
        ConnectCommand(this, item,
                       [this, item] { POM_GEHM_GroupTestingClick(item->data().toInt()); });
    for (QAction* item : {Anal_Stat_CGH_SetAlpha, POM_CGH_SetAlpha, POM_GEHM_SetAlpha})
        ConnectCommand(this, item,
                       [this, item] { Anal_Stat_CGH_SetAlphaClick(item->data().toInt()); });
}

bool TfQuorbelView::RunGroupTest(tStat& stat, const TdGroupSelector& dialog,
                                 const std::function<std::string(tStat&)>& test) {
    // The test runs on a copy: a grouping it refuses leaves the statistics as they were.
    tStat tested = stat;
    TakeGroups(tested, dialog);
    if (const std::string reason = test(tested); !reason.empty()) {
        const QString text = QString::fromStdString(reason);
        InfoLog.AddLines({reason});
        ShowMessage(this, text, QStringLiteral("Quorbel"), MsgIcon::Stop);
        return false;
    }
    ParseGrouping(tested);
    stat = std::move(tested);
    InfoLog.AddLines({Found(stat).toStdString()});
    return true;
}

void TfQuorbelView::Anal_Stat_CGH_GroupTestingClick() {
    TdGroupSelector dialog;
    dialog.Mode = 0;
    dialog.ConditionCount = std::clamp(CGHData.HNum, 0, kMaxHybridisations);
    dialog.HeaderRowCount = FillCGHHeaderTable(dialog.HeaderTable, CGHData) + 1;
    dialog.LabelRow = 1;
    dialog.GroupCount = 3;
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    if (!RunGroupTest(CGHStat, dialog, [](tStat& s) { return CGHGroupTest(s, CGHData); })) return;
    BumpDataVersion();
    RepaintMap();
}

void TfQuorbelView::POM_GEHM_GroupTestingClick(int tag) {
    TdGroupSelector dialog;
    dialog.Mode = 0;
    // Every header row is offered: the count handed over is the rows plus one.
    dialog.HeaderRowCount = FillExpressionHeaderTable(dialog.HeaderTable, ExpData) + 1;
    dialog.ConditionCount = dialog.HeaderTable.Conditions();
    dialog.LabelRow = 1;
    dialog.GroupCount = ExpStat.GroupCount != 0 ? ExpStat.GroupCount : 3;
    const int seeded = std::clamp(ExpStat.GroupCount, 0, TdGroupSelector::kMaxGroups);
    for (int g = 1; g <= seeded; ++g)
        dialog.GroupMembers[static_cast<size_t>(g)] =
            QString::fromStdString(ExpStat.GroupText[static_cast<size_t>(g)]);
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    if (!RunGroupTest(ExpStat, dialog, [](tStat& s) { return ExpressionGroupTest(s, ExpData); }))
        return;
    // The groups' samples are shown one after another, in group order.
    std::string joined;
    for (int g = 1; g <= dialog.GroupCount; ++g)
        joined += dialog.GroupMembers[static_cast<size_t>(g)].toStdString() + ",";
    const std::vector<int32_t> shown = ReadMembers(joined, ExpData.SampleCount);
    ExpData.SampleOrder.fill(0);
    ExpData.SampleOrder[0] = static_cast<int32_t>(shown.size());
    std::copy(shown.begin(), shown.end(), ExpData.SampleOrder.begin() + 1);
    BumpDataVersion();
    Anal_Stat_CGH_SetAlphaClick(tag);
}

void TfQuorbelView::Anal_Stat_CGH_SetAlphaClick(int tag) {
    const bool cgh = tag != 2;
    const tStat& stat = cgh ? CGHStat : ExpStat;
    auto* histogram = new TPDist(this);
    histogram->setAttribute(Qt::WA_DeleteOnClose);
    histogram->OwnerHandle = Handle();
    histogram->NotifyMessage = WM_TOOL_COMMAND;
    histogram->NotifyCode = cgh ? 2000 : 2010;
    const QString title = (cgh ? QStringLiteral("CGH") : QStringLiteral("Gene expression")) +
                          QStringLiteral(" group testing - p-Distribution");
    histogram->setWindowTitle(title);
    QChart* chart = histogram->Chart();
    chart->setTitle(title);
    chart->legend()->hide();
    const QList<QAbstractAxis*> across = chart->axes(Qt::Horizontal);
    const QList<QAbstractAxis*> up = chart->axes(Qt::Vertical);
    across.first()->setTitleText(QStringLiteral("p-value (-log10)"));
    up.first()->setTitleText(QStringLiteral("Absolute abundance (# of genes)"));
    across.first()->setRange(0.0, 10.0);
    up.first()->setRange(0.0, std::max(stat.HistogramMax, 1));
    QLineSeries* distribution = histogram->AddSeries(kDistribution, QColor(0, 0, 255));
    QPen pen = distribution->pen();
    pen.setWidth(2);
    distribution->setPen(pen);
    ShowDistribution(*histogram, *distribution, stat);
    histogram->CriticalP = stat.Alpha;
    histogram->show();
    // Both histograms report the CGH probes that pass the CGH alpha.
    const std::string refused = CountSignificantProbes(CGHStat, CGHData);
    InfoLog.AddLines({refused.empty() ? Found(CGHStat).toStdString() : refused});
    RepaintMap();
}

void TfQuorbelView::HistogramsFollowLoad(LoadedData kind) {
    if (kind == LoadedData::Hybridisations) return; // the test results stand
    const bool cgh = kind == LoadedData::CGHDataSet;
    for (TPDist* histogram : findChildren<TPDist*>(Qt::FindDirectChildrenOnly)) {
        if (histogram->NotifyCode != (cgh ? 2000 : 2010)) continue;
        for (QLineSeries* series : histogram->ChartSeries())
            if (series->name() == kDistribution)
                ShowDistribution(*histogram, *series, cgh ? CGHStat : ExpStat);
        // The threshold the user set stays; the marker takes the new height.
        histogram->SetThreshold(0, histogram->TB_pValue->value() / 100.0);
    }
}
