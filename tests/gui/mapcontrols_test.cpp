#include "chrsellist.h"
#include "mapsteps.h"
#include "maptestwindow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

using MapControlsTest = MapWindowTest;

std::vector<int> SelectedChromosomes() {
    std::vector<int> selected;
    for (int c = 0; c <= kLayoutSlots; ++c)
        if (GenomeLayout.Selected[c]) selected.push_back(c);
    return selected;
}

// 24 chromosomes of 100 bp p and q arms.
std::vector<BandRow> Genome24() {
    std::vector<BandRow> rows;
    for (int c = 1; c <= 24; ++c) {
        rows.push_back({c, 1, 0, 0, 0, 1, 100});
        rows.push_back({c, 2, 0, 0, 0, 101, 200});
    }
    return rows;
}

TEST_F(MapControlsTest, ZoomByMenuTagAndByTheToolButtons) {
    QAction* thousand = nullptr;
    for (QAction* item : w->POM_Zoom->actions())
        if (item->data().toInt() == 1000) thousand = item;
    ASSERT_NE(thousand, nullptr);
    thousand->trigger();
    EXPECT_EQ(w->Zoom, 1000);
    w->SetZoom(2, 100);
    w->TB_ZoomIn->trigger();
    EXPECT_EQ(w->Zoom, 125);
    w->SetZoom(2, 1);
    w->TB_ZoomOut->trigger();
    EXPECT_EQ(w->Zoom, 1);
    w->SetZoom(2, kMaxZoom);
    w->TB_ZoomIn->trigger();
    EXPECT_EQ(w->Zoom, kMaxZoom);
    // The render follows the zoom.
    LoadBands(SmallIdeogram());
    w->RepaintMap();
    EXPECT_FLOAT_EQ(w->MapScale, float(w->MapView_PB1->height() - 40) / 2000.0f * kMaxZoom);
}

TEST_F(MapControlsTest, OrientationSwapsTheScrollBars) {
    w->MapView_SB_H->setValue(500);
    w->MapView_SB_V->setValue(123456);
    w->TB_SetOrientation->trigger();
    EXPECT_EQ(w->Orientation, 2);
    EXPECT_EQ(w->TB_SetOrientation->data().toInt(), 2);
    EXPECT_EQ(w->MapView_SB_H->maximum(), 2000000000);
    EXPECT_EQ(w->MapView_SB_H->value(), 123456);
    EXPECT_EQ(w->MapView_SB_V->maximum(), 10000);
    EXPECT_EQ(w->MapView_SB_V->value(), 500);
    EXPECT_EQ(w->MapLayout.View().Orientation, 2) << "repainted";
    EXPECT_EQ(w->MapLayout.View().AlongScroll, 123456);
    w->TB_SetOrientation->trigger();
    EXPECT_EQ(w->Orientation, 1);
    EXPECT_EQ(w->TB_SetOrientation->data().toInt(), 1);
    EXPECT_EQ(w->MapView_SB_V->maximum(), 2000000000);
    EXPECT_EQ(w->MapView_SB_V->value(), 123456);
}

TEST_F(MapControlsTest, ScrollBarsStepByLinesAndPagesOfTheMap) {
    LoadBands(SmallIdeogram());
    GenomeLayout.LongestChromosome = 1900000;
    w->Zoom = 10;
    QScrollBar* along = w->MapView_SB_V;
    QScrollBar* across = w->MapView_SB_H;
    along->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(along->value(), 10000); // 1900000 div 10 div 19
    EXPECT_EQ(w->MapLayout.View().AlongScroll, 10000) << "repainted";
    along->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(along->value(), 160000);
    along->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(along->value(), 150000);
    along->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(along->value(), 150000);
    along->triggerAction(QAbstractSlider::SliderPageStepSub);
    along->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(along->value(), 0);
    const int line = w->MapView_PB1->width() / 19;
    across->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(across->value(), line);
    // Letting the thumb go takes its position.
    along->setSliderDown(true);
    along->setSliderPosition(777);
    EXPECT_EQ(along->value(), 0);
    along->setSliderDown(false);
    EXPECT_EQ(along->value(), 777);
    EXPECT_EQ(w->MapLayout.View().AlongScroll, 777);
    // Lying chromosomes: the vertical bar runs across, in steps of the height.
    w->TB_SetOrientationClick();
    const int v = w->MapView_SB_V->value();
    w->MapView_SB_V->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(w->MapView_SB_V->value(), v + w->MapView_PB1->height() / 19);
}

TEST_F(MapControlsTest, ChooserShowsOneOrAllChromosomes) {
    LoadBands(Genome24());
    QLineEdit* edit = w->TB1_CNum_Edit;
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("12"));
    EXPECT_EQ(w->FirstChromosome, 12);
    EXPECT_EQ(w->LastChromosome, 12);
    EXPECT_EQ(SelectedChromosomes(), std::vector<int>{12});
    ASSERT_EQ(w->MapLayout.Chromosomes().size(), 1u) << "repainted";
    EXPECT_EQ(w->MapLayout.Chromosomes()[0].Chromosome, 12);

    edit->setText(QStringLiteral("3"));
    QTest::keyClicks(edit, QStringLiteral("0"));
    EXPECT_EQ(w->FirstChromosome, 12) << "30 is beyond the chromosomes";
    // Text that is no number, and an empty text, change nothing.
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("x"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(SelectedChromosomes(), std::vector<int>{12});

    QTest::keyClicks(edit, QStringLiteral("A"));
    EXPECT_EQ(edit->text(), QStringLiteral("a"));
    EXPECT_EQ(w->FirstChromosome, 1);
    EXPECT_EQ(w->LastChromosome, 24);
    EXPECT_EQ(SelectedChromosomes().size(), 24u);
    EXPECT_EQ(w->MapLayout.Chromosomes().size(), 24u);
}

TEST_F(MapControlsTest, UpDownWrapsThroughAllAndUpdatesTheList) {
    LoadBands(Genome24());
    ASSERT_NE(w->ChrSel_List, nullptr);
    w->POM_Ideogram_ViewSingleChr->trigger();
    ASSERT_TRUE(w->ChrSel_List->isVisible());
    QListWidget* list = w->ChrSel_List->List;
    ASSERT_EQ(list->count(), 24);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(list->selectedItems().size(), 24);

    w->TB1_CNum_Edit->setText(QStringLiteral("y"));
    w->UpDown1_Up->click();
    EXPECT_EQ(w->TB1_CNum_Edit->text(), QStringLiteral("all"));
    EXPECT_EQ(SelectedChromosomes().size(), 24u);
    w->UpDown1_Up->click();
    EXPECT_EQ(w->TB1_CNum_Edit->text(), QStringLiteral("1"));
    EXPECT_EQ(SelectedChromosomes(), std::vector<int>{1});
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems()[0]->text(), QStringLiteral("1"));
    w->UpDown1_Down->click();
    EXPECT_EQ(w->TB1_CNum_Edit->text(), QStringLiteral("all"));
    EXPECT_EQ(w->LastChromosome, 24);
    w->UpDown1_Down->click();
    EXPECT_EQ(w->TB1_CNum_Edit->text(), QStringLiteral("y"));
    EXPECT_EQ(w->FirstChromosome, 24);
    EXPECT_EQ(list->selectedItems()[0]->text(), QStringLiteral("24"));

    // Without a list window there is nothing to show or fill.
    TdChrSel_List* keep = w->ChrSel_List;
    w->ChrSel_List = nullptr;
    w->ShowChromosomeSelection(true);
    w->UpDown1_Down->click();
    EXPECT_EQ(w->TB1_CNum_Edit->text(), QStringLiteral("x"));
    w->ChrSel_List = keep;
}

TEST_F(MapControlsTest, IdeogramSwitchesAndResolution) {
    LoadBands(SmallIdeogram());
    w->GSubSubBanding8001->trigger();
    EXPECT_EQ(GenomeLayout.BandResolution, 800);
    for (QAction* item : w->POM_Ideogram_Resolution->actions())
        EXPECT_EQ(item->isChecked(), item == w->GSubSubBanding8001) << item->text().toStdString();
    w->GSubSubBanding8001->trigger();
    EXPECT_TRUE(w->GSubSubBanding8001->isChecked());
    w->POM_IdeoGram_ResArms->trigger();
    EXPECT_EQ(GenomeLayout.BandResolution, 2);
    EXPECT_FALSE(w->GSubSubBanding8001->isChecked());

    w->POM_Ideogram_BandNames->trigger();
    EXPECT_FALSE(w->POM_Ideogram_BandNames->isChecked());
    EXPECT_EQ(GenomeLayout.ShowBandNames, 0);
    w->POM_Ideogram_BandNames->trigger();
    EXPECT_TRUE(w->POM_Ideogram_BandNames->isChecked());
    EXPECT_EQ(GenomeLayout.ShowBandNames, 1);

    w->TB_Ideogram->trigger();
    EXPECT_FALSE(w->POM_Ideogram_View->isChecked());
    EXPECT_FALSE(w->MapLayout.Chromosomes()[0].Ideogram) << "repainted";
    w->POM_Ideogram_View->trigger();
    EXPECT_TRUE(w->POM_Ideogram_View->isChecked());
    EXPECT_TRUE(w->MapLayout.Chromosomes()[0].Ideogram);
}

TEST_F(MapControlsTest, DumpWritesTheBandsToTheInfoPage) {
    LoadBands(SmallIdeogram());
    w->Info_Memo->clear();
    w->Util_DT_ID_Bands->trigger();
    EXPECT_EQ(
        w->Info_Memo->toPlainText(),
        QStringLiteral("1p36\t1\t500\t0\t0\n1p35\t501\t1000\t0\t100\n1q21\t1001\t2000\t0\t50"));
    w->Info_Memo->clear();
    w->Util_DT_ID_Arms->trigger();
    EXPECT_EQ(w->Info_Memo->toPlainText().count(QLatin1Char('\n')), 3);
}

} // namespace
