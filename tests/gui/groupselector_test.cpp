#include "conditionlook.h"
#include "groupselector.h"
#include "guitest.h"
#include "radiogroup.h"
#include "registry.h"
#include "selectortest.h"
#include "sellist.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace {

const QString kKey = QStringLiteral("software\\GroupSelectorTest");

QStringList StoreGroups() {
    QSettings store(Registry::Location(), QSettings::IniFormat);
    return store.childGroups();
}

class GroupSelectorSettings : public ::testing::Test {
  protected:
    void SetUp() override { Registry::DeleteKey(kKey); }
    void TearDown() override { Registry::DeleteKey(kKey); }
};

TEST_F(GroupSelectorSettings, ReadAtShowAndWrittenAtClose) {
    // A missing key is not read; closing creates it with the window and the find history.
    {
        auto d = Selector(0, 3, false);
        d->RegistryKey = kKey;
        d->FormShow();
        EXPECT_TRUE(d->FindHistory.isEmpty());
        d->move(40, 50);
        d->resize(700, 500);
        d->FindHistory = QStringList{QStringLiteral("key"), QStringLiteral("\\pm x")};
        d->BitBtn_CancelClick();
    }
    ASSERT_TRUE(Registry::KeyExists(kKey + QStringLiteral("\\Parameter\\System")));
    {
        auto d = Selector(0, 3, false);
        d->RegistryKey = kKey;
        d->FormShow();
        EXPECT_EQ(d->pos(), QPoint(40, 50));
        EXPECT_EQ(d->size(), QSize(700, 500));
        EXPECT_EQ(d->FindHistory, (QStringList{QStringLiteral("key"), QStringLiteral("\\pm x")}));
    }

    RegKey key;
    ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\System"), true));
    key.WriteInteger(QStringLiteral("Left"), 5000);
    ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\Groups\\File history"), true));
    key.WriteString(QStringLiteral("File-1"), QStringLiteral("/g/one.tgl"));
    key.WriteString(QStringLiteral("File-2"), QString());
    key.WriteString(QStringLiteral("File-3"), QStringLiteral("/g/three.tgl"));
    ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\t-Test,ANOVA,PTM"), true));
    key.WriteString(QStringLiteral("p-Value estimation"), QStringLiteral("permutation"));
    key.WriteInteger(QStringLiteral("Permutation number"), 500);
    key.WriteString(QStringLiteral("MT-correction"), QStringLiteral("adjusted Bonferroni"));
    ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\SAM"), true));
    key.WriteString(QStringLiteral("All permutaions"), QStringLiteral("yes"));
    key.WriteInteger(QStringLiteral("Permutaion cycles"), 77);
    key.WriteString(QStringLiteral("S0 method"), QStringLiteral("Percentile"));
    key.WriteString(QStringLiteral("S0 percentile"), QStringLiteral("90"));

    auto anova = Selector(2, 3, false);
    anova->RegistryKey = kKey;
    anova->FormShow();
    EXPECT_EQ(anova->x(), 10); // beyond the screen's right edge
    EXPECT_EQ(anova->y(), 50);
    ASSERT_EQ(anova->Groups_CB_History->count(), 2);
    EXPECT_EQ(anova->Groups_CB_History->itemText(1), QStringLiteral("/g/three.tgl"));
    EXPECT_TRUE(anova->pValue_RB_Permutation->isChecked());
    EXPECT_FALSE(anova->pValue_RB_Dist->isChecked());
    EXPECT_EQ(anova->tTest_SE_Perm->value(), 500);
    EXPECT_EQ(anova->pValue_RG_MutlCorr->ItemIndex(), 2);

    auto sam = Selector(4, 3, false);
    sam->RegistryKey = kKey;
    sam->FormShow();
    EXPECT_TRUE(sam->SAM_CB_PermAll->isChecked());
    EXPECT_EQ(sam->SAM_SE_Perm->value(), 77);
    EXPECT_EQ(sam->SAM_RG_S0->ItemIndex(), 1);
    EXPECT_EQ(sam->SAM_Edit_S0_Percentile->text(), QStringLiteral("90"));
    EXPECT_EQ(anova->SAM_SE_Perm->value(), 100); // other modes read no SAM values

    // Without a key nothing is read or written.
    const QStringList before = StoreGroups();
    auto none = Selector(2, 3);
    EXPECT_EQ(none->Groups_CB_History->count(), 0);
    none->close();
    EXPECT_EQ(StoreGroups(), before);
}

TEST_F(GroupSelectorSettings, ConditionWidthOpensAsStoredAndIsWrittenBack) {
    for (const int stored : {500, 250}) { // never narrower than the box can be
        RegKey key;
        ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\System"), true));
        key.WriteInteger(QStringLiteral("Width"),
                         QGuiApplication::primaryScreen()->availableGeometry().width());
        key.WriteInteger(QStringLiteral("Condition width"), stored);
        auto d = Selector(0, 3, false);
        d->RegistryKey = kKey;
        d->show();
        const int least = d->Groups_GB_Conditions->minimumSizeHint().width();
        EXPECT_EQ(d->Groups_GB_Conditions->width(), std::max(stored, least));
        d->close();
        ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\System"), false));
        EXPECT_EQ(key.ReadInteger(QStringLiteral("Condition width"), 0), std::max(stored, least));
    }
}

TEST(GroupSelector, MemberStringsSeedTheGroupsWithinTheConditions) {
    struct Case {
        int mode, conditions, first, groupCount;
        QString members1, members2;
        std::vector<int> group1, group2;
    };
    const Case cases[] = {
        {0, 10, 1, 2, QStringLiteral("3,1000,5000"), QString(), {3}, {}},
        {0, 10, 0, 2, QStringLiteral("0,2"), QStringLiteral("4"), {1, 3}, {5}},
        {0, 1000, 1, 2, QStringLiteral("1500"), QString(), {}, {}},
        {0, 10, 1, 2, QStringLiteral("1,,x,2"), QStringLiteral("2.5, 7 ,-1"), {1, 2}, {7}},
        {0, 10, 1, 1, QStringLiteral("1"), QStringLiteral("2"), {1}, {}}, // one group only
        {20, 4, 1, 2, QString(), QString(), {1, 2, 3, 4}, {}},            // one-group mode
        {1, 3, 5, 1, QString(), QString(), {1, 2, 3}, {}},
        {1, 3, 1, 2, QString(), QString(), {}, {}},
    };
    for (const Case& c : cases) {
        auto d = Selector(c.mode, c.conditions, false);
        d->FirstConditionNumber = c.first;
        d->GroupCount = c.groupCount;
        d->GroupMembers[1] = c.members1;
        d->GroupMembers[2] = c.members2;
        d->FormShow();
        std::vector<int> in[3];
        for (int i = 1; i <= c.conditions; ++i)
            if (d->ConditionGroup[i] >= 1 && d->ConditionGroup[i] <= 2)
                in[d->ConditionGroup[i]].push_back(i);
        EXPECT_EQ(in[1], c.group1) << c.members1.toStdString();
        EXPECT_EQ(in[2], c.group2) << c.members2.toStdString();
    }
}

using Part = QWidget* (*)(TdGroupSelector&);
#define W(name) [](TdGroupSelector& d) -> QWidget* { return d.name; }

TEST(GroupSelector, EachModeShowsItsPartsAndCaptions) {
    struct Case {
        int mode, groupCount;
        const char* caption; // nullptr: the default caption
        std::vector<Part> shown, hidden, shownTabs, hiddenTabs;
    };
    const Case cases[] = {
        {0,
         2,
         nullptr,
         {W(Panel_Groups), W(Groups_GB_SaveLoad), W(BB_ToScript), W(BBB_RunAnalysis), W(BitBtn_OK)},
         {W(BB_XY), W(GB_Pairs)},
         {W(TS_Groups), W(TS_Info)},
         {W(TS_Parameter), W(Tab_CGH_Param), W(Tab_ExpMat_Param)}},
        {2000,
         2,
         nullptr,
         {W(Groups_GB_Conditions), W(BitBtn_OK)},
         {W(Panel_Groups), W(Groups_GB_SaveLoad), W(BB_ToScript), W(BBB_RunAnalysis)},
         {W(TS_Groups), W(Tab_CGH_Param)},
         {W(TS_Parameter), W(Tab_ExpMat_Param)}},
        {2001,
         2,
         nullptr,
         {W(BB_ToScript), W(BBB_RunAnalysis)},
         {},
         {W(Tab_ExpMat_Param)},
         {W(TS_Groups), W(TS_Parameter), W(Tab_CGH_Param)}},
        {1,
         1,
         "1-Class t-Test",
         {W(GB_pValue), W(Panel_SAM), W(Label_Mean), W(tTest_CB_Mean)},
         {W(TTest_MultiComb_RG), W(GB_Permutation)},
         {W(TS_Parameter)},
         {}},
        {1, 4, nullptr, {W(TTest_MultiComb_RG), W(TTest_MultiMode_RG)}, {W(tTest_CB_Mean)}, {}, {}},
        {2, 2, "ANOVA", {W(GB_pValue), W(Panel_SAM)}, {W(Label_Mean)}, {}, {}},
        {3, 5, "U-/Mann-Whitney-test", {}, {W(GB_pValue)}, {}, {}},
        {5, 2, nullptr, {W(GB_Pairs)}, {W(GB_Groups)}, {}, {}},
        {20, 2, "Regression response - PTM", {W(GB_QuantResponse)}, {}, {}, {}},
        {200, 2, "Kruskal-Wallis test", {}, {W(GB_pValue)}, {}, {}},
        {210, 2, "2-factor ANOVA", {W(Factors_SE_Number), W(Label_Factors)}, {}, {}, {}},
        {4,
         2,
         nullptr,
         {W(GB_Permutation), W(SAM_RG_S0), W(Panel_S0)},
         {W(SAM_RG_ResponseType), W(GB_QuantResponse)},
         {},
         {}},
        {10,
         2,
         "Quantitative response SAM",
         {W(GB_QuantResponse), W(SAM_RG_ResponseType), W(Panel_S0)},
         {},
         {},
         {}},
        {11,
         2,
         "Quantitative response SAM",
         {W(GB_QuantResponse)},
         {W(SAM_RG_ResponseType)},
         {},
         {}},
        {103,
         2,
         "Show Kaplan-Meier survival curves from selected conditions",
         {W(GB_KaplanMeier), W(GB_KapMeiFilter)},
         {},
         {},
         {}},
        {300, 2, nullptr, {W(GB_KMeans)}, {W(GB_PCA)}, {}, {}},
        {310, 2, nullptr, {W(GB_PCA), W(Panel_Assign)}, {}, {}, {}},
        {311, 2, nullptr, {W(GB_PCA)}, {W(Panel_Assign)}, {}, {}},
        {1004,
         2,
         "Select conditons and display scatterplots",
         {W(BB_XY), W(BB_RI), W(BB_QQ), W(BB_3D), W(BB_Scan)},
         {W(Groups_GB_SaveLoad), W(BBB_RunAnalysis), W(BitBtn_OK)},
         {},
         {W(TS_Parameter)}},
        {1010, 2, nullptr, {W(BB_XY)}, {W(BB_ToScript), W(BitBtn_OK), W(BB_RI)}, {}, {}},
        {1020,
         2,
         nullptr,
         {W(BitBtn_OK)},
         {W(Panel_Groups), W(BB_ToScript), W(BBB_RunAnalysis)},
         {},
         {}},
        {1111,
         2,
         "Centre genes: By hybridisations / Median hybridisation pools",
         {W(GB_Self)},
         {W(GB_GroupNumber), W(BBB_RunAnalysis)},
         {},
         {W(TS_Parameter)}},
        {1127,
         2,
         "Virtual pool centre genes: GEOMETRIC mean",
         {},
         {W(GB_GroupNumber), W(GB_Self)},
         {},
         {W(TS_Parameter)}},
        {1205,
         2,
         "Qunatile normalisation",
         {W(GB_GroupNumber)},
         {W(BBB_RunAnalysis), W(BB_ToScript)},
         {},
         {W(TS_Parameter)}},
        {3002,
         2,
         "Filter genes with median larger Threshold",
         {W(Label_Value), W(Matches_SE)},
         {W(BitBtn_OK), W(BB_ToScript)},
         {},
         {}},
        {3104, 2, "Data imputation: k most simular genes", {W(Matches_SE)}, {}, {}, {}},
        {3201, 2, "Swap sign ( Column * -1)", {}, {W(Matches_SE), W(BitBtn_OK)}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        auto d = Selector(c.mode, 3, false);
        d->GroupCount = c.groupCount;
        d->FormShow();
        const auto page = [&](QWidget* w) {
            for (QWidget* p :
                 {d->TS_Groups, d->TS_Parameter, d->TS_Info, d->Tab_CGH_Param, d->Tab_ExpMat_Param})
                if (p->isAncestorOf(w)) return p;
            return static_cast<QWidget*>(d.get());
        };
        for (const Part& p : c.shown) EXPECT_TRUE(p(*d)->isVisibleTo(page(p(*d))));
        for (const Part& p : c.hidden) EXPECT_FALSE(p(*d)->isVisibleTo(page(p(*d))));
        for (const Part& p : c.shownTabs)
            EXPECT_TRUE(d->PageControl1->isTabVisible(d->PageControl1->indexOf(p(*d))));
        for (const Part& p : c.hiddenTabs)
            EXPECT_FALSE(d->PageControl1->isTabVisible(d->PageControl1->indexOf(p(*d))));
        EXPECT_EQ(d->windowTitle(), c.caption ? QString::fromUtf8(c.caption)
                                              : QStringLiteral("Assign groups / parameters"));
        // The Groups page is the one shown, its tab hidden or not.
        EXPECT_EQ(d->PageControl1->currentWidget(), d->TS_Groups);
    }
#undef W
    auto bar = Selector(1010, 3);
    EXPECT_EQ(bar->BB_XY->text(), QStringLiteral("&Bar"));
    auto twoFactor = Selector(210, 3);
    EXPECT_EQ(twoFactor->Label_Groups->text(), QStringLiteral("Factor1 #"));
    auto similar = Selector(3104, 3);
    EXPECT_EQ(similar->Label_Value->text(), QStringLiteral("# of genes:"));
    EXPECT_EQ(similar->Matches_SE->value(), 10);
    auto dist = Selector(20, 3);
    EXPECT_EQ(dist->pValue_RB_Dist->text(), QStringLiteral("Correlaion coefficient"));
    AnalysisMatrix matrix;
    matrix.AnnotationColumnCount = 2;
    matrix.HeaderCells = {{}, {"", "Symbol"}, {"", "Chr"}, {"", "sample 1"}};
    auto plots = Selector(1004, 3, false);
    plots->AnalysisMatrix = &matrix;
    plots->FormShow();
    EXPECT_EQ(plots->GB_Groups->title(), QStringLiteral("Gene annotation"));
    EXPECT_EQ(Items(plots->List_Group),
              (QStringList{QStringLiteral("Symbol"), QStringLiteral("Chr")}));
}

TEST(GroupSelector, LabelRowBoxListsTheRowTitles) {
    auto d = Selector(0, 2, false);
    d->HeaderRowCount = 150;
    d->HeaderTable.Resize(2, 150);
    d->HeaderTable.Set(0, 1, QStringLiteral("File name"));
    d->HeaderTable.Set(0, 3, QStringLiteral("Sex"));
    d->HeaderTable.Set(1, 3, QStringLiteral("f"));
    d->LabelRow = 3;
    d->FormShow();
    EXPECT_EQ(d->CB_ConditionNames->count(), 100);
    EXPECT_EQ(d->CB_ConditionNames->itemText(0), QStringLiteral("File name"));
    EXPECT_EQ(d->CB_ConditionNames->itemText(1), QStringLiteral("--"));
    EXPECT_EQ(d->CB_ConditionNames->currentText(), QStringLiteral("Sex"));
    EXPECT_EQ(Items(d->List_Cond), (QStringList{QStringLiteral("f"), QString()}));

    auto small = Selector(0, 2, false);
    small->HeaderRowCount = 2; // one row: its title only
    small->FormShow();
    EXPECT_EQ(small->CB_ConditionNames->count(), 1);
}

TEST(GroupSelector, MarkedConditionsGoIntoThePickedGroup) {
    auto d = Selector(0, 5);
    EXPECT_EQ(Items(d->List_Group),
              (QStringList{QStringLiteral("Group-1 (0)"), QStringLiteral("Group-2 (0)"),
                           QStringLiteral("none")}));
    d->BB_UngroupedClick();
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 2, 3, 4, 5}));

    Mark(*d, {1, 3, 4});
    d->List_Group->setCurrentRow(1);
    QTest::mouseClick(d->Button_ConditionsToGroup, Qt::LeftButton);
    EXPECT_EQ(d->List_Group->item(1)->text(), QStringLiteral("Group-2 (3)"));
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 3, 4})); // the marks stay
    d->BB_UngroupedClick();
    EXPECT_EQ(Marked(*d), (std::vector<int>{2, 5}));
    Mark(*d, {3});
    d->List_Group->setCurrentRow(2); // "none"
    d->Button_ConditionsToGroupClick();
    EXPECT_EQ(d->List_Group->item(1)->text(), QStringLiteral("Group-2 (2)"));

    // Copy, invert, paste gives the copied marks back.
    Mark(*d, {1, 4});
    d->POM_Cond_CopySelectionClick();
    d->BB_InvertClick();
    EXPECT_EQ(Marked(*d), (std::vector<int>{2, 3, 5}));
    d->POM_Cond_PasteSelectionClick();
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 4}));

    // Only the user's change of the group number releases the marked conditions.
    {
        const QSignalBlocker block(d->Groups_SE_Number);
        d->Groups_SE_Number->setValue(3);
    }
    EXPECT_EQ(d->ConditionGroup[1], 2);
    d->Groups_SE_Number->setFocus();
    QTest::keyClick(d->Groups_SE_Number, Qt::Key_Up);
    EXPECT_EQ(d->Groups_SE_Number->value(), 4);
    EXPECT_EQ(d->ConditionGroup[1], 0);
    EXPECT_EQ(d->ConditionGroup[4], 0);
    EXPECT_EQ(Items(d->List_Group).size(), 5);
    EXPECT_EQ(d->List_Group->item(1)->text(), QStringLiteral("Group-2 (0)"));

    d->GroupCount = 2;
    d->List_Group->setCurrentRow(0);
    Mark(*d, {2});
    d->List_CondDblClick();
    d->Button_ReleaseAllGroupsClick();
    EXPECT_EQ(d->List_Group->item(0)->text(), QStringLiteral("Group-1 (0)"));
    EXPECT_EQ(Marked(*d), (std::vector<int>{2}));
}

TEST(GroupSelector, PlotModesKeepTheGeneAnnotationList) {
    AnalysisMatrix matrix;
    matrix.AnnotationColumnCount = 2;
    matrix.HeaderCells = {{}, {"", "Symbol"}, {"", "Chr"}, {"", "sample 1"}};
    auto d = Selector(1000, 1, false);
    d->AnalysisMatrix = &matrix;
    d->FormShow();
    const QStringList annotation{QStringLiteral("Symbol"), QStringLiteral("Chr")};
    d->Groups_SE_Number->setFocus();
    QTest::keyClick(d->Groups_SE_Number, Qt::Key_Up);
    EXPECT_EQ(d->Groups_SE_Number->value(), 2);
    EXPECT_EQ(Items(d->List_Group), annotation);
    QTest::mouseClick(d->Button_ReleaseAllGroups, Qt::LeftButton);
    EXPECT_EQ(Items(d->List_Group), annotation);
}

TEST(GroupSelector, TheModeLayoutSetsTheValueSpinWithoutItsHandler) {
    auto d = Selector(3104, 2, false);
    QSignalSpy changes(d->Matches_SE, &QSpinBox::valueChanged);
    d->show();
    EXPECT_TRUE(d->Matches_SE->isVisible());
    EXPECT_EQ(d->Matches_SE->value(), 10);
    EXPECT_EQ(changes.count(), 0);
}

TEST(GroupSelector, CompositeLabelsComeFromTheListSelection) {
    auto d = Selector(0, 2);
    Mark(*d, {2});
    {
        ModalAnswerer answers;
        answers.Expect<TdSel_List>([](TdSel_List& list) {
            list.FormShow();
            EXPECT_EQ(list.List1->count(), 2);
            list.List1->item(0)->setSelected(true);
            list.List1->item(1)->setSelected(true);
            list.Button_SelectClick();
            return int(QDialog::Accepted);
        });
        d->Button_CondMultSelClick();
    }
    EXPECT_EQ(d->LabelRows, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(Items(d->List_Cond),
              (QStringList{QStringLiteral("c1, r2-1, "), QStringLiteral("c2, r2-2, ")}));
    EXPECT_EQ(Marked(*d), (std::vector<int>{2}));
    {
        ModalAnswerer answers;
        answers.Expect<TdSel_List>([](TdSel_List& list) {
            list.reject();
            return int(QDialog::Rejected);
        });
        d->Button_CondMultSelClick();
    }
    EXPECT_TRUE(d->LabelRows.empty());
    EXPECT_EQ(d->List_Cond->item(0)->text(), QStringLiteral("c1, r2-1, ")); // not refilled
    d->CB_ConditionNames->setCurrentIndex(1);
    d->CB_ConditionNamesClick();
    EXPECT_EQ(d->LabelRow, 2);
    EXPECT_EQ(d->List_Cond->item(0)->text(), QStringLiteral("r2-1"));
}

TEST(GroupSelector, EntriesTakeTheirGroupAndToolColours) {
    QPalette palette;
    palette.setColor(QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Base, QColor(7, 8, 9));
    struct Case {
        int mode, group;
        bool marked;
        int entry;
        QColor background, text;
        int labelX;
    };
    const Case cases[] = {
        {0, 0, false, 1, QColor(255, 255, 255), QColor(4, 5, 6), 2},
        {0, 2, false, 1, QColor(255, 192, 192), QColor(4, 5, 6), 2},
        {310, 12, true, 1, QColor(1, 2, 3), QColor(255, 128, 255), 2},
        {210, 13, false, 1, QColor(255, 255, 255), QColor(4, 5, 6), 2},
        {2000, 3, false, 1, QColor(255, 255, 255), QColor(255, 0, 0), 17},
        {2001, 0, false, 3, QColor(255, 255, 255), QColor(0, 128, 0), 17},
        {2000, 0, false, 40, QColor(255, 255, 255), QColor(85, 85, 85), 17},
        {2000, 0, true, 2, QColor(10, 36, 106), QColor(255, 255, 255), 17},
        {311, 2, false, 1, QColor(7, 8, 9), QColor(4, 5, 6), 2},
    };
    for (const Case& c : cases) {
        const EntryLook look = ConditionEntryLook(c.mode, c.group, c.marked, c.entry, palette);
        EXPECT_EQ(look.background, c.background) << c.mode << " " << c.group;
        EXPECT_EQ(look.text, c.text) << c.mode << " " << c.group;
        EXPECT_EQ(look.labelX, c.labelX);
        EXPECT_EQ(look.checkBox, c.mode >= 2000);
    }

    // On screen: a group's colour behind its entry, and a check box that shows the state.
    auto groups = Selector(0, 2, false);
    groups->GroupMembers[2] = QStringLiteral("1");
    groups->resize(600, 400);
    groups->show();
    QApplication::processEvents();
    const QRect first = groups->List_Cond->visualItemRect(groups->List_Cond->item(0));
    const QImage image = groups->List_Cond->viewport()->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(first.right() - 3, first.center().y())), QColor(255, 192, 192));

    auto tool = Selector(2000, 2, false);
    tool->ConditionActive = {0, 1, 0};
    tool->resize(600, 400);
    tool->show();
    QApplication::processEvents();
    EXPECT_EQ(Marked(*tool), (std::vector<int>{1})); // marked as the map shows it
    tool->List_Cond->clearSelection();
    QApplication::processEvents();
    const QImage toolImage = tool->List_Cond->viewport()->grab().toImage();
    const QRect on = tool->List_Cond->visualItemRect(tool->List_Cond->item(0));
    const QRect off = tool->List_Cond->visualItemRect(tool->List_Cond->item(1));
    int differing = 0;
    for (int y = 2; y < 17; ++y)
        for (int x = 2; x < 17; ++x)
            differing += toolImage.pixel(on.left() + x, on.top() + y) !=
                         toolImage.pixel(off.left() + x, off.top() + y);
    EXPECT_GT(differing, 4);
    tool->close();
    groups->close();
}

} // namespace
