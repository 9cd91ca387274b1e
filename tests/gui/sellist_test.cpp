#include "cghtool.h"
#include "gui/guitest.h"
#include "jxdorvdec.h"
#include "sellist.h"
#include "system.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

QStringList Entries(int n) {
    QStringList items;
    for (int i = 1; i <= n; ++i) items.append(QStringLiteral("entry %1").arg(i));
    return items;
}

void ClickItem(TdSel_List& dlg, int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QRect rect = dlg.List1->visualItemRect(dlg.List1->item(row));
    QTest::mouseClick(dlg.List1->viewport(), Qt::LeftButton, mods, rect.center());
}

TEST(SelList, MultipleModeGivesTheChosenEntriesInOrder) {
    TdSel_List dlg;
    dlg.Items = Entries(6);
    dlg.MultiSelect = 1;
    dlg.show();
    ASSERT_EQ(dlg.List1->count(), 6);
    ClickItem(dlg, 4);
    ClickItem(dlg, 1, Qt::ControlModifier);
    dlg.Button_Select->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.ResultIndex, 2);
    EXPECT_EQ(dlg.SelectedCount, 2);
    EXPECT_EQ(dlg.SelectedIndices[1], 2);
    EXPECT_EQ(dlg.SelectedIndices[2], 5);
    EXPECT_EQ(dlg.SelectedText, QStringLiteral("entry 2\tentry 5\t"));
    EXPECT_TRUE(dlg.Items.isEmpty());
}

TEST(SelList, OneEntryInMultipleModeIsReadFromResultIndex) {
    TdSel_List dlg;
    dlg.Items = Entries(4);
    dlg.MultiSelect = 1;
    dlg.show();
    ClickItem(dlg, 2);
    dlg.Button_Select->click();
    EXPECT_EQ(dlg.SelectedCount, 0);
    EXPECT_EQ(dlg.ResultIndex, 3);
    EXPECT_EQ(dlg.SelectedText, QStringLiteral("entry 3\t"));
}

TEST(SelList, MoreThanAHundredChosenKeepsTheCountAndTheFirstHundred) {
    TdSel_List dlg;
    dlg.Items = Entries(150);
    dlg.MultiSelect = 1;
    dlg.show();
    dlg.List1->selectAll();
    dlg.Button_Select->click();
    EXPECT_EQ(dlg.SelectedCount, 150);
    EXPECT_EQ(dlg.SelectedIndices[1], 1);
    EXPECT_EQ(dlg.SelectedIndices[100], 100);
    EXPECT_TRUE(dlg.SelectedText.endsWith(QStringLiteral("entry 150\t")));
}

TEST(SelList, SingleModeDoubleClickAndClose) {
    TdSel_List dlg;
    dlg.Items = Entries(3);
    dlg.show();
    EXPECT_EQ(dlg.List1->selectionMode(), QAbstractItemView::SingleSelection);
    const QRect rect = dlg.List1->visualItemRect(dlg.List1->item(1));
    QTest::mouseClick(dlg.List1->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QTest::mouseDClick(dlg.List1->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.ResultIndex, 2);
    EXPECT_EQ(dlg.SelectedCount, 0);
    EXPECT_EQ(dlg.SelectedText, QStringLiteral("entry 2"));

    TdSel_List closed;
    closed.Items = Entries(3);
    closed.show();
    ClickItem(closed, 0);
    closed.close();
    EXPECT_EQ(closed.ResultIndex, -1);
    EXPECT_TRUE(closed.Items.isEmpty());
}

TEST(OpenUrl, HandsTheTextToTheShell) {
    std::vector<QString> opened;
    SetShellOpenHook([&](const QString& target) {
        opened.push_back(target);
        return false;
    });
    OpenUrl(QString());
    EXPECT_TRUE(opened.empty());
    OpenUrl(QStringLiteral("https://www.ncbi.nlm.nih.gov/gene/?term=GAPDH"));
    OpenUrl(QStringLiteral("/tmp/help page.html"));
    SetShellOpenHook({});
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QStringLiteral("https://www.ncbi.nlm.nih.gov/gene/?term=GAPDH"));
    EXPECT_EQ(opened[1], QStringLiteral("/tmp/help page.html"));
}

TEST(ToolDataSetList, ListsHybridisationsWithFileNames) {
    auto data = std::make_unique<tCGH_DataSet>();
    TfCGH_Tool tool;
    tool.DataSetList->addItem(QStringLiteral("stale"));
    RefreshToolDataSetList(tool, *data);
    EXPECT_EQ(tool.DataSetList->count(), 0);

    data->HNum = 3;
    data->Hyb[1].FileName = "first.txt";
    data->Hyb[1].Active = 1;
    data->Hyb[3].FileName = "third.txt";
    data->Hyb[3].Active = 0;
    tool.DataSetActive[3] = 1;
    RefreshToolDataSetList(tool, *data);
    ASSERT_EQ(tool.DataSetList->count(), 2);
    EXPECT_EQ(tool.DataSetList->item(0)->text(), QStringLiteral(" 1  first.txt"));
    EXPECT_EQ(tool.DataSetList->item(1)->text(), QStringLiteral(" 3  third.txt"));
    EXPECT_EQ(tool.DataSetActive[1], 1);
    EXPECT_EQ(tool.DataSetActive[3], 0);

    // A count beyond the slots lists the slots there are.
    data->HNum = 500;
    data->Hyb[50].FileName = "last.txt";
    RefreshToolDataSetList(tool, *data);
    ASSERT_EQ(tool.DataSetList->count(), 3);
    EXPECT_EQ(tool.DataSetList->item(2)->text(), QStringLiteral(" 50  last.txt"));
}

} // namespace
