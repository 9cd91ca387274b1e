#include "gui/guitest.h"
#include "previewmodel.h"
#include "selcol.h"
#include "selcolumns.h"
#include "system.h"

#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SelColTest : public ::testing::Test {
  protected:
    void TearDown() override { SetModifierOverride(std::nullopt, std::nullopt); }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        return ::WriteFile(QDir(dir.path()), name, bytes);
    }

    // Shows the dialog with narrow columns so the first ones lie in view.
    void Show(TdSelCol& dlg) {
        dlg.SG->horizontalHeader()->setDefaultSectionSize(30);
        dlg.show();
    }

    // A user's click on grid cell (col, row), both counted from 1.
    static void ClickCell(TdSelCol& dlg, int col, int row, bool ctrl = false) {
        SetModifierOverride(ctrl, std::nullopt);
        const QRect cell = dlg.SG->visualRect(dlg.SGCells->index(row - 1, col - 1));
        ASSERT_TRUE(dlg.SG->viewport()->rect().contains(cell.center()));
        QTest::mouseClick(dlg.SG->viewport(), Qt::LeftButton,
                          ctrl ? Qt::ControlModifier : Qt::NoModifier, cell.center());
    }

    static const QByteArray kTable;
    QTemporaryDir dir;
    MessageCapture messages;
};

const QByteArray SelColTest::kTable = "h1\th2\th3\th4\th5\th6\th7\th8\n"
                                      "1\t2\t3\t4\t5\t6\t7\t8\n"
                                      "a\tb\tc\n"
                                      "no line feed";

TEST(SelColumns, MarkedColumnsEditNumbersAndLabelSets) {
    std::vector<uint8_t> marks(12, 0);
    EXPECT_EQ(JoinMarkedColumns(marks), QString());
    marks[7] = marks[3] = marks[5] = 1;
    EXPECT_EQ(JoinMarkedColumns(marks), QStringLiteral("3,5,7"));
    EXPECT_EQ(EditNumber(QStringLiteral("12abc")), 12);
    EXPECT_EQ(EditNumber(QStringLiteral("70000")), 4464); // 16 bits, as callers store it
    EXPECT_EQ(EditNumber(QStringLiteral("x")), 0);
    int32_t count = -1;
    QStringList labels;
    EXPECT_FALSE(BuiltInEditLabels(0, count, labels));
    EXPECT_FALSE(BuiltInEditLabels(6, count, labels));
    EXPECT_EQ(count, -1);
    ASSERT_TRUE(BuiltInEditLabels(2, count, labels));
    EXPECT_EQ(count, 5);
    EXPECT_EQ(labels.last(), QStringLiteral("Tax-ID"));
}

TEST(SelColumns, LinesSourceTakesNonEmptyLinesOfTheFirstThousand) {
    QStringList lines;
    for (int i = 0; i < 1500; ++i) lines.append(i % 2 ? QStringLiteral("x\ty") : QString());
    const PreviewTable t = PreviewFromLines(lines, 1000);
    EXPECT_EQ(t.Rows.size(), 500u);
    EXPECT_EQ(t.MaxFields, 2u);
}

TEST_F(SelColTest, FilePreviewShowsCompleteLinesWithNumberedEdges) {
    TdSelCol dlg;
    dlg.FileName = WriteFile(QStringLiteral("t.txt"), kTable);
    dlg.InfoText = QStringLiteral("Pick the header row");
    Show(dlg);
    EXPECT_TRUE(messages.shown.empty());
    // Three lines end with a feed; the fourth is not shown.
    EXPECT_EQ(dlg.SGCells->RowCount(), 4);
    EXPECT_EQ(dlg.SGCells->ColCount(), 9);
    EXPECT_EQ(dlg.SGCells->Cell(2, 1), QStringLiteral("h2"));
    EXPECT_EQ(dlg.SGCells->Cell(3, 3), QStringLiteral("c"));
    EXPECT_EQ(dlg.SGCells->Cell(4, 3), QString());
    EXPECT_EQ(dlg.SGCells->Cell(5, 0), QStringLiteral("5"));
    EXPECT_EQ(dlg.SGCells->Cell(0, 2), QStringLiteral("2"));
    EXPECT_EQ(dlg.SGCells->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("1"));
    EXPECT_EQ(dlg.SelectedColumns.size(), 19u);
    EXPECT_EQ(dlg.Label_Info->text(), QStringLiteral("Pick the header row"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Preview - ") + dlg.FileName);
    EXPECT_EQ(dlg.GroupBox2->height(), 46);
    EXPECT_FALSE(dlg.Edit1->isVisible());
    EXPECT_FALSE(dlg.Button_Reset->isVisible());
    EXPECT_EQ(dlg.CurrentCol, 1);
    EXPECT_EQ(dlg.CurrentRow, 1);
    EXPECT_EQ(dlg.SG->currentIndex(), dlg.SGCells->index(0, 0));
}

TEST_F(SelColTest, LargeInputsArePreviewedInPart) {
    QByteArray big;
    for (int i = 0; i < 30000; ++i) big += "123\t56\n"; // 7 bytes a line
    TdSelCol dlg;
    dlg.FileName = WriteFile(QStringLiteral("big.txt"), big);
    dlg.CurrentRow = 40000;
    Show(dlg);
    // 200000 bytes hold 28571 whole lines; the cut one is left out.
    EXPECT_EQ(dlg.SGCells->RowCount(), 28572);
    EXPECT_EQ(dlg.SGCells->rowCount(), 28571);
    EXPECT_EQ(dlg.SGCells->ColCount(), 3);
    EXPECT_EQ(dlg.CurrentRow, 1);

    TdSelCol lines;
    lines.Source = 2;
    for (int i = 1; i <= 1200; ++i) lines.Lines.append(QStringLiteral("%1\tx").arg(i));
    Show(lines);
    EXPECT_EQ(lines.SGCells->RowCount(), 1001);
    EXPECT_EQ(lines.SGCells->Cell(1, 1000), QStringLiteral("1000"));
}

TEST_F(SelColTest, MissingFileIsReportedAndOkStillReadsTheEdits) {
    TdSelCol dlg;
    dlg.FileName = dir.filePath(QStringLiteral("missing.txt"));
    dlg.EditCount = 2;
    dlg.EditColumns[1] = 7;
    dlg.EditColumns[2] = 13;
    Show(dlg);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Could not open file"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Kelv"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(dlg.SGCells->rowCount(), 0);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Select columns - ") + dlg.FileName);
    EXPECT_EQ(dlg.GroupBox2->height(), 76);
    EXPECT_EQ(dlg.Label1->text(), QStringLiteral("Col1"));
    EXPECT_EQ(dlg.Edit2->text(), QStringLiteral("13"));
    dlg.Button_OK->click();
    EXPECT_EQ(dlg.ResultCode, 0);
    EXPECT_EQ(dlg.EditColumns[1], 7);
    EXPECT_EQ(dlg.Edit1Row, 7);
    EXPECT_EQ(dlg.CurrentCol, 13);
    EXPECT_EQ(dlg.Edit2Column, 13);
}

TEST_F(SelColTest, CtrlClicksMarkColumnsForTheListEdits) {
    TdSelCol dlg;
    dlg.FileName = WriteFile(QStringLiteral("t.txt"), kTable);
    dlg.Mode = 1;
    Show(dlg);
    // Clicking an edit before any column was clicked leaves it alone.
    QTest::mouseClick(dlg.Edit3, Qt::LeftButton);
    EXPECT_EQ(dlg.Edit3->text(), QStringLiteral("0"));

    ClickCell(dlg, 3, 2, true);
    ClickCell(dlg, 7, 2, true);
    ClickCell(dlg, 5, 3, true);
    EXPECT_EQ(dlg.CurrentCol, 5);
    EXPECT_EQ(dlg.Edit1->text(), QStringLiteral("3"));
    EXPECT_EQ(dlg.Edit2->text(), QStringLiteral("5"));
    QTest::mouseClick(dlg.Edit3, Qt::LeftButton);
    EXPECT_EQ(dlg.Edit3->text(), QStringLiteral("3,5,7"));
    EXPECT_EQ(dlg.SGCells->data(dlg.SGCells->index(0, 6), Qt::BackgroundRole).value<QColor>(),
              QColor(223, 223, 223));
    EXPECT_FALSE(dlg.SGCells->data(dlg.SGCells->index(0, 5), Qt::BackgroundRole).isValid());

    // A plain click starts a new marking.
    ClickCell(dlg, 2, 1);
    QTest::mouseClick(dlg.Edit4, Qt::LeftButton);
    EXPECT_EQ(dlg.Edit4->text(), QStringLiteral("2"));
    dlg.Edit2->setText(QStringLiteral("x"));
    QTest::mouseClick(dlg.Edit2, Qt::LeftButton);
    EXPECT_EQ(dlg.Edit2->text(), QStringLiteral("2"));
    QTest::mouseClick(dlg.Edit1, Qt::LeftButton);
    EXPECT_EQ(dlg.Edit1->text(), QStringLiteral("1"));
    dlg.Button_OK->click();
    EXPECT_EQ(dlg.EditColumns[3], 3);
    EXPECT_EQ(dlg.EditColumns[4], 2);
    EXPECT_EQ(dlg.Edit2Column, 2);
    EXPECT_EQ(dlg.Edit1Row, 1);
}

TEST_F(SelColTest, ClickBesideTheCellsChangesNothing) {
    TdSelCol dlg;
    dlg.Source = 2;
    dlg.Lines = {QStringLiteral("a\tb")};
    dlg.EditCount = 3;
    Show(dlg);
    ClickCell(dlg, 2, 1);
    const QPoint beside = dlg.SG->viewport()->rect().bottomRight() - QPoint(3, 3);
    ASSERT_FALSE(dlg.SG->indexAt(beside).isValid());
    SetModifierOverride(false, std::nullopt);
    QTest::mouseClick(dlg.SG->viewport(), Qt::LeftButton, Qt::NoModifier, beside);
    EXPECT_EQ(dlg.CurrentCol, 2);
    EXPECT_EQ(dlg.CurrentRow, 1);
    EXPECT_EQ(JoinMarkedColumns(dlg.SelectedColumns), QStringLiteral("2"));
    dlg.SGMouseDown(QPoint(-50, -50));
    dlg.SGClick();
    EXPECT_EQ(JoinMarkedColumns(dlg.SelectedColumns), QStringLiteral("2"));
}

TEST_F(SelColTest, ModesSetLabelsAndReset) {
    TdSelCol ideogram;
    ideogram.Source = 2;
    ideogram.Lines = {QStringLiteral("1\tp\t36")};
    ideogram.Mode = 4;
    ideogram.CaptionText = QStringLiteral("Ideogram columns");
    for (int i = 3; i <= 9; ++i) ideogram.EditColumns[static_cast<size_t>(i)] = int16_t(i);
    Show(ideogram);
    EXPECT_EQ(ideogram.EditCount, 9);
    EXPECT_EQ(ideogram.windowTitle(), QStringLiteral("Ideogram columns"));
    EXPECT_TRUE(ideogram.Edit9->isVisible());
    EXPECT_EQ(ideogram.Label2->text(), QStringLiteral("Chromosome #"));
    EXPECT_EQ(ideogram.Label9->text(), QStringLiteral("Length (bp)"));
    EXPECT_EQ(ideogram.Edit9->text(), QStringLiteral("9"));
    EXPECT_TRUE(ideogram.Button_Reset->isVisible());
    ideogram.Button_Reset->click();
    EXPECT_EQ(ideogram.Edit8->text(), QString());
    EXPECT_EQ(ideogram.Edit9->text(), QStringLiteral("9"));

    TdSelCol regulation;
    regulation.Source = 2;
    regulation.Mode = 3;
    Show(regulation);
    EXPECT_EQ(regulation.EditCount, 3);
    EXPECT_EQ(regulation.Label3->text(), QStringLiteral("Regulation column"));
    EXPECT_FALSE(regulation.Edit4->isVisible());
    EXPECT_FALSE(regulation.Button_Reset->isVisible());

    TdSelCol tooMany;
    tooMany.Source = 2;
    tooMany.EditCount = 40;
    tooMany.ColumnLabels[9] = QStringLiteral("Ninth");
    Show(tooMany);
    EXPECT_EQ(tooMany.EditCount, 9);
    EXPECT_EQ(tooMany.Label9->text(), QStringLiteral("Ninth"));
}

TEST_F(SelColTest, CallerGridDoubleClickAndHelp) {
    TdSelCol dlg;
    dlg.Source = 3;
    dlg.SGCells->SetSize(4, 3);
    dlg.SGCells->SetCell(1, 1, QStringLiteral("x"));
    dlg.SGCells->SetCell(3, 2, QStringLiteral("y"));
    dlg.SGCells->SetCell(9, 9, QStringLiteral("ignored"));
    dlg.EditCount = 2;
    dlg.CurrentCol = 3;
    dlg.CurrentRow = 2;
    dlg.HelpText = QStringLiteral("Choose the columns");
    Show(dlg);
    EXPECT_EQ(dlg.SGCells->ColCount(), 4);
    EXPECT_EQ(dlg.SGCells->RowCount(), 3);
    EXPECT_EQ(dlg.SGCells->Cell(3, 2), QStringLiteral("y"));
    EXPECT_EQ(dlg.SelectedColumns.size(), 14u);
    EXPECT_EQ(dlg.SG->currentIndex(), dlg.SGCells->index(1, 2));

    dlg.Button_Help->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Kelv"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("Choose the columns\n----------------------\n\nFile viewer / selector\n"
                       "Version 1.1d from 05.08.2008\n\nimplemented by\n")));

    const QRect cell = dlg.SG->visualRect(dlg.SGCells->index(0, 1));
    // A double click begins with a plain click, which QTest's double click leaves out.
    QTest::mouseClick(dlg.SG->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(dlg.SG->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.ResultCode, 0);
    EXPECT_EQ(dlg.Edit2Column, 2);
    EXPECT_EQ(dlg.Edit1Row, 1);
    EXPECT_EQ(dlg.EditColumns[2], 2);
}

TEST_F(SelColTest, CancelAndCloseGiveMinusOne) {
    TdSelCol dlg;
    dlg.Source = 2;
    Show(dlg);
    dlg.Button_Cancel->click();
    EXPECT_EQ(dlg.ResultCode, -1);
    Show(dlg);
    dlg.Button_OK->click();
    EXPECT_EQ(dlg.ResultCode, 0);
    Show(dlg);
    dlg.close();
    EXPECT_EQ(dlg.ResultCode, -1);
}

} // namespace
