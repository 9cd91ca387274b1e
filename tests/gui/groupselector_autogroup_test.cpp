#include "guitest.h"
#include "inputdialog1.h"
#include "plotviewers.h"
#include "selectortest.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

std::unique_ptr<TdGroupSelector> Labelled(int mode, std::initializer_list<const char*> labels) {
    auto d = Selector(mode, static_cast<int>(labels.size()), false);
    int i = 0;
    for (const char* label : labels) d->HeaderTable.Set(++i, 1, QString::fromUtf8(label));
    d->FormShow();
    return d;
}

TEST(GroupSelectorAutoGroup, SameAndSimilarLabelsFormGroups) {
    auto d = Labelled(0, {"A", "B", "A", "C"});
    Mark(*d, {1, 2, 3, 4});
    d->AutoGroup_GroupClick(d->Groupsame1);
    EXPECT_EQ(Groups(*d), (std::vector<int32_t>{1, 2, 1, 0})); // two groups: C has none
    EXPECT_EQ(Items(d->List_Group),
              (QStringList{QStringLiteral("Group-1 (2)"), QStringLiteral("Group-2 (1)"),
                           QStringLiteral("none")}));
    SetGroups(*d, 3);
    d->AutoGroup_GroupClick(d->Groupsame1);
    EXPECT_EQ(Groups(*d), (std::vector<int32_t>{1, 2, 1, 3}));
    SetGroups(*d, 2);
    d->AutoGroup_GroupClick(d->Groupsame1);
    EXPECT_EQ(Groups(*d), (std::vector<int32_t>{1, 2, 1, 3})); // C keeps its group

    // A condition joins the representative its label occurs in.
    auto similar = Labelled(0, {"T1", "T1-rep", "", "x"});
    Mark(*similar, {1, 2});
    similar->AutoGroup_GroupClick(similar->Groupsimilar1);
    EXPECT_EQ(Groups(*similar), (std::vector<int32_t>{1, 0, 0, 0}));
    Mark(*similar, {3, 4}); // an empty label absorbs nothing and joins nothing
    similar->AutoGroup_GroupClick(similar->Groupsimilar1);
    EXPECT_EQ(Groups(*similar), (std::vector<int32_t>{1, 0, 0, 2}));
}

TEST(GroupSelectorAutoGroup, LabelsReadingAsTheMergeMarkerFormNoGroup) {
    auto d = Labelled(0, {"#####", "A", "#####"});
    Mark(*d, {1, 2, 3});
    d->Groupsame1->trigger();
    EXPECT_EQ(Groups(*d), (std::vector<int32_t>{0, 1, 0}));
    EXPECT_EQ(Items(d->List_Group),
              (QStringList{QStringLiteral("Group-1 (1)"), QStringLiteral("Group-2 (0)"),
                           QStringLiteral("none")}));
}

void AnswerNumeric(ModalAnswerer& modal, const QString& text, bool ok = true) {
    modal.Expect<TInputDialog1>([text, ok](TInputDialog1& d) {
        EXPECT_EQ(d.Caption, QStringLiteral("JX-DORV - Autogroup"));
        EXPECT_EQ(d.Prompt, QStringLiteral("Define # of groups,confidence interval and data base "
                                           "(e.g. \"2,1,all\")"));
        EXPECT_EQ(d.Text, QStringLiteral("2,1,all"));
        d.FormShow();
        d.CB->setEditText(text);
        if (!ok) {
            d.Button_CancelClick();
            return int(QDialog::Rejected);
        }
        d.Button_OKClick();
        return int(QDialog::Accepted);
    });
}

TEST(GroupSelectorAutoGroup, NumericSplitAroundTheMean) {
    MessageCapture messages;
    ModalAnswerer modal;
    auto d = Labelled(0, {"1", "2", "3", "10", "x"});
    Mark(*d, {1, 2, 3, 4, 5});
    const QStringList counts = Items(d->List_Group);
    for (const char* answer : {"3,1,all", "x,1,all"}) {
        AnswerNumeric(modal, QString::fromUtf8(answer));
        d->Numeric1Click(d->Numeric1);
    }
    AnswerNumeric(modal, QStringLiteral("2,1,all"), false);
    d->Numeric1Click(d->Numeric1);
    EXPECT_EQ(Groups(*d), (std::vector<int32_t>{0, 0, 0, 0, 0}));
    ASSERT_EQ(messages.shown.size(), 1u); // for "x" only
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);

    // Mean 4, deviation about 4.08: 1, 2 and 3 lie between the limits.
    AnswerNumeric(modal, QStringLiteral("2,1,all"));
    d->Numeric1Click(d->Numeric1);
    EXPECT_EQ(Groups(*d), (std::vector<int32_t>{3, 3, 3, 2, 0}));
    EXPECT_EQ(Items(d->List_Group), counts);
    // Only the marked conditions, and a factor read as edits read it.
    Mark(*d, {1, 4});
    AnswerNumeric(modal, QStringLiteral("2,0.1x,marked"));
    d->Numeric1Click(d->Numeric1);
    EXPECT_EQ(Groups(*d), (std::vector<int32_t>{1, 3, 3, 2, 0}));
}

TEST(GroupSelectorScript, GroupsAndParametersGoToTheClipboard) {
    MessageCapture messages;
    ToolMessageRecorder owner;
    auto d = Selector(0, 4);
    d->FirstConditionNumber = 0;
    d->OwnerHandle = owner.Handle();
    d->Edit_Comment->setText(QStringLiteral("note"));
    Mark(*d, {1, 2});
    d->List_Group->setCurrentRow(0);
    d->Button_ConditionsToGroupClick();
    QApplication::clipboard()->setText(QStringLiteral("sentinel"));
    d->BB_ToScriptClick();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Groups not defined !!"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Kelv"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("sentinel"));
    EXPECT_TRUE(owner.got.empty());

    Mark(*d, {3, 4});
    d->List_Group->setCurrentRow(1);
    d->Button_ConditionsToGroupClick();
    d->BB_ToScriptClick();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("#\n# note\nanalysis.parameter.groupnumber=2\n"
                             "analysis.parameter.group1=0,1\nanalysis.parameter.group2=2,3\n"
                             "analysis.run"));
    EXPECT_EQ(d->GroupMembers[2], QStringLiteral("2,3"));
    EXPECT_EQ(owner.got, (std::vector<std::pair<int, intptr_t>>{{2000, 0}}));
    d->OwnerHandle = 0;
    d->BB_ToScriptClick();
    EXPECT_EQ(owner.got.size(), 1u);
}

TEST(GroupSelectorAutoGroup, PlotButtonsRunInTheirModeAndTheBarButtonDoesNot) {
    AnalysisMatrix matrix;
    matrix.Resize(3, 2);
    std::vector<int> plotted;
    const auto installed = PlotViewers().ScatterPlot;
    PlotViewers().ScatterPlot = [&](const ScatterPlotRequest& r) { plotted.push_back(r.Mode); };
    auto d = Selector(1000, 2, false);
    d->AnalysisMatrix = &matrix;
    d->FormShow();
    d->ConditionGroup[1] = 1; // the run closes only with a member in the last group
    Mark(*d, {1, 2});
    QTest::mouseClick(d->BB_RI, Qt::LeftButton);
    EXPECT_EQ(d->Mode, 1001);
    EXPECT_EQ(plotted, std::vector<int>{1001});
    EXPECT_EQ(d->ResultCode, 1);

    int charts = 0;
    PlotViewers().DotChart = [&](QWidget*, const DotChartRequest&) { ++charts; };
    auto bar = Selector(1010, 2, false);
    bar->AnalysisMatrix = &matrix;
    bar->FormShow();
    Mark(*bar, {1, 2});
    bar->BB_ScatterplotsClick(bar->BB_XY);
    EXPECT_EQ(bar->Mode, 1010);
    EXPECT_EQ(plotted.size(), 1u);
    EXPECT_EQ(charts, 1);
    EXPECT_EQ(bar->ResultCode, -1);
    PlotViewers().ScatterPlot = installed;
    PlotViewers().DotChart = nullptr;
}

} // namespace
