#include "cghmatrixfile.h"
#include "grouptests.h"
#include "guitest.h"
#include "maptestwindow.h"
#include "pdist.h"
#include "pvaluefilters.h"
#include "selectortest.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A shown main window over four hybridisations whose groups {1, 2} and {3, 4} differ at probes
// 1..3 of chromosome 1 and agree at probes 4..6; the shared records restored afterwards.
class GroupTestWindow : public MapWindowTest {
  protected:
    void SetUp() override {
        savedData_ = std::make_unique<tCGH_DataSet>(CGHData);
        savedHeatmap_ = ExpData;
        savedStats_ = {CGHStat, ExpStat};
        MapWindowTest::SetUp();
        LoadBands(SmallIdeogram());
        ClearCGHDataSet(CGHData);
        const float values[4][6] = {{1.1f, 1.1f, 1.1f, 0.4f, 0.4f, 0.4f},
                                    {0.9f, 0.9f, 0.9f, 0.6f, 0.6f, 0.6f},
                                    {-1.1f, -1.1f, -1.1f, 0.6f, 0.6f, 0.6f},
                                    {-0.9f, -0.9f, -0.9f, 0.4f, 0.4f, 0.4f}};
        for (int h = 1; h <= 4; ++h) {
            tCGHProbeArray& a = CGHData.Hyb[size_t(h)].Chr[1];
            a.Resize(7);
            a.SetCount(6);
            for (int i = 1; i <= 6; ++i) {
                a.Set(1, i, 1);
                a.Set(2, i, 300.0f * i);
                a.Set(3, i, 300.0f * i + 100);
                a.Set(4, i, values[h - 1][i - 1]);
                a.Set(11, i, values[h - 1][i - 1]);
                a.Set(17, i, 1.0f);
            }
            CGHData.Hyb[size_t(h)].FileName = "hyb" + std::to_string(h);
            CGHData.Hyb[size_t(h)].Active = 1;
        }
        CGHData.HNum = 4;
        CGHStat = tStat{};
        BumpDataVersion();
    }
    void TearDown() override {
        MapWindowTest::TearDown();
        CGHData = *savedData_;
        ExpData = savedHeatmap_;
        CGHStat = savedStats_.first;
        ExpStat = savedStats_.second;
        BumpDataVersion();
    }

    // Answers the next group selector with the groups (the last is the highest group number)
    // and presses `button`.
    static void Answer(ModalAnswerer& answers, std::vector<std::vector<int>> groups,
                       QPushButton* TdGroupSelector::*button = &TdGroupSelector::BitBtn_OK) {
        answers.Expect<TdGroupSelector>([groups, button](TdGroupSelector& d) {
            d.FormShow();
            SetGroups(d, static_cast<int>(groups.size()));
            for (size_t g = 0; g < groups.size(); ++g) {
                Mark(d, {});
                for (int i : groups[g]) d.List_Cond->item(i - 1)->setSelected(true);
                d.List_Group->setCurrentRow(static_cast<int>(g));
                d.Button_ConditionsToGroupClick();
            }
            d.BB_RunOK(d.*button);
            return int(QDialog::Accepted);
        });
    }

    QString LastInfoLine() const {
        const QStringList lines = w->Info_Memo->toPlainText().split(QLatin1Char('\n'));
        return lines.last();
    }

    TPDist* OpenedHistogram() const {
        const QList<TPDist*> all = w->findChildren<TPDist*>();
        return all.isEmpty() ? nullptr : all.last();
    }

  private:
    std::unique_ptr<tCGH_DataSet> savedData_;
    tHeatmap savedHeatmap_;
    std::pair<tStat, tStat> savedStats_;
};

TEST_F(GroupTestWindow, CGHTestOnOKMarksTheMapAndRefusalsChangeNothing) {
    w->POM_CGH_View->setChecked(true);
    const QImage before = Render().copy();
    MessageCapture boxes;
    const auto unchanged = [&] {
        EXPECT_EQ(CGHStat.GroupCount, 0);
        EXPECT_EQ(CGHStat.Alpha, 0.0f);
        EXPECT_EQ(CGHData.Hyb[1].Chr[1].Get(17, 1), 1.0f);
    };
    {
        ModalAnswerer answers;
        answers.Expect<TdGroupSelector>([](TdGroupSelector& d) {
            d.FormShow();
            EXPECT_EQ(d.List_Cond->count(), 4);
            EXPECT_EQ(d.Groups_SE_Number->value(), 3);
            d.BitBtn_CancelClick();
            return int(QDialog::Rejected);
        });
        Answer(answers, {{1, 2}, {3, 4}}, &TdGroupSelector::BBB_RunAnalysis);
        w->Anal_Stat_CGH_GroupTestingClick();
        w->POM_CGH_ClassTests->trigger();
    }
    unchanged();
    EXPECT_TRUE(boxes.shown.empty());

    struct Refusal {
        std::vector<std::vector<int>> groups;
        QString reason;
    };
    const Refusal refusals[] = {
        {{{1}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {2}},
         QStringLiteral("At most 10 groups can be tested, not 11.")},
        {{{}, {1}}, QStringLiteral("Group 1 has no members among the loaded hybridisations.")},
    };
    for (const Refusal& r : refusals) {
        ModalAnswerer answers;
        Answer(answers, r.groups);
        w->Anal_Stat_CGH_GroupTestingClick();
        ASSERT_FALSE(boxes.shown.empty());
        EXPECT_EQ(boxes.shown.back().text, r.reason);
        EXPECT_EQ(boxes.shown.back().icon, MsgIcon::Stop);
        EXPECT_EQ(LastInfoLine(), r.reason);
        unchanged();
    }

    {
        ModalAnswerer answers;
        Answer(answers, {{1, 2}, {3, 4}});
        w->Anal_Stat_CGH_GroupTestingClick();
    }
    EXPECT_EQ(CGHStat.GroupCount, 2);
    EXPECT_EQ(CGHStat.GroupText[1], "1,2");
    EXPECT_EQ(CGHStat.GroupText[2], "3,4");
    EXPECT_EQ(CGHStat.Alpha, 0.01f);
    EXPECT_EQ(CGHStat.AlphaSettings[0], "0.01");
    EXPECT_EQ(CGHStat.Members[2][0], 2);
    EXPECT_EQ(CGHStat.SignificantCount, 3);
    EXPECT_EQ(LastInfoLine(), QStringLiteral("3 features with p<0.01 found"));
    EXPECT_TRUE(Render() != before); // the significant probes are marked

    {
        ModalAnswerer answers;
        Answer(answers, {{1}, {3}});
        w->Anal_Stat_CGH_GroupTestingClick();
    }
    EXPECT_EQ(LastInfoLine(), QStringLiteral("0 features with p<0.01 found"));
}

// The shown p-values (slot 17) of the probes on chromosome 1.
std::vector<float> ShownP(const tCGH_DataSet& data) {
    const tCGHProbeArray& a = data.Hyb[1].Chr[1];
    return {a.Slot(17) + 1, a.Slot(17) + a.Count() + 1};
}

TEST_F(GroupTestWindow, UntestedProbesAreNeverSignificant) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("four.cgm"));
    std::string error;
    ASSERT_TRUE(WriteCGHMatrix(CGHData, file.toStdString(), nullptr, nullptr, error)) << error;
    {
        FileDialogAnswerer files({file});
        w->File_LoadCGHMatrix->trigger();
    }
    ASSERT_EQ(CGHData.HNum, 4);
    w->Anal_Stat_CGH_SetAlpha->trigger();
    TPDist* histogram = OpenedHistogram();
    ASSERT_TRUE(histogram);
    histogram->TB_pValue->setValue(300);
    histogram->SG1Click(1, 1);
    ASSERT_EQ(CGHStat.Alpha, 0.001f);
    w->POM_CGH_ToolClick();
    ASSERT_TRUE(w->CGHTool);
    TdGroupSelector& tool = *w->CGHTool;
    tool.FilterSig_CB_WindowSize->setEditText(QStringLiteral("5"));
    tool.FilterSig_CB_Matches->setEditText(QStringLiteral("2"));
    const auto filter = [&] {
        tool.FilterSig_BB_Filter->click();
        tool.FilterSig_BB_All->click();
    };
    filter();
    EXPECT_EQ(CGHStat.SignificantCount, 0);
    EXPECT_FALSE(w->Info_Memo->toPlainText().contains(QStringLiteral("CID=")));

    // Tested, the probes keep the p-values the filter finds.
    {
        ModalAnswerer answers;
        Answer(answers, {{1, 2}, {3, 4}});
        w->Anal_Stat_CGH_GroupTestingClick();
    }
    auto expected = std::make_unique<tCGH_DataSet>(CGHData);
    ASSERT_EQ(WindowPValueFilter(*expected, CGHStat.Alpha, 5, 2, nullptr), "");
    filter();
    EXPECT_EQ(ShownP(CGHData), ShownP(*expected));
    EXPECT_EQ(CGHStat.SignificantCount, 1);
    tool.close();
}

TEST_F(GroupTestWindow, ThePValueFiltersLeaveTheRegulationMarksAndSaySo) {
    {
        ModalAnswerer answers;
        Answer(answers, {{1, 2}, {3, 4}});
        w->Anal_Stat_CGH_GroupTestingClick();
    }
    w->POM_CGH_ToolClick();
    ASSERT_TRUE(w->CGHTool);
    TdGroupSelector& tool = *w->CGHTool;
    tool.Smooth_CB->setEditText(QStringLiteral("3"));
    tool.BB_Smooth->click();
    MessageCapture boxes;
    {
        ModalAnswerer modal;
        AnswerInput(modal, QStringLiteral("0.2 1 new"));
        w->Anal_Stat_CGH_RegulationTest->trigger();
    }
    const std::vector<float> marks = ShownP(CGHData);
    ASSERT_EQ(std::count(marks.begin(), marks.end(), 0.01f), 3); // the smoothed probes gain
    const int found = CGHStat.SignificantCount;
    boxes.shown.clear();
    tool.FilterSig_BB_Filter->click();
    tool.FilterGeneCGH_BB_Filter->click();
    w->Anal_Stat_CGH_SetAlpha->trigger();
    const QString told =
        QStringLiteral("The regulation filter has replaced the p-values: run a group test first.");
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, told);
    EXPECT_EQ(boxes.shown[1].text, told);
    EXPECT_EQ(LastInfoLine(), told);
    EXPECT_EQ(ShownP(CGHData), marks);
    EXPECT_EQ(CGHStat.SignificantCount, found);
    tool.close();
}

TEST_F(GroupTestWindow, AnExpressionLoadAfterATestDrawsTheWholeMatrix) {
    QTemporaryDir dir;
    // Gene 2 is alike in samples {1, 2} and {3, 4}: a test gives it p = 1.
    const QString file = WriteFile(QDir(dir.path()), QStringLiteral("genes.txt"),
                                   "ID\tChr\tStart\tStop\ts1\ts2\ts3\ts4\r\n"
                                   "g1\t1\t100\t300\t1\t1.1\t8\t8.1\r\n"
                                   "g2\t1\t600\t800\t5\t6\t5\t6\r\n"
                                   "g3\t1\t1200\t1400\t2\t2.1\t9\t9.1\r\n");
    ExpData.RecentFiles[1] = (file + QStringLiteral(";1;4;2;3;4")).toStdString();
    w->UpdateExpRecentMenu();
    const auto load = [&] {
        w->POM_GEHM_RecentFiles[1]->trigger();
        return Render().copy();
    };
    const QImage first = load();
    {
        ModalAnswerer answers;
        Answer(answers, {{1, 2}, {3, 4}});
        w->POM_GEHM_GroupTesting->trigger();
    }
    ASSERT_NE(Render(), first); // gene 2 is not drawn at alpha 0.01
    EXPECT_EQ(load(), first);
    // The histogram the test opened no longer shows it.
    TPDist* histogram = OpenedHistogram();
    ASSERT_TRUE(histogram);
    double genes = 0;
    for (QLineSeries* s : histogram->ChartSeries())
        if (s->name() == QLatin1String("Distribution"))
            for (const QPointF& p : s->points()) genes += p.y();
    EXPECT_EQ(genes, 0.0);
}

TEST_F(GroupTestWindow, TheCGHToolsOKLeavesTheMarkedHybridisationsActive) {
    w->POM_CGH_ToolClick();
    ASSERT_TRUE(w->CGHTool);
    Mark(*w->CGHTool, {1, 3});
    QTest::mouseClick(w->CGHTool->BitBtn_OK, Qt::LeftButton);
    for (int h = 1; h <= 4; ++h) EXPECT_EQ(CGHData.Hyb[size_t(h)].Active, h % 2) << h;
    EXPECT_TRUE(w->CGHTool->isVisible());
    w->CGHTool->close();
}

TEST_F(GroupTestWindow, ExpressionTestShowsTheGroupsSamplesAndItsHistogram) {
    ExpData = tHeatmap{};
    ExpData.SampleCount = 4;
    ExpData.GeneCount = 3;
    ExpData.HeaderRowsRead = 2;
    ExpData.Data.assign(6, std::vector<float>(5, 0.0f));
    for (int s = 1; s <= 4; ++s)
        for (int g = 1; g <= 3; ++g) ExpData.Data[size_t(s)][size_t(g)] = float(s * g % 5);
    ExpData.Header.assign(6, std::vector<std::string>(3));
    ExpData.Header[0] = {"", "ID", "Sex"};
    for (int s = 1; s <= 4; ++s) ExpData.Header[size_t(s)] = {"", "s" + std::to_string(s), "f"};
    ExpData.GAnno.resize(5);
    ExpStat.GroupCount = 2;
    ExpStat.GroupText[1] = "3,1";
    ExpStat.GroupText[2] = "4";

    {
        ModalAnswerer answers;
        answers.Expect<TdGroupSelector>([](TdGroupSelector& d) {
            d.FormShow();
            EXPECT_EQ(d.Groups_SE_Number->value(), 2);
            EXPECT_EQ(d.ConditionGroup, (std::vector<int32_t>{0, 1, 0, 1, 2}));
            EXPECT_EQ(d.CB_ConditionNames->count(), 2); // every header row
            EXPECT_EQ(d.CB_ConditionNames->itemText(1), QStringLiteral("Sex"));
            d.BB_RunOK(d.BitBtn_OK);
            EXPECT_EQ(d.GroupMembers[1], QStringLiteral("1,3"));
            // The command shows the samples in the order the groups name them.
            d.GroupMembers[1] = QStringLiteral("3,1");
            return int(QDialog::Accepted);
        });
        w->POM_GEHM_GroupTesting->trigger();
    }
    EXPECT_EQ(ExpStat.GroupText[1], "3,1");
    EXPECT_EQ(ExpStat.Alpha, 0.01f);
    EXPECT_EQ(ExpData.SampleOrder[0], 3);
    EXPECT_EQ(ExpData.SampleOrder[1], 3);
    EXPECT_EQ(ExpData.SampleOrder[2], 1);
    EXPECT_EQ(ExpData.SampleOrder[3], 4);
    TPDist* histogram = OpenedHistogram();
    ASSERT_TRUE(histogram);
    EXPECT_EQ(histogram->windowTitle(),
              QStringLiteral("Gene expression group testing - p-Distribution"));
    EXPECT_EQ(histogram->NotifyCode, 2010);
    EXPECT_EQ(histogram->CriticalP, 0.01f);
    QLineSeries* distribution = nullptr;
    for (QLineSeries* s : histogram->ChartSeries())
        if (s->name() == QLatin1String("Distribution")) distribution = s;
    ASSERT_TRUE(distribution);
    ASSERT_EQ(distribution->count(), 1001);
    double genes = 0;
    for (int i = 0; i < 1001; ++i) genes += distribution->at(i).y();
    EXPECT_EQ(genes, 3.0);
    EXPECT_EQ(distribution->at(1000).x(), 10.0);

    // "Gene / group selection" opens the CGH statistics' histogram.
    w->Anal_Stat_CGH_SetAlphaClick(1);
    EXPECT_EQ(OpenedHistogram()->windowTitle(),
              QStringLiteral("CGH group testing - p-Distribution"));
    EXPECT_EQ(OpenedHistogram()->NotifyCode, 2000);
    EXPECT_EQ(LastInfoLine(), QStringLiteral("0 features with p<0 found"));
}

TEST_F(GroupTestWindow, TheHistogramShowsItsAxisTitlesWholeAndOnlyItsData) {
    {
        ModalAnswerer answers;
        Answer(answers, {{1, 2}, {3, 4}});
        w->Anal_Stat_CGH_GroupTestingClick();
    }
    w->Anal_Stat_CGH_SetAlpha->trigger();
    TPDist* histogram = OpenedHistogram();
    ASSERT_TRUE(histogram);
    const auto shown = [histogram] {
        QStringList texts;
        for (QGraphicsItem* item : histogram->Chart1->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item)) texts << text->toPlainText();
        return texts;
    };
    // The window lays itself out over a few rounds of the event loop.
    QTest::qWaitFor(
        [&] { return shown().contains(QStringLiteral("Absolute abundance (# of genes)")); }, 2000);
    EXPECT_TRUE(shown().contains(QStringLiteral("Absolute abundance (# of genes)")))
        << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown().contains(QStringLiteral("p-value (-log10)")));

    // Left of the marker and above the zero line stands only the distribution, in pure blue: no
    // darker blue of the window's two empty series.
    QChart* chart = histogram->Chart();
    QLineSeries* marker = histogram->ChartSeries()[1];
    const auto onView = [&](QPointF value) {
        return histogram->Chart1->mapFromScene(
            chart->mapToScene(chart->mapToPosition(value, marker)));
    };
    const QPoint zero = onView({0, 0}), markerFoot = onView(marker->at(0));
    const int top =
        histogram->Chart1->mapFromScene(chart->mapToScene(chart->plotArea().topLeft())).y();
    const QImage picture = histogram->Chart1->grab().toImage();
    int navy = 0;
    for (int y = top + 1; y < zero.y() - 2; ++y)
        for (int x = zero.x() + 1; x < markerFoot.x() - 2; ++x) {
            const QColor c = picture.pixelColor(x, y);
            navy += c.blue() >= 100 && c.blue() < 200 && c.red() < 60 && c.green() < 60;
        }
    EXPECT_GT(markerFoot.x() - zero.x(), 20);
    EXPECT_EQ(navy, 0);
}

} // namespace
