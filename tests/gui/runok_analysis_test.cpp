#include "guitest.h"
#include "installviewers.h"
#include "plotviewers.h"
#include "scat3d.h"
#include "scatterview.h"
#include "selectortest.h"
#include "windowregistry.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <cmath>

namespace {

constexpr float N = NAN;

// Genes g1..g3 over four conditions, annotated "g1".. in column 1, "Gene".
AnalysisMatrix SmallMatrix() {
    AnalysisMatrix m;
    m.Resize(3, 4);
    m.Values = {1, N, 3, 4, 2, 2, 5, 8, 3, 6, N, 2};
    m.AnnotationColumnCount = 1;
    m.Annotation = {{}, {"", "g1"}, {"", "g2"}, {"", "g3"}};
    m.HeaderCells = {{}, {"", "Gene"}, {"", "c1"}, {"", "c2"}, {"", "c3"}, {"", "c4"}};
    return m;
}

std::unique_ptr<TdGroupSelector> Analysis(int mode, AnalysisMatrix& m, int groups = 0) {
    auto d = Selector(mode, m.ConditionCount, false);
    d->AnalysisMatrix = &m;
    if (groups > 0) d->GroupCount = groups;
    d->FormShow();
    return d;
}

std::vector<float> Values(const AnalysisMatrix& m, int g) {
    return std::vector<float>(m.Row(g), m.Row(g) + m.ConditionCount);
}

// Replaces the installed viewers with recorders while it lives.
struct RecordedPlots {
    RecordedPlots() {
        PlotViewers() = {};
        PlotViewers().ScatterPlot = [this](const ScatterPlotRequest& r) { scatter.push_back(r); };
        PlotViewers().Plot3D = [this](const Plot3DRequest& r) { plots3D.push_back(r); };
    }
    ~RecordedPlots() { PlotViewers() = {}; }
    std::vector<ScatterPlotRequest> scatter;
    std::vector<Plot3DRequest> plots3D;
};

TEST(RunOKAnalysis, FiltersAskBeforeRemovingAndTheOthersReportWhenDone) {
    AnalysisMatrix m = SmallMatrix();
    {
        MessageCapture no(MsgResult::No);
        auto d = Analysis(3001, m, 1);
        Mark(*d, {1, 2, 3});
        d->Matches_SE->setValue(30); // more than 0.9 of the three marked missing
        d->BB_RunOK(d->BBB_RunAnalysis);
        ASSERT_EQ(no.shown.size(), 2u);
        EXPECT_EQ(no.shown[0].text, QStringLiteral("2 genes matching filter criteria found.\n\nDo "
                                                   "you really want to unrecoverable remove "
                                                   "these genes ?"));
        EXPECT_EQ(no.shown[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(no.shown[1].caption, QStringLiteral("JX-DORV : Gene filter"));
        EXPECT_EQ(m.GeneCount, 3);
        MessageCapture yes(MsgResult::Yes);
        d->BB_RunOK(d->BBB_RunAnalysis);
        EXPECT_EQ(m.GeneCount, 1);
        EXPECT_EQ(m.AnnotationCell(1, 1), "g2");
        EXPECT_TRUE(d->StatusPanels[1]->text().isEmpty());
        EXPECT_EQ(d->ResultCode, -1); // the filter keeps the window
    }
    {
        // Nothing assigned to the two groups: no gene matches.
        AnalysisMatrix all = SmallMatrix();
        MessageCapture yes(MsgResult::Yes);
        auto d = Analysis(3002, all, 2);
        d->BB_RunOK(d->BBB_RunAnalysis);
        EXPECT_TRUE(yes.shown[0].text.startsWith(QStringLiteral("0 genes matching")));
        EXPECT_EQ(all.GeneCount, 3);
    }

    m = SmallMatrix();
    MessageCapture boxes;
    auto average = Analysis(3102, m);
    Mark(*average, {1, 2, 3});
    average->BB_RunOK(average->BBB_RunAnalysis);
    EXPECT_EQ(Values(m, 1)[1], 2.0f);
    EXPECT_EQ(boxes.shown.back().text,
              QStringLiteral("Done.\n\n2 values replaced ( 22.22% )\nin 2 rows ( 66.67% )"));
    EXPECT_EQ(boxes.shown.back().caption, QStringLiteral("JX-Dorv: Data imputation"));

    for (int mode : {3201, 3200, 3202}) {
        m = SmallMatrix();
        auto swap = Analysis(mode, m);
        Mark(*swap, {4});
        swap->BB_RunOK(swap->BBB_RunAnalysis);
        EXPECT_EQ(Values(m, 2)[3], mode == 3202 ? 8.0f : -8.0f) << mode;
        EXPECT_EQ(boxes.shown.back().text,
                  mode == 3202 ? QStringLiteral("\nDone") : QStringLiteral("Swap sign\nDone"));
    }

    m = SmallMatrix();
    auto total = Analysis(1201, m);
    Assign(*total, 1, {3, 4});
    total->BB_RunOK(total->BitBtn_OK);
    EXPECT_EQ(boxes.shown.back().text, QStringLiteral("Done.\n\nSee Log for details."));
    EXPECT_TRUE(total->Log_Memo->toPlainText().contains(QStringLiteral("3\tc3\t         8")));
    EXPECT_FLOAT_EQ(Values(m, 2)[3], 8 / (14.0f / 11));

    BeepCounter beeps;
    m = SmallMatrix();
    auto pools = Analysis(1100, m, 2);
    Assign(*pools, 1, {1});
    Assign(*pools, 2, {4});
    pools->Normalise_CB_Self->setChecked(false);
    pools->BB_RunOK(pools->BitBtn_OK);
    EXPECT_EQ(Values(m, 2), (std::vector<float>{0.25f, 2, 5, 8}));
    EXPECT_EQ(pools->Log_Memo->toPlainText(), QStringLiteral("1\n4"));
    EXPECT_EQ(boxes.shown.back().text,
              QStringLiteral("Hybridization normalisation/centering - Done"));
    EXPECT_EQ(beeps.count, 1);
    EXPECT_EQ(pools->ResultCode, -1);
}

TEST(RunOKAnalysis, ACloseAskedWhileARunWorksIsRefusedUntilItHasEnded) {
    AnalysisMatrix m;
    m.Resize(500, 2); // all missing, and enough genes for the run to show its progress
    MessageCapture boxes;
    auto d = Analysis(3101, m);
    Mark(*d, {1, 2});
    d->show();
    QTimer::singleShot(0, d.get(), [&] { d->close(); });
    d->BB_RunOK(d->BBB_RunAnalysis);
    EXPECT_TRUE(d->isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("Done.\n\n1000 values replaced ( 100.00% )\nin 500 rows ( 100.00% )"));
    d->close();
    EXPECT_FALSE(d->isVisible());
}

TEST(RunOKPlots, PlotModesHandTheirSeriesToTheViewers) {
    AnalysisMatrix m = SmallMatrix();
    RecordedPlots plots;
    BeepCounter beeps;

    // Two groups: their per-gene means, missing values as 0.
    auto groups = Selector(1010, 4, false);
    groups->AnalysisMatrix = &m;
    groups->GroupCount = 2;
    groups->GroupMembers[1] = QStringLiteral("1,2");
    groups->GroupMembers[2] = QStringLiteral("4");
    groups->MessageCaption = QStringLiteral("Caller");
    groups->FormShow();
    groups->BB_RunOK(groups->BBB_RunAnalysis);
    ASSERT_EQ(plots.scatter.size(), 1u);
    const ScatterPlotRequest& means = plots.scatter[0];
    EXPECT_EQ(means.X, (std::vector<float>{0.5f, 2, 4.5f}));
    EXPECT_EQ(means.Y, (std::vector<float>{4, 8, 2}));
    EXPECT_EQ(means.XLabel, QStringLiteral("Group 1"));
    EXPECT_EQ(means.Title, QStringLiteral("Caller"));
    EXPECT_EQ(means.Annotations, (QStringList{QStringLiteral("GeneID"), QStringLiteral("g1"),
                                              QStringLiteral("g2"), QStringLiteral("g3")}));
    EXPECT_EQ(groups->ResultCode, 1); // closed beside its viewer
    auto empty = Selector(1010, 4, false);
    empty->AnalysisMatrix = &m;
    empty->GroupCount = 2;
    empty->GroupMembers[1] = QStringLiteral("1,2");
    empty->FormShow();
    empty->BB_RunOK(empty->BBB_RunAnalysis); // group 2 has no mean to plot
    EXPECT_EQ(beeps.count, 1);
    EXPECT_EQ(plots.scatter.size(), 1u);

    plots.scatter.clear();
    auto xy = Analysis(1000, m);
    Mark(*xy, {3, 1, 4});
    xy->BB_RunOK(xy->BitBtn_OK);
    ASSERT_EQ(plots.scatter.size(), 2u);
    EXPECT_EQ(plots.scatter[0].X, (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(plots.scatter[0].Y, (std::vector<float>{3, 5, 0}));
    EXPECT_EQ(plots.scatter[1].YLabel, QStringLiteral("c4"));
    EXPECT_EQ(xy->ResultCode, -1); // its one group is empty: the window stays

    plots.scatter.clear();
    for (int mode : {1001, 1002}) {
        auto d = Analysis(mode, m);
        Mark(*d, {2, 4});
        d->BB_RunOK(d->BitBtn_OK);
    }
    ASSERT_EQ(plots.scatter.size(), 2u);
    EXPECT_EQ(plots.scatter[0].Mode, 1001);
    EXPECT_FLOAT_EQ(plots.scatter[0].Y[1], std::log(0.25f));
    EXPECT_FLOAT_EQ(plots.scatter[0].X[1], 4);
    EXPECT_EQ(plots.scatter[1].X, (std::vector<float>{0, 2, 6}));
    EXPECT_EQ(plots.scatter[1].Y, (std::vector<float>{2, 4, 8}));

    AnalysisMatrix wide;
    wide.Resize(2, 7);
    auto three = Analysis(1003, wide);
    Mark(*three, {1, 2, 3, 4, 5, 6, 7});
    three->BB_RunOK(three->BitBtn_OK);
    ASSERT_EQ(plots.plots3D.size(), 1u);
    ASSERT_EQ(plots.plots3D[0].Series.size(), 6u);
    EXPECT_EQ(plots.plots3D[0].Series[5].Name, QStringLiteral("c6"));
    EXPECT_EQ(plots.plots3D[0].Series[0].Values, (std::vector<float>{0, 0}));

    Mark(*three, {2});
    three->BB_RunOK(three->BitBtn_OK);
    EXPECT_EQ(beeps.count, 2);
    EXPECT_EQ(plots.plots3D.size(), 1u);

    PlotViewers() = {};
    MessageCapture boxes;
    Mark(*three, {2, 3});
    three->BB_RunOK(three->BitBtn_OK);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("No scatter plot viewer is available."));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Stop);
}

TEST(RunOKPlots, TheInstalledViewersOpenWithTheMarkedConditions) {
    InstallPlotViewers();
    AnalysisMatrix m = SmallMatrix();
    auto xy = Analysis(1000, m);
    Mark(*xy, {1, 3});
    xy->BB_RunOK(xy->BitBtn_OK);
    const auto found = WindowRegistry::Find(QStringLiteral("TfScatterView"), true);
    ASSERT_EQ(found.size(), 1u);
    QPointer<TfScatterView> view = qobject_cast<TfScatterView*>(found[0].window);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Series[1].Count, 3);
    EXPECT_EQ(view->Series[1].Values[1][3], 3.0f);
    EXPECT_EQ(view->Series[1].Values[2][2], 5.0f);
    EXPECT_EQ(view->Series[1].YLabel, "c3");
    view->close();

    auto three = Analysis(1003, m);
    Mark(*three, {1, 2, 4});
    three->BB_RunOK(three->BitBtn_OK);
    const auto plots = WindowRegistry::Find(QStringLiteral("TScatPlot_3D"), true);
    ASSERT_EQ(plots.size(), 1u);
    std::unique_ptr<TScatPlot_3D> plot(qobject_cast<TScatPlot_3D*>(plots[0].window));
    ASSERT_TRUE(plot);
    EXPECT_EQ(PlotSeries[1].Name, "c1");
    EXPECT_EQ(PlotSeries[3].Name, "c4");
    EXPECT_EQ(PlotSeries[4].Count, 0);
    EXPECT_EQ(plot->Series.PointCount, 3);
    PlotViewers() = {};
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
