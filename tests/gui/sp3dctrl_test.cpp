// The 3D control window: what it sends, what it shows, and how it follows its plot.
#include "scat3dtest.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <bit>

namespace {

using Scat3DControls = Scat3DWindowTest;
using Sent = std::vector<std::pair<int, intptr_t>>;

TEST_F(Scat3DControls, PushesFromItsPlotSendNothingButTheSpeedAndLogRows) {
    ToolMessageRecorder plot, other;
    TSC3D_Controls* c = CreateControlWindow();
    c->PlotHandle = plot.Handle();
    c->show();
    c->SetRotationControls(10, 20, 30, 40, 50, 60, plot.Handle());
    c->SetRotationControls(1, 1, 1, 1, 1, 1, other.Handle()); // another plot's: ignored
    c->SetDimensionControls(2, 150, false, 80, 20);
    c->SetDataSetCheck(4, true);
    EXPECT_EQ(c->TB_Angle[1]->value(), 20);
    EXPECT_EQ(c->TB_Tilde->value(), 60);
    EXPECT_EQ(c->TB_Zoom[2]->value(), 150);
    EXPECT_EQ(plot.got, (Sent{{504, 1}})); // the box's own row, without the redraw
    plot.got.clear();
    c->SetAutoRotateControls(1, true, 250, 0);
    EXPECT_TRUE(c->SB_AutoRot[0]->isChecked());
    EXPECT_EQ(plot.got, (Sent{{130, 250}}));
    plot.got.clear();
    c->TB_Angle[0]->setValue(15); // the user's move
    c->CB_LinLog[6]->setChecked(true);
    EXPECT_EQ(plot.got, (Sent{{100, 15}, {1006, 1}}));
    EXPECT_TRUE(other.got.empty());
}

TEST_F(Scat3DControls, RangeLabelsAreRightAlignedInTheirFields) {
    TSC3D_Controls* c = CreateControlWindow();
    c->WMPlotNotify(1011, std::bit_cast<uint32_t>(12.5f));
    c->WMPlotNotify(1026, std::bit_cast<uint32_t>(-2.5f));
    c->WMPlotNotify(1031, 100);
    c->WMPlotNotify(0, 1); // a plot's redraw request is not for this window
    EXPECT_EQ(c->L_Max[1]->text(), QStringLiteral("           12.50"));
    EXPECT_EQ(c->L_Min[6]->text(), QStringLiteral("           -2.50"));
    EXPECT_EQ(c->L_Zoom[1]->text(), QStringLiteral(" 100"));
}

TEST_F(Scat3DControls, ArrangingPutsTheClickedRecordOnTheEnteredDimension) {
    ToolMessageRecorder plot;
    tPlotWindowSeries w;
    AddSeries(w, 1, "a", std::vector<float>{1});
    AddSeries(w, 2, "dup", std::vector<float>{1});
    AddSeries(w, 5, "dup", std::vector<float>{1});
    AddSeries(w, 8, "z", std::vector<float>{1});
    PlotSeries[9].Name = "no values";
    TSC3D_Controls* c = CreateControlWindow();
    c->PlotHandle = plot.Handle();
    c->show();
    c->PageControl1->setCurrentIndex(2);
    ASSERT_EQ(c->List_ASSeries->count(), 5);
    EXPECT_EQ(c->Edit_AS[2]->text(), QStringLiteral("dup"));
    c->Edit_ASEnter(3);
    c->List_ASSeriesClick(3); // "z"
    EXPECT_EQ(plot.got, (Sent{{1, 8}, {13, 8}, {0, 0}}));
    EXPECT_EQ(c->DimMap[3], 8);
    EXPECT_EQ(c->Edit_AS[3]->text(), QStringLiteral("z"));
    EXPECT_EQ(c->L_Name[3]->text(), QStringLiteral("z"));
    plot.got.clear();
    c->Edit_ASEnter(1);
    c->List_ASSeriesClick(1); // the first "dup", record 2 (not the last of that name)
    c->List_ASSeriesClick(4); // names only: no values
    EXPECT_EQ(plot.got, (Sent{{1, 2}, {11, 2}, {0, 0}}));
    EXPECT_EQ(c->Edit_AS[1]->text(), QStringLiteral("no values"));
}

TEST_F(Scat3DControls, ResetsAndDataSetButtonsRenderThePlotOnce) {
    TScatPlot_3D p;
    Fill(p.Series, 6);
    p.show();
    p.ControlesClick();
    TSC3D_Controls* c = ControlWindow();
    ASSERT_TRUE(c && c->isVisible());
    Settle();
    int renders = p.RenderCount;
    c->Button_AllNoneClick(false);
    Settle();
    EXPECT_EQ(p.RenderCount, renders + 1);
    for (int k = 1; k <= 18; ++k) EXPECT_FALSE(p.Series.DataSetVisible[k]);
    c->TB_Min[1]->setValue(40);
    c->TB_Zoom[5]->setValue(200);
    Settle();
    renders = p.RenderCount;
    c->Button_ResetScaleClick();
    c->Button_ResetZoomClick();
    Settle();
    EXPECT_EQ(p.RenderCount, renders + 1);
    EXPECT_EQ(p.Series.SeriesView[1].LowerPercent, 0);
    EXPECT_EQ(p.Series.SeriesView[5].ZoomPercent, 100);

    ToolMessageRecorder recorder;
    c->PlotHandle = recorder.Handle();
    c->Button_AllNoneClick(true);
    Sent expected;
    for (int k = 1; k <= 18; ++k) expected.emplace_back(500 + k, 1);
    expected.emplace_back(0, 0);
    EXPECT_EQ(recorder.got, expected);
}

TEST_F(Scat3DControls, ThresholdsBecomeTheFirstFreeGateWithItsName) {
    ToolMessageRecorder plot;
    TSC3D_Controls* c = CreateControlWindow();
    c->PlotHandle = plot.Handle();
    c->show();
    EXPECT_EQ(c->List_Gate->item(0)->text(), QStringLiteral(" 1"));
    c->Edit_NewGate->setText(QStringLiteral("name"));
    c->Button_SetGateClick();
    EXPECT_EQ(c->List_Gate->item(0)->text(), QStringLiteral(" 1 : name"));
    EXPECT_EQ(c->List_Gate->item(31)->text(), QStringLiteral("32 : "));
    EXPECT_TRUE(c->Edit_NewGate->text().isEmpty());
    EXPECT_EQ(plot.got, (Sent{{600, 1}, {0, 0}}));
    PlotGates.Masks = {0xFFFFFFFFu};
    PlotGates.MaskCount = 1;
    plot.got.clear();
    c->Edit_NewGate->setText(QStringLiteral("last"));
    c->Button_SetGateClick();
    EXPECT_EQ(plot.got, (Sent{{600, 32}, {0, 0}}));
    EXPECT_EQ(PlotGates.GateNames[32], "last");
}

TEST_F(Scat3DControls, TheBarsFollowTheSeriesOnEachDimensionOfTheActivePlot) {
    TScatPlot_3D p;
    Fill(p.Series, 8);
    p.Series.DimSeries[3] = 8;
    p.Series.SeriesView[8].ZoomPercent = 300;
    p.Series.SeriesView[3].ZoomPercent = 50;
    p.ControlesClick();
    TSC3D_Controls* c = ControlWindow();
    EXPECT_EQ(c->DimMap[3], 8);
    EXPECT_EQ(c->TB_Zoom[3]->value(), 300);
    EXPECT_EQ(c->L_Zoom[3]->text(), QStringLiteral(" 300"));            // pushed on opening
    EXPECT_EQ(c->L_Max[3]->text(), QStringLiteral("            3.00")); // record 8's range 1..3
    c->TB_Zoom[3]->setValue(100);
    EXPECT_EQ(p.Series.SeriesView[8].ZoomPercent, 100); // the series shown on Z moves
    EXPECT_EQ(p.Series.SeriesView[3].ZoomPercent, 50);
    p.Series.SeriesView[8].LogScale = true;
    p.FormActivate();
    EXPECT_TRUE(c->CB_LinLog[3]->isChecked());
    EXPECT_EQ(c->Edit_AS[3]->text(), QStringLiteral("s8"));
}

} // namespace
