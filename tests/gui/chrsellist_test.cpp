#include "chrsellist.h"
#include "guitest.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Fill(TdChrSel_List& list, int n) {
    for (int c = 1; c <= n; ++c) list.List->addItem(QStringLiteral("Chr %1").arg(c));
}

void ClickItem(TdChrSel_List& list, int row, Qt::KeyboardModifiers keys = {}) {
    const QRect r = list.List->visualItemRect(list.List->item(row));
    QTest::mouseClick(list.List->viewport(), Qt::LeftButton, keys, r.center());
}

QList<int> SelectedRows(const TdChrSel_List& list) {
    QList<int> rows;
    for (int r = 0; r < list.List->count(); ++r)
        if (list.List->item(r)->isSelected()) rows << r;
    return rows;
}

TEST(ChromosomeList, LiveModeReportsEveryClickToItsOwner) {
    ToolMessageRecorder owner;
    TdChrSel_List list;
    Fill(list, 5);
    list.OwnerHandle = owner.Handle();
    list.NotifyMessage = WM_TOOL_COMMAND;
    list.NotifyCode = 1100;
    list.LiveUpdate = 1;
    list.show();
    EXPECT_TRUE(list.BB_Apply->isHidden());
    ClickItem(list, 2);
    ASSERT_EQ(owner.got.size(), 1u);
    EXPECT_EQ(owner.got[0], (std::pair<int, intptr_t>{1100, 1}));
    EXPECT_TRUE(list.List->item(2)->isSelected());
}

TEST(ChromosomeList, AClickSelectsOneCtrlTogglesShiftExtends) {
    TdChrSel_List list;
    Fill(list, 8);
    list.show();
    list.List->selectAll();
    ClickItem(list, 2);
    EXPECT_EQ(SelectedRows(list), QList<int>({2}));
    ClickItem(list, 5, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(list), QList<int>({2, 5}));
    ClickItem(list, 2, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(list), QList<int>({5}));
    ClickItem(list, 4);
    ClickItem(list, 7, Qt::ShiftModifier);
    EXPECT_EQ(SelectedRows(list), QList<int>({4, 5, 6, 7}));
}

TEST(ChromosomeList, SendsNothingWithoutLiveModeOrOwner) {
    ToolMessageRecorder owner;
    TdChrSel_List list;
    Fill(list, 3);
    list.NotifyMessage = WM_TOOL_COMMAND;
    list.NotifyCode = 1100;
    list.OwnerHandle = owner.Handle();
    list.show();
    EXPECT_FALSE(list.BB_Apply->isHidden());
    ClickItem(list, 0);
    EXPECT_TRUE(owner.got.empty());
    list.LiveUpdate = 1;
    list.OwnerHandle = 0;
    ClickItem(list, 1);
    EXPECT_TRUE(owner.got.empty());
}

TEST(ChromosomeList, SelectAllSendsExactlyOneMessage) {
    ToolMessageRecorder owner;
    TdChrSel_List list;
    Fill(list, 24);
    list.OwnerHandle = owner.Handle();
    list.NotifyMessage = WM_TOOL_COMMAND;
    list.NotifyCode = 1100;
    list.LiveUpdate = 1;
    list.show();
    QTest::mouseClick(list.BitBtn3, Qt::LeftButton);
    EXPECT_EQ(owner.got.size(), 1u);
    EXPECT_EQ(list.List->selectedItems().size(), 24);
    QTest::mouseClick(list.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(list.isVisible());
}

} // namespace
