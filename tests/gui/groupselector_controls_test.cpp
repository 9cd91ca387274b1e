#include "guitest.h"
#include "plotviewers.h"
#include "profileeditor.h"
#include "profilerequest.h"
#include "radiogroup.h"
#include "selectortest.h"
#include "sellist.h"
#include "tableeditor.h"
#include "tableeditormodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>

namespace {

TEST(GroupSelectorControls, HelpOpensThePageOrShowsTheAboutBox) {
    auto d = Selector(0, 2);
    d->MessageCaption = QStringLiteral("JX caption");
    d->HelpPage = QStringLiteral("p.html");
    {
        MessageCapture messages;
        d->BitBtn_HelpClick();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("JX caption"));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("Group selector / parameter dialog\nVersion 1.2d, from "
                                 "14.01.2011\n\nimplemented by\n"));
    }
    std::vector<QString> opened;
    SetShellOpenHook([&](const QString& target) {
        opened.push_back(target);
        return false; // a failure is not reported
    });
    d->HelpBase = QStringLiteral("http://h/");
    d->BitBtn_HelpClick();
    SetShellOpenHook({});
    EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("http://h/p.html")});
}

TEST(GroupSelectorControls, ParameterControlsFollowTheChoices) {
    auto d = Selector(4, 2);
    EXPECT_FALSE(d->tTest_SE_Perm->isEnabled()); // the distribution is chosen at start
    d->pValue_RB_PermutationClick();
    EXPECT_FALSE(d->pValue_RB_Dist->isChecked());
    EXPECT_TRUE(d->tTest_SE_Perm->isEnabled());
    EXPECT_TRUE(d->pValue_CB_All->isEnabled());
    d->pValue_RB_DistClick();
    EXPECT_FALSE(d->pValue_RB_Permutation->isChecked());
    EXPECT_FALSE(d->pValue_CB_All->isEnabled());
    for (int item : {0, 1, 2}) {
        d->SAM_RG_S0->SetItemIndex(item);
        d->SAM_RG_S0Click();
        EXPECT_EQ(d->SAM_Edit_S0_Percentile->isEnabled(), item == 1) << item;
        EXPECT_EQ(d->SAM_Edit_S0_Constant->isEnabled(), item == 2) << item;
    }
}

TEST(GroupSelectorControls, AllPossibleCountsTheRelabellingsUpToTheMaximum) {
    struct Case {
        int members, maximum, expected;
    } cases[] = {{4, 100, 15},
                 {6, 64, 63},
                 {7, 100, 100},
                 {30, 2000000000, 1073741823},
                 {40, 100000000, 100000000}};
    for (const Case& c : cases) {
        auto d = Selector(3, c.members + 1);
        d->GroupCount = 1;
        for (int i = 1; i <= c.members; ++i) d->ConditionGroup[size_t(i)] = 1;
        d->SAM_SE_Perm->setMaximum(c.maximum);
        d->SAM_CB_PermAll->click();
        EXPECT_EQ(d->SAM_SE_Perm->value(), c.expected) << c.members;
        EXPECT_FALSE(d->SAM_SE_Perm->isEnabled());
        d->SAM_CB_PermAll->click();
        EXPECT_TRUE(d->SAM_SE_Perm->isEnabled());
        EXPECT_EQ(d->SAM_SE_Perm->value(), c.expected);
    }
}

TEST(GroupSelectorControls, GroupPopupReleasesAndShowsMembers) {
    BeepCounter beeps;
    auto d = Selector(0, 5);
    Assign(*d, 1, {1, 2}); // the marks stay
    ASSERT_EQ(d->ConditionGroup[1], 1);
    d->List_Group->setCurrentRow(0);
    d->POM_Groups_ReleaseClick();
    EXPECT_EQ(d->ConditionGroup, (std::vector<int32_t>(6, 0)));
    EXPECT_EQ(d->List_Group->item(0)->text(), QStringLiteral("Group-1 (0)"));
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 2}));

    Assign(*d, 2, {2, 4});
    Mark(*d, {1, 3});
    d->List_Group->setCurrentRow(1);
    d->POM_Groups_ShowMembersClick();
    EXPECT_EQ(Marked(*d), (std::vector<int>{2, 4}));
    EXPECT_EQ(d->List_Group->item(1)->text(), QStringLiteral("Group-2 (2)"));

    ASSERT_EQ(d->List_Group->currentRow(), -1);
    d->POM_Groups_ReleaseClick();
    d->POM_Groups_ShowMembersClick();
    EXPECT_EQ(beeps.count, 6);
    EXPECT_EQ(d->ConditionGroup[2], 2);
}

TEST(GroupSelectorControls, ConditionViewerOpensOnceAndFollowsTheMarks) {
    auto d = Selector(0, 4);
    Mark(*d, {2, 4});
    d->Viewalldetails1Click();
    auto* viewer = qobject_cast<TfTableEditor*>(d->ConditionViewer.data());
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->RegistryKey.isEmpty());
    const TTableEditorModel& cells = *viewer->SGCells;
    EXPECT_EQ(cells.FixedCols(), 1);
    EXPECT_EQ(cells.RowCount(), 3);
    const QStringList titles{"0", " ", "Name", "", ""};
    for (int c = 0; c < titles.size(); ++c) EXPECT_EQ(cells.Cell(c, 0), titles[c]) << c;
    EXPECT_EQ(cells.Cell(1, 2), QStringLiteral("2")); // by counter
    EXPECT_EQ(cells.Cell(2, 2), QStringLiteral("c4"));
    EXPECT_EQ(cells.Cell(3, 2), QStringLiteral("r2-4"));

    d->Viewalldetails1Click();
    EXPECT_EQ(d->ConditionViewer.data(), viewer);
    Mark(*d, {3});
    d->List_CondClick();
    EXPECT_EQ(cells.RowCount(), 2);
    EXPECT_EQ(cells.Cell(2, 1), QStringLiteral("c3"));

    ToolBus::Send(d->Handle(), 0, 5);
    EXPECT_EQ(d->ConditionViewer.data(), viewer);
    viewer->close(); // reports (0, 9000)
    EXPECT_EQ(d->ConditionViewer, nullptr);
    d->RegistryKey = QStringLiteral("Software\\Test\\Sel");
    d->Viewalldetails1Click();
    ASSERT_NE(d->ConditionViewer, nullptr);
    EXPECT_NE(d->ConditionViewer.data(), viewer);
    EXPECT_EQ(qobject_cast<TfTableEditor*>(d->ConditionViewer.data())->RegistryKey,
              QStringLiteral("Software\\Test\\Sel\\Parameter\\Groups\\ConditionViewer"));
}

TEST(GroupSelectorControls, PairsGridTakesTheCurrentConditionInPartnerCellsOnly) {
    auto d = Selector(5, 8);
    d->HeaderTable.Set(7, 1, QStringLiteral("X"));
    d->Pairs_SG->setRowCount(7);
    d->resize(700, 500);
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    const std::vector<int32_t> none(9, 0);
    struct Case {
        int current, col, row;
    } outside[] = {{0, 2, 5}, {7, 0, 5}, {7, 2, 0}, {7, 3, 5}, {7, 2, 7}, {9, 1, 1}, {-1, 1, 1}};
    for (const Case& c : outside) {
        d->CurrentCondition = c.current;
        d->Pairs_SGMouseDown(Qt::LeftButton, false, c.col, c.row);
        EXPECT_EQ(d->ConditionGroup, none) << c.current << " " << c.col << " " << c.row;
    }
    for (int col = 0; col < 3; ++col) EXPECT_EQ(d->Pairs_SG->item(0, col), nullptr);
    d->CurrentCondition = 7;
    d->Pairs_SGMouseDown(Qt::RightButton, false, 2, 5);
    EXPECT_EQ(d->Pairs_SG->item(5, 2), nullptr);
    const QPoint at(d->Pairs_SG->columnViewportPosition(2) + 3,
                    d->Pairs_SG->rowViewportPosition(5) + 3);
    QTest::mouseClick(d->Pairs_SG->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_NE(d->Pairs_SG->item(5, 2), nullptr);
    EXPECT_EQ(d->Pairs_SG->item(5, 2)->text(), QStringLiteral("7:X"));
    EXPECT_EQ(d->ConditionGroup[7], 2);

    const int width = d->Pairs_SG->viewport()->width();
    EXPECT_EQ(d->Pairs_SG->columnWidth(0), 30);
    EXPECT_EQ(d->Pairs_SG->columnWidth(1), (width - 30) / 2);
    QTest::mouseDClick(d->Pairs_SG->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(d->Pairs_SG->columnWidth(0), 25);
    EXPECT_EQ(d->Pairs_SG->columnWidth(2), (width - 50) / 2);

    d->Button_ClearPairTableClick();
    EXPECT_EQ(d->Pairs_SG->item(5, 0)->text(), QStringLiteral("5"));
    EXPECT_TRUE(d->Pairs_SG->item(5, 2)->text().isEmpty());
}

TEST(GroupSelectorControls, CtrlAMarksEveryCondition) {
    auto d = Selector(0, 4);
    Mark(*d, {2});
    QTest::keyClick(d->List_Cond, Qt::Key_A);
    EXPECT_EQ(Marked(*d), (std::vector<int>{2}));
    QTest::keyClick(d->List_Cond, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 2, 3, 4}));
}

TEST(GroupSelectorControls, ResponseRowFillsTheProfile) {
    auto d = Selector(20, 5, false);
    d->HeaderRowCount = 4;
    d->HeaderTable.Resize(5, 3);
    const char* texts[] = {"1.5", "1,5", "x", "-2e3", "1e60"};
    for (int i = 1; i <= 5; ++i) d->HeaderTable.Set(i, 3, QString::fromUtf8(texts[i - 1]));
    d->FormShow();
    d->SAM_SE_ResponseHeaderRow->setValue(3);
    EXPECT_EQ(d->ResponseProfile,
              (std::vector<float>{0, 1.5f, 1, 0, -2000, std::numeric_limits<float>::max(), 0, 0}));
    d->SAM_SE_ResponseHeaderRow->setValue(9); // outside the table
    d->KMM_SE_Iter->setValue(7);
    EXPECT_EQ(d->ResponseProfile, std::vector<float>(8, 0.0f));
}

TEST(GroupSelectorControls, ProfileEditorGetsTheGroupsChannelsAndGivesLevelsBack) {
    BeepCounter beeps;
    auto d = Selector(4, 5, false);
    d->GroupMembers[1] = QStringLiteral("4,2");
    d->GroupMembers[2] = QStringLiteral("1");
    d->GroupMembers[3] = QStringLiteral("3");
    d->FirstConditionNumber = 1;
    d->HeaderTable.Set(0, 2, QString(60, QLatin1Char('T')));
    d->FormShow();
    d->ConditionGroup[3] = 3; // beyond the group count
    d->ResponseProfile = {0, 1, 2, 3, 4, 5};
    ProfileEditorRequest seen;
    bool use = false;
    PlotViewers().ProfileEditor = [&](QWidget*, ProfileEditorRequest& request) {
        seen = request;
        for (size_t k = 0; k < request.Channels.size(); ++k) request.Channels[k].Level = -float(k);
        return use;
    };
    d->SAM_BB_ResponseDefineProfile[1]->click(); // no matrix: nothing to list
    d->SAM_BB_ResponseDefineProfile[2]->click();
    EXPECT_EQ(beeps.count, 2);
    EXPECT_TRUE(seen.Channels.empty());

    d->SAM_BB_ResponseDefineProfile[0]->click(); // two groups: groups 1, then 2
    ASSERT_EQ(seen.Channels.size(), 3u);
    const int32_t condition[] = {2, 4, 1}, group[] = {1, 1, 2};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(seen.Channels[k].Column, condition[k]);
        EXPECT_EQ(seen.Channels[k].Group, group[k]);
        EXPECT_EQ(seen.Channels[k].Level, float(condition[k]));
        EXPECT_EQ(seen.Channels[k].Labels,
                  (QStringList{QStringLiteral("c%1").arg(condition[k]),
                               QStringLiteral("r2-%1").arg(condition[k])}));
    }
    EXPECT_EQ(seen.RowNames, (QStringList{QStringLiteral("Name"), QString(50, QLatin1Char('T'))}));
    EXPECT_EQ(seen.EditorMode, 0);
    EXPECT_EQ(d->ResponseProfile, (std::vector<float>{0, 1, 2, 3, 4, 5})); // not used

    use = true;
    d->SAM_BB_ResponseDefineProfile[0]->click();
    EXPECT_EQ(d->ResponseProfile, (std::vector<float>{0, -2, 0, 3, -1, 5}));
    PlotViewers().ProfileEditor = nullptr;
}

// The only way to the profile editor: the group selector of the response modes.
TEST(GroupSelectorControls, ProfileEditorOpensFromModeTwentyAndDrawsARamp) {
    auto d = Selector(20, 4);
    d->show();
    PlotViewers().ProfileEditor = RunProfileEditor;
    ModalAnswerer modal;
    modal.Expect<TfPatternTemplate>([](TfPatternTemplate& e) {
        EXPECT_EQ(e.ChannelCount(), 4);
        e.resize(600, 400);
        e.show();
        QApplication::processEvents();
        e.Profiles_Set(11);
        const QImage shot = e.grab().toImage();
        const ProfileLayout l = e.Layout();
        const QPoint plot = e.PaintBox1->mapTo(&e, l.Plot.topLeft());
        for (int32_t c = 1; c <= 4; ++c)
            EXPECT_EQ(shot.pixelColor(plot + QPoint(l.ChannelX(c) - 3,
                                                    l.ValueY(e.ProfileValues[size_t(c)]) - 3)),
                      QColor(0, 255, 255)) // group 1
                << c;
        EXPECT_LT(l.ValueY(e.ProfileValues[4]), l.ValueY(e.ProfileValues[1]));
        e.Button_OKClick();
        return e.result();
    });
    d->SAM_BB_ResponseDefineProfile[0]->click();
    PlotViewers().ProfileEditor = nullptr;
    ASSERT_EQ(d->ResponseProfile.size(), 7u);
    EXPECT_EQ(d->ResponseProfile[1], -1.0f);
    EXPECT_EQ(d->ResponseProfile[4], 1.0f);
}

TEST(GroupSelectorControls, StayOnTopFollowsTheToolButton) {
    auto d = Selector(0, 2);
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    EXPECT_TRUE(d->ToolButton1->isChecked());
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    d->ToolButton1->click();
    EXPECT_FALSE(d->ToolButton1->isChecked());
    EXPECT_FALSE(d->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(d->isVisible());
    d->ToolButton1->click();
    EXPECT_TRUE(d->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST(GroupSelectorControls, SurvivalPickerWritesTheChosenRowAndModeThreeElevenTurnsPages) {
    auto d = Selector(100, 2);
    d->HeaderTable.Set(0, 2, QString());
    d->CB_ConditionNames->setCurrentIndex(1);
    {
        ModalAnswerer modal;
        modal.Expect<TdSel_List>([](TdSel_List& list) {
            EXPECT_EQ(list.windowTitle(), QStringLiteral("Select survival Column"));
            EXPECT_EQ(list.Items, (QStringList{QStringLiteral("Name"), QStringLiteral("--")}));
            list.FormShow();
            list.List1->setCurrentRow(1);
            list.Button_SelectClick();
            return int(QDialog::Accepted);
        });
        modal.Expect<TdSel_List>([](TdSel_List& list) {
            list.reject();
            return int(QDialog::Rejected);
        });
        d->KapMei_Button_Sel[2]->click();
        d->KapMei_Button_Sel[3]->click();
    }
    EXPECT_EQ(d->KapMei_Edit_Row[2]->text(), QStringLiteral("2"));
    EXPECT_TRUE(d->KapMei_Edit_Row[3]->text().isEmpty());
    EXPECT_EQ(d->CB_ConditionNames->currentIndex(), 0);

    for (int mode : {310, 311}) {
        auto pca = Selector(mode, 2);
        pca->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return pca->FirstPaint == 0; }));
        QTest::qWait(20);
        EXPECT_EQ(pca->PageControl1->currentWidget(),
                  mode == 311 ? pca->TS_Parameter : pca->TS_Groups);
        EXPECT_EQ(pca->ParametersChecked, mode == 311 ? 1 : 0);
    }
}

} // namespace
