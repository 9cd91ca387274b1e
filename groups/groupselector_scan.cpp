// Plots of the marked conditions: the dot chart counting their labels and the plot scan, a
// mosaic of every marked condition plotted against every other.
#include "dialoghooks.h"
#include "groupselector.h"
#include "numbers.h"
#include "plotviewers.h"
#include "statusprogress.h"
#include "system.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <map>

namespace {
constexpr int kMostChartGroups = 100;

struct CaseLess {
    bool operator()(const QString& a, const QString& b) const {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }
};
} // namespace

void TdGroupSelector::CreatePlotScanMenu() {
    POM_SPScan = new QMenu(this);
    const auto item = [this](const QString& caption, int tag) {
        QAction* a = POM_SPScan->addAction(caption);
        SetTag(a, tag);
        connect(a, &QAction::triggered, this, [this, a] { BB_ScanClick(a); });
        return a;
    };
    XYScatterplot1 = item(QStringLiteral("&X-Y Scatterplot"), 1);
    RatioIntensityplot1 = item(QStringLiteral("&Ratio-Intensity plot"), 2);
    Quantileplot1 = item(QStringLiteral("&Quantile plot"), 3);
    BB_Scan->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(BB_Scan, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { POM_SPScan->popup(BB_Scan->mapToGlobal(at)); });
    connect(BB_Scan, &QPushButton::clicked, this, [this] { BB_ScanClick(BB_Scan); });
}

void TdGroupSelector::ShowSelectionDotChart(int kind) {
    if (!AnalysisMatrix) {
        Beep();
        return;
    }
    const ::AnalysisMatrix& m = *AnalysisMatrix;
    // Labels that differ only in case count as one, under the spelling met first.
    std::map<QString, int, CaseLess> counts;
    for (const int32_t c : MarkedColumns())
        ++counts[QString::fromStdString(m.ConditionHeaderCell(c, LabelRow))];

    DotChartRequest request;
    request.Caption = QStringLiteral("Kelv - Data viewer");
    if (kind == 1000) {
        request.Title = CB_ConditionNames->currentText();
        for (const auto& [label, count] : counts) {
            if (static_cast<int>(request.Groups.size()) == kMostChartGroups) break;
            const QString percent = QString::fromStdString(
                FormatFixed(100.0 * count / std::max(m.ConditionCount, 1), 2));
            request.Groups.push_back(
                {QString::number(count), QStringLiteral("%1\\n%2\\n%3 %")
                                             .arg(label.isEmpty() ? QStringLiteral("--") : label,
                                                  QString::number(count), percent)});
        }
    }
    RequestDotChart(this, request);
    if (kind == 1000 && counts.size() > kMostChartGroups)
        ShowMessage(this,
                    QStringLiteral("%1 different labels: the chart shows the first %2.")
                        .arg(counts.size())
                        .arg(kMostChartGroups),
                    QStringLiteral("Kelv"), MsgIcon::Information);
}

void TdGroupSelector::BB_ScanClick(QObject* sender) {
    const int tag = Tag(sender);
    const int kind = tag >= 1 && tag <= 3 ? tag : 1;
    const std::vector<int32_t> columns = MarkedColumns();
    const int n = static_cast<int>(columns.size());
    if (n < 2) {
        ShowMessage(this, QStringLiteral("Too view experiments selected !!"),
                    QStringLiteral("Kelv"), MsgIcon::Stop);
        return;
    }
    if (n > kMostScanConditions) {
        ShowMessage(this,
                    QStringLiteral("Too many conditions for a plot mosaic (at most %1).")
                        .arg(kMostScanConditions),
                    QStringLiteral("Kelv"), MsgIcon::Stop);
        return;
    }
    PlotScanRequest request;
    request.Kind = kind;
    request.RegistryKey = RegistryKey;
    request.ShowGeneListMenu = ShowGeneListMenu;
    request.GeneListHandle = GeneListHandle;
    request.Matrix = AnalysisMatrix;
    request.Columns = columns;
    for (const int32_t c : columns) request.Labels << List_Cond->item(c - 1)->text();

    QImage mosaic;
    {
        // Between plots the queue is served: nothing may close the dialog or start a plot.
        const std::array<QPushButton*, 5> buttons = {BB_XY, BB_RI, BB_QQ, BB_3D, BB_Scan};
        std::array<bool, 5> enabled{};
        for (size_t i = 0; i < buttons.size(); ++i) {
            enabled[i] = buttons[i]->isEnabled();
            buttons[i]->setEnabled(false);
        }
        busy_ = true;
        StatusProgress progress(StatusPanels[1], [n](int position, int) {
            return QStringLiteral("Creating plots %1 from %2 ...").arg(position).arg(n * n);
        });
        request.Progress = &progress;
        mosaic = RequestPlotScan(this, request);
        busy_ = false;
        for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->setEnabled(enabled[i]);
    }
    if (mosaic.isNull()) return;
    static const char* const kCaptions[] = {"Kelv - Scatter plot scan - ",
                                            "Kelv - Ratio-Intensity plot scan - ",
                                            "Kelv - Quantile plot scan - "};
    PictureRequest picture;
    picture.Picture = std::move(mosaic);
    picture.Caption =
        QString::fromLatin1(kCaptions[kind - 1]) + QString::fromStdString(AnalysisMatrix->Name);
    picture.ZoomLevel = -3;
    RequestImageViewer(this, picture);
}
