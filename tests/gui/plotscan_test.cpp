// The group selector's plots of marked conditions: the label dot chart and the plot mosaic, as a
// caller of the analysis modes opens them, through the installed viewers.
#include "cloudplot.h"
#include "guitest.h"
#include "imageview.h"
#include "installviewers.h"
#include "plotviewers.h"
#include "random.h"
#include "selectortest.h"
#include "sinks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Values of `conditions` generated conditions, each a noisy multiple of the first, labelled by
// `labels` (data column c has header column c).
AnalysisMatrix Generated(int genes, const std::vector<std::string>& labels) {
    AnalysisMatrix m;
    m.Name = "generated";
    m.Resize(genes, static_cast<int32_t>(labels.size()));
    ResetRandom();
    for (int32_t g = 1; g <= genes; ++g)
        for (int32_t c = 1; c <= m.ConditionCount; ++c)
            m.At(g, c) = static_cast<float>(c * (1 + 1000 * RandomUnit()) + 50 * RandomUnit());
    m.AnnotationColumnCount = 0;
    m.HeaderCells.assign(labels.size() + 1, {});
    for (size_t c = 0; c < labels.size(); ++c) m.HeaderCells[c + 1] = {"", labels[c]};
    return m;
}

std::unique_ptr<TdGroupSelector> Plots(int mode, AnalysisMatrix& m) {
    auto d = Selector(mode, m.ConditionCount, false);
    d->AnalysisMatrix = &m;
    d->FormShow();
    return d;
}

// Marks the conditions and presses the dot-chart button; the charts the dialog opened.
QList<TCloudPlot*> ChartsOfMarked(TdGroupSelector& d, std::initializer_list<int> marks) {
    Mark(d, marks);
    QTest::mouseClick(d.BB_XY, Qt::LeftButton);
    return d.findChildren<TCloudPlot*>();
}

struct Installed {
    Installed() { InstallPlotViewers(); }
    ~Installed() { PlotViewers() = {}; }
};

int BlackPixels(const QImage& image, const QRect& r) {
    int black = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++black;
    return black;
}

TEST(PlotScan, ThreeConditionsGiveAMosaicOfNinePlotsInAnImageViewer) {
    Installed viewers;
    AnalysisMatrix m = Generated(400, {"a", "b", "c", "d"});
    auto d = Plots(1000, m);
    Mark(*d, {1, 2, 4});
    QTest::mouseClick(d->BB_Scan, Qt::LeftButton);

    const QList<TImageView*> shown = d->findChildren<TImageView*>();
    ASSERT_EQ(shown.size(), 1);
    TImageView* view = shown[0];
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Kelv - Scatter plot scan - generated"));
    EXPECT_EQ(view->ZoomLevel, -3);
    const QImage& mosaic = view->Picture;
    EXPECT_EQ(mosaic.format(), QImage::Format_Mono);
    EXPECT_EQ(mosaic.size(), QSize(1050, 950));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_GT(BlackPixels(mosaic, QRect(250 * (column + 1), 100 + 250 * row, 250, 250)),
                      1000)
                << row << ", " << column;
    EXPECT_GT(BlackPixels(mosaic, QRect(250, 40, 800, 50)), 0); // the labels along the top
    EXPECT_GT(BlackPixels(mosaic, QRect(0, 100, 245, 750)), 0); // and down the left
    EXPECT_TRUE(d->StatusPanels[1]->text().isEmpty());
    EXPECT_GT(BlackPixels(view->grab().toImage(), view->rect()), 100);

    // The menu's ratio-intensity kind: its own caption, the mosaic still 1 bit.
    d->RatioIntensityplot1->trigger();
    const QList<TImageView*> now = d->findChildren<TImageView*>();
    ASSERT_EQ(now.size(), 2);
    EXPECT_EQ(now[1]->windowTitle(),
              QStringLiteral("Kelv - Ratio-Intensity plot scan - generated"));
    EXPECT_EQ(now[1]->Picture.format(), QImage::Format_Mono);
}

TEST(PlotScan, TooFewOrTooManyConditionsGiveTheirBoxAndNothingElse) {
    Installed viewers;
    AnalysisMatrix m = Generated(2, std::vector<std::string>(130, "x"));
    const struct {
        int marked;
        const char* text;
    } cases[] = {{1, "Too view experiments selected !!"},
                 {130, "Too many conditions for a plot mosaic (at most 129)."}};
    for (const auto& c : cases) {
        auto d = Plots(1000, m);
        d->List_Cond->clearSelection();
        for (int i = 0; i < c.marked; ++i) d->List_Cond->item(i)->setSelected(true);
        MessageCapture messages;
        d->BB_ScanClick(d->Quantileplot1);
        ASSERT_EQ(messages.shown.size(), 1u) << c.marked;
        EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Kelv"));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
        EXPECT_TRUE(d->findChildren<TImageView*>().isEmpty());
    }
}

TEST(PlotScan, WhileThePlotsAreDrawnTheDialogStaysOpenAndThePlotButtonsWait) {
    AnalysisMatrix m = Generated(3, {"a", "b", "c"});
    auto d = Plots(1000, m);
    d->show();
    Mark(*d, {1, 3});
    int calls = 0;
    PlotViewers().PlotScan = [&](QWidget* parent, const PlotScanRequest& r) {
        ++calls;
        EXPECT_EQ(parent, d.get());
        EXPECT_EQ(r.Kind, 3);
        EXPECT_EQ(r.Columns, (std::vector<int32_t>{1, 3}));
        EXPECT_EQ(r.Labels, (QStringList{QStringLiteral("c1"), QStringLiteral("c3")}));
        r.Progress->SetPosition(2);
        EXPECT_EQ(d->StatusPanels[1]->text(), QStringLiteral("Creating plots 2 from 4 ..."));
        EXPECT_FALSE(d->close());
        for (QPushButton* b : {d->BB_XY, d->BB_RI, d->BB_QQ, d->BB_3D, d->BB_Scan})
            EXPECT_FALSE(b->isEnabled());
        return QImage();
    };
    d->BB_ScanClick(d->Quantileplot1);
    PlotViewers() = {};
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->BB_Scan->isEnabled());
    EXPECT_TRUE(d->StatusPanels[1]->text().isEmpty());
    EXPECT_TRUE(d->close());
}

TEST(SelectionDotChart, DataColumnsFollowTheAnnotationColumns) {
    Installed viewers;
    AnalysisMatrix m = Generated(2, {"s1", "s2"});
    m.AnnotationColumnCount = 2;
    m.HeaderCells = {{}, {"", "Symbol"}, {"", "Chr"}, {"", "s1"}, {"", "s2"}};
    EXPECT_EQ(Items(Plots(1000, m)->List_Group),
              (QStringList{QStringLiteral("Symbol"), QStringLiteral("Chr")}));
    auto d = Plots(1010, m);
    const TCloudPlot& chart = *ChartsOfMarked(*d, {1, 2}).at(0);
    ASSERT_EQ(chart.Data.GroupCount, 2);
    EXPECT_EQ(chart.Data.Groups[1].Name, "s1\\n1\\n50.00 %");
    EXPECT_EQ(chart.Data.Groups[2].Name, "s2\\n1\\n50.00 %");
}

TEST(SelectionDotChart, CountsTheMarkedConditionsPerLabel) {
    Installed viewers;
    AnalysisMatrix m = Generated(2, {"x", "y", "x", ""});
    auto d = Plots(1010, m);
    const QList<TCloudPlot*> charts = ChartsOfMarked(*d, {1, 3, 4});
    ASSERT_EQ(charts.size(), 1);
    const TCloudPlot& chart = *charts[0];
    EXPECT_EQ(chart.windowTitle(), QStringLiteral("Kelv - Data viewer"));
    EXPECT_EQ(chart.Title, d->CB_ConditionNames->currentText());
    ASSERT_EQ(chart.Data.GroupCount, 2);
    EXPECT_EQ(chart.Data.Groups[1].Name, "--\\n1\\n25.00 %");
    EXPECT_EQ(chart.Data.Groups[2].Name, "x\\n2\\n50.00 %");
    EXPECT_EQ(chart.Data.Groups[2].Values[0].Raw, 2.0f);
    EXPECT_EQ(chart.Data.Groups[2].PointsPerLine, 7.0f);
    EXPECT_FALSE(chart.CB_Symbols->isChecked());
    EXPECT_TRUE(chart.CB_Bar->isChecked());
    EXPECT_FALSE(chart.ChartImage(QSize(400, 300)).isNull());
    EXPECT_EQ(d->ResultCode, -1); // the chart neither runs nor closes the dialog

    // More labels than groups: the first 100 in order and one message with the count.
    std::vector<std::string> labels;
    for (int i = 101; i >= 0; --i)
        labels.push_back(QStringLiteral("L%1").arg(i, 3, 10, QLatin1Char('0')).toStdString());
    AnalysisMatrix many = Generated(1, labels);
    auto e = Plots(1010, many);
    e->List_Cond->selectAll();
    MessageCapture messages;
    e->ShowSelectionDotChart(1000);
    const TCloudPlot& full = *e->findChildren<TCloudPlot*>().at(0);
    ASSERT_EQ(full.Data.GroupCount, 100);
    EXPECT_EQ(full.Data.Groups[1].Name, "L000\\n1\\n0.98 %");
    EXPECT_EQ(full.Data.Groups[100].Name, "L099\\n1\\n0.98 %");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("102 ")));
}

TEST(SelectionDotChart, LabelsAreNoTemplates) {
    Installed viewers;
    AnalysisMatrix m = Generated(1, {"dose%2", "%1"});
    auto d = Plots(1010, m);
    const TCloudPlot& chart = *ChartsOfMarked(*d, {1, 2}).at(0);
    ASSERT_EQ(chart.Data.GroupCount, 2);
    EXPECT_EQ(chart.Data.Groups[1].Name, "%1\\n1\\n50.00 %");
    EXPECT_EQ(chart.Data.Groups[2].Name, "dose%2\\n1\\n50.00 %");
}

} // namespace
