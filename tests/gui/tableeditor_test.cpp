#include "gridview.h"
#include "guitest.h"
#include "inputdialog1.h"
#include "registry.h"
#include "tableeditor.h"
#include "tableeditormodel.h"
#include "tablelogic.h"
#include "tableprint.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList Column(const TfTableEditor& e, int col) {
    QStringList cells;
    for (int r = 0; r < e.SGCells->RowCount(); ++r) cells << e.SGCells->Cell(col, r);
    return cells;
}

// Presses a fixed cell (row < FixedRows or col < FixedCols) with the mouse, as a user would.
void ClickFixed(TfTableEditor& e, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    TGridHeader* header = row < e.SGCells->FixedRows() ? e.SG->Top() : e.SG->Side();
    int along = 0, across = 0;
    if (header == e.SG->Top()) {
        along = header->sectionViewportPosition(col - e.SGCells->FixedCols()) + 10;
        for (int k = 0; k < row; ++k) across += header->Strip(k);
    } else {
        along = header->sectionViewportPosition(row - e.SGCells->FixedRows()) + 5;
        for (int k = 0; k < col; ++k) across += header->Strip(k);
    }
    const QPoint at = header == e.SG->Top() ? QPoint(along, across + 5) : QPoint(across + 5, along);
    QTest::mouseClick(header->viewport(), button, {}, at);
}

void ClickCell(TfTableEditor& e, int col, int row) {
    const QRect cell = e.SG->visualRect(e.SGCells->GridIndex(col, row));
    QTest::mouseClick(e.SG->viewport(), Qt::LeftButton, {}, cell.center());
}

std::vector<int> Marked(const std::vector<bool>& marks) {
    std::vector<int> on;
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i]) on.push_back(static_cast<int>(i));
    return on;
}

void AnswerInput(ModalAnswerer& modal, const QString& text) {
    modal.Expect<TInputDialog1>([text](TInputDialog1& d) {
        d.FormShow();
        d.CB->setEditText(text);
        d.Button_OKClick();
        return int(QDialog::Accepted);
    });
}

class TableEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        editor.resize(700, 500);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }
    void TearDown() override { SetModifierOverride(std::nullopt, std::nullopt); }
    MessageCapture messages;
    BeepCounter beeps;
    QTemporaryDir dir;
    TfTableEditor editor;
};

TEST_F(TableEditorTest, HeaderPressesMarkByButtonAndKeys) {
    editor.SGCells->SetSize(10, 10);
    auto& cols = editor.SGCells->ColMarks;
    auto& rows = editor.SGCells->RowMarks;
    ClickFixed(editor, 3, 0);
    EXPECT_EQ(Marked(cols), (std::vector<int>{3}));
    EXPECT_EQ(editor.ClickCol, 3);
    EXPECT_EQ(editor.ClickRow, 0);
    ClickFixed(editor, 3, 0);
    EXPECT_TRUE(Marked(cols).empty());
    SetModifierOverride(true, false);
    ClickFixed(editor, 5, 0);
    SetModifierOverride(false, true);
    ClickFixed(editor, 8, 0);
    EXPECT_EQ(Marked(cols), (std::vector<int>{5, 6, 7, 8}));
    // The fixed cell of a marked column is drawn darker on screen.
    QTest::qWait(20);
    const QImage top = editor.SG->Top()->grab().toImage();
    const int x6 = editor.SG->Top()->sectionViewportPosition(5) + 10;
    const int x1 = editor.SG->Top()->sectionViewportPosition(0) + 10;
    EXPECT_EQ(QColor(top.pixel(x6, 20)), QColor(212 - 64, 208 - 64, 200 - 64));
    EXPECT_EQ(QColor(top.pixel(x1, 20)), QColor(212, 208, 200));

    // Right presses add to two or more marks, else replace; a middle press always replaces.
    SetModifierOverride(false, false);
    ClickFixed(editor, 0, 2, Qt::RightButton);
    ClickFixed(editor, 0, 4, Qt::RightButton);
    EXPECT_EQ(Marked(rows), (std::vector<int>{4}));
    SetModifierOverride(true, false);
    ClickFixed(editor, 0, 6, Qt::RightButton);
    SetModifierOverride(false, false);
    ClickFixed(editor, 0, 7, Qt::RightButton);
    EXPECT_EQ(Marked(rows), (std::vector<int>{4, 6, 7}));
    ClickFixed(editor, 0, 2, Qt::MiddleButton);
    EXPECT_EQ(Marked(rows), (std::vector<int>{2}));
    // A press on an ordinary cell marks nothing.
    ClickCell(editor, 4, 4);
    EXPECT_EQ(Marked(rows), (std::vector<int>{2}));
    EXPECT_EQ(editor.ClickCol, 4);
}

TEST_F(TableEditorTest, CellColoursFollowEdgesRulesBandsAndMarks) {
    TTableEditorModel& m = *editor.SGCells;
    m.SetSize(10, 6);
    m.SetCell(8, 1, QStringLiteral("10.5"));
    m.SetCell(8, 2, QStringLiteral("10"));
    m.SetCell(2, 1, QStringLiteral("5abc"));
    m.SetCell(2, 2, QStringLiteral("7"));
    m.Rules[1] = {2, 1, 6.0f, 0, 0, 255};
    m.Rules[2] = {2, 0, 5.0f, 0, 255, 0};
    m.RuleCount = 2;
    const QColor white(255, 255, 255);
    EXPECT_EQ(m.CellColour(0, 3), QColor(212, 208, 200));
    EXPECT_EQ(m.CellColour(3, 0), QColor(212, 208, 200));
    EXPECT_EQ(m.CellColour(8, 1), QColor(255, 223, 223));
    EXPECT_EQ(m.CellColour(8, 2), white);
    EXPECT_EQ(m.CellColour(2, 1), QColor(0, 255, 0)); // leading number 5
    EXPECT_EQ(m.CellColour(2, 2), QColor(0, 0, 255));
    m.BandRows = 2;
    EXPECT_EQ(m.CellColour(3, 2), QColor(239, 239, 239));
    EXPECT_EQ(m.CellColour(3, 3), white);
    m.RowMarks[3] = true;
    m.ColMarks[3] = true;
    EXPECT_EQ(m.CellColour(3, 3), QColor(127, 127, 127));
    EXPECT_EQ(m.CellColour(4, 3), QColor(191, 191, 191));
    EXPECT_EQ(m.data(m.GridIndex(2, 2), Qt::BackgroundRole).value<QColor>(), QColor(0, 0, 255));
}

TEST_F(TableEditorTest, OpenAndSaveAsKeepBytesAndLeaveNoStaleCell) {
    TableSetRow(editor, 25, QStringLiteral("a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\tm\tn"), '\t');
    editor.SGCells->SetCell(0, 0, QStringLiteral("corner"));
    const QByteArray file = "ID\tName\tValue\r\n1\tal\xe9\t3.5\r\n2\tb\xc3\xa9r\t7\r\n";
    const QString in = dir.filePath(QStringLiteral("in.txt"));
    Write(in, file);
    {
        FileDialogAnswerer answer({in});
        editor.File_OpenClick();
        ASSERT_EQ(answer.requests.size(), 1u);
        EXPECT_EQ(answer.requests[0].caption, QStringLiteral("Open data table"));
    }
    EXPECT_EQ(editor.FileName, in);
    EXPECT_EQ(beeps.count, 1);
    EXPECT_EQ(editor.SGCells->RowCount(), 13);
    EXPECT_EQ(editor.SGCells->ColCount(), 15); // columns only grow
    EXPECT_EQ(editor.SGCells->Cell(2, 2), QStringLiteral("al\u00e9"));
    EXPECT_EQ(editor.SGCells->Cell(2, 3), QStringLiteral("b\u00e9r"));
    EXPECT_EQ(editor.SGCells->Cell(5, 2), QString()); // stale cells gone
    EXPECT_EQ(editor.SGCells->Cell(0, 0), QStringLiteral("corner"));

    const QString out = dir.filePath(QStringLiteral("out.txt"));
    {
        FileDialogAnswerer answer({out});
        editor.File_SaveAsClick();
        EXPECT_EQ(answer.requests[0].caption, QStringLiteral("Save data table"));
    }
    EXPECT_EQ(ReadAll(out), file);

    // X at (4, 1), Y at (2, 3); the edited cell is written as UTF-8.
    editor.SGCells->SetSize(1, 1);
    editor.SGCells->SetSize(6, 6);
    editor.SGCells->SetCell(4, 1, QStringLiteral("X"));
    editor.SGCells->setData(editor.SGCells->GridIndex(2, 3), QStringLiteral("\u00e9"),
                            Qt::EditRole);
    editor.FileName = dir.filePath(QStringLiteral("named"));
    {
        FileDialogAnswerer answer({out});
        editor.File_SaveAsClick();
        EXPECT_EQ(answer.requests[0].directory, dir.filePath(QStringLiteral("named.txt")));
    }
    EXPECT_EQ(ReadAll(out), QByteArray("\t\t\tX\r\n\t\xc3\xa9\t\t\r\n"));

    // An empty file and a UTF-16 ("Unicode text") export change nothing.
    const QString empty = dir.filePath(QStringLiteral("empty.txt"));
    Write(empty, "");
    const QString unicode = dir.filePath(QStringLiteral("unicode.txt"));
    Write(unicode, QByteArray("\xFF\xFEI\0D\0\t\0N\0\r\0\n\0", 14));
    FileDialogAnswerer answer({empty, unicode});
    editor.File_OpenClick();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Empty or un-readable file"));
    editor.File_OpenClick();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              QLatin1Char('"') + unicode +
                  QStringLiteral("\" is saved as UTF-16 (Unicode text), which cannot be read: "
                                 "save it as tab-delimited text in ANSI or UTF-8."));
    EXPECT_EQ(editor.SGCells->Cell(4, 1), QStringLiteral("X"));
    EXPECT_EQ(editor.SGCells->Cell(1, 1), QString());

    // A save that fails on the way (here: files may grow to 4 bytes) keeps the file and says why.
    {
        rlimit previous{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit small = previous;
        small.rlim_cur = 4;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        FileDialogAnswerer again({out});
        setrlimit(RLIMIT_FSIZE, &small);
        editor.File_SaveAsClick();
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
    }
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].text, QStringLiteral("Could not save \"%1\".\n\nCannot write file: "
                                                     "%1 (File too large)")
                                          .arg(out));
    EXPECT_EQ(ReadAll(out), QByteArray("\t\t\tX\r\n\t\xc3\xa9\t\t\r\n"));
}

TEST_F(TableEditorTest, ClipboardCopiesAndPastes) {
    QClipboard* clip = QGuiApplication::clipboard();
    editor.SGCells->SetSize(5, 5);
    editor.SGCells->SetCell(3, 3, QStringLiteral("kept"));
    clip->setText(QStringLiteral("a\tb\r\nc\u00e9d\tbeyond\tgrid"));
    ClickFixed(editor, 3, 0);
    editor.TB_PasteClick();
    EXPECT_EQ(editor.SGCells->Cell(3, 1), QStringLiteral("a"));
    EXPECT_EQ(editor.SGCells->Cell(4, 1), QStringLiteral("b"));
    EXPECT_EQ(editor.SGCells->Cell(3, 2), QStringLiteral("c d"));
    EXPECT_EQ(editor.SGCells->Cell(3, 3), QStringLiteral("kept"));
    EXPECT_EQ(editor.SGCells->ColCount(), 5);
    // After a press on an ordinary cell the paste starts there.
    clip->setText(QStringLiteral("z"));
    ClickCell(editor, 2, 4);
    editor.TB_PasteClick();
    EXPECT_EQ(editor.SGCells->Cell(2, 4), QStringLiteral("z"));

    TableSetRow(editor, 1, QStringLiteral("p\t\tq"), '\t');
    TableSetRow(editor, 2, QStringLiteral("r"), '\t');
    editor.SGCells->SetCell(4, 2, QStringLiteral("last"));
    ClickFixed(editor, 0, 1);
    SetModifierOverride(true, false);
    ClickFixed(editor, 0, 2);
    editor.TB_CopyClick();
    EXPECT_EQ(clip->text(), QStringLiteral("1\tp\t\tq\tb\r\n2\tr\t\tc d\tlast"));
    editor.TB_CopyAllClick();
    EXPECT_EQ(clip->text(), QStringLiteral("1\tp\t\tq\tb\r\n2\tr\t\tc d\tlast\r\n\t\t\tkept\t\r\n"
                                           "\t\tz\t\t"));
}

TEST_F(TableEditorTest, SortsFromTheFirstUnfixedRowAndKeepsEqualKeysInOrder) {
    editor.SGCells->SetSize(3, 5);
    const QStringList keys = {QStringLiteral("Key"), QStringLiteral("File name"),
                              QStringLiteral("3"), QStringLiteral("10"), QStringLiteral("2")};
    for (int r = 0; r < 5; ++r) editor.SGCells->SetCell(1, r, keys[r]);
    editor.SGCells->SetFixed(1, 2);
    ClickFixed(editor, 1, 0);
    editor.SortClick(11);
    EXPECT_EQ(Column(editor, 1), (QStringList{"Key", "File name", "2", "3", "10"}));
    editor.SortClick(21);
    EXPECT_EQ(Column(editor, 1), (QStringList{"Key", "File name", "10", "2", "3"}));
    editor.SortClick(12);
    EXPECT_EQ(Column(editor, 1), (QStringList{"Key", "File name", "10", "3", "2"}));
    editor.SGCells->SetCell(2, 2, QStringLiteral("first"));
    editor.SGCells->SetCell(1, 3, QStringLiteral("10"));
    editor.SortClick(22); // "2", then both "10" in their order
    EXPECT_EQ(Column(editor, 1), (QStringList{"Key", "File name", "2", "10", "10"}));
    EXPECT_EQ(editor.SGCells->Cell(2, 3), QStringLiteral("first"));
}

TEST_F(TableEditorTest, GridDimensionsAreStrictNumbers) {
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("10,20"), true},       {QStringLiteral(" 3 , 4 "), true},
        {QStringLiteral("10;20"), false},      {QStringLiteral("a,2"), false},
        {QStringLiteral("1.5,2"), false},      {QStringLiteral("-1,5"), false},
        {QStringLiteral("10000,10000"), false}};
    for (const auto& [text, ok] : cases) {
        editor.SGCells->SetSize(5, 5);
        messages.shown.clear();
        ModalAnswerer modal;
        AnswerInput(modal, text);
        editor.Data_SetGridDimensionsClick();
        EXPECT_EQ(messages.shown.size(), ok ? 0u : 1u) << text.toStdString();
        if (!ok) {
            EXPECT_EQ(editor.SGCells->ColCount(), 5) << text.toStdString();
        }
    }
    EXPECT_EQ(editor.SGCells->ColCount(), 5);
    ModalAnswerer modal;
    AnswerInput(modal, QStringLiteral("10,20"));
    editor.Data_SetGridDimensionsClick();
    EXPECT_EQ(editor.SGCells->ColCount(), 11);
    EXPECT_EQ(editor.SGCells->RowCount(), 21);

    TableSetRow(editor, 2, QStringLiteral("a\tb"), '\t');
    editor.Data_TransposeTableClick();
    EXPECT_EQ(editor.SGCells->ColCount(), 21);
    EXPECT_EQ(editor.SGCells->RowCount(), 11);
    EXPECT_EQ(editor.SGCells->Cell(2, 2), QStringLiteral("b"));
    EXPECT_EQ(editor.SGCells->Cell(2, 0), QStringLiteral("2"));
}

TEST_F(TableEditorTest, FindMarksRowsAndKeepsTheSearchedTexts) {
    editor.SGCells->SetSize(4, 5);
    editor.SGCells->SetCell(2, 1, QStringLiteral("ABC"));
    editor.SGCells->SetCell(1, 2, QStringLiteral("xabcx"));
    editor.SGCells->SetCell(3, 3, QStringLiteral("\u00c4bc"));
    {
        ModalAnswerer modal;
        AnswerInput(modal, QStringLiteral("\\fw abc"));
        editor.TB_FindClick();
    }
    EXPECT_EQ(Marked(editor.SGCells->RowMarks), (std::vector<int>{1}));
    EXPECT_EQ(editor.Info_Memo->toPlainText(), QStringLiteral("\tABC\t"));
    {
        ModalAnswerer modal;
        AnswerInput(modal, QStringLiteral("abc \u00e4BC"));
        editor.TB_FindClick();
    }
    EXPECT_EQ(Marked(editor.SGCells->RowMarks), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(editor.FindHistory,
              (QStringList{QStringLiteral("abc \u00e4BC"), QStringLiteral("\\fw abc")}));
    // Offered in the dialog; a text met again in another case moves to the top; ten kept.
    for (int i = 1; i <= 10; ++i) EnterFindHistory(editor.FindHistory, QString::number(i));
    ModalAnswerer modal;
    modal.Expect<TInputDialog1>([](TInputDialog1& d) {
        d.FormShow();
        EXPECT_EQ(d.CB->count(), 10);
        EXPECT_EQ(d.CB->itemText(0), QStringLiteral("abc \u00e4BC"));
        d.CB->setEditText(QStringLiteral("ABC \u00c4bc"));
        d.Button_OKClick();
        return int(QDialog::Accepted);
    });
    EnterFindHistory(editor.FindHistory, QStringLiteral("abc \u00e4BC"));
    editor.TB_FindClick();
    EXPECT_EQ(editor.FindHistory.size(), 10);
    EXPECT_EQ(editor.FindHistory.front(), QStringLiteral("ABC \u00c4bc"));
    EXPECT_EQ(editor.FindHistory.count(QStringLiteral("abc \u00e4BC")), 0);
}

TEST_F(TableEditorTest, InsertAndDeleteWorkOnTheMarkedRowsOrColumns) {
    editor.SGCells->SetSize(4, 5);
    for (int r = 1; r < 5; ++r) editor.SGCells->SetCell(1, r, QString::number(r));
    ClickFixed(editor, 0, 2);
    SetModifierOverride(true, false);
    ClickFixed(editor, 0, 4);
    editor.TB1_InsertClick();
    EXPECT_EQ(Column(editor, 1), (QStringList{"", "1", "", "2", "3", "", "4"}));
    EXPECT_TRUE(Marked(editor.SGCells->RowMarks).empty());
    ClickFixed(editor, 0, 2);
    ClickFixed(editor, 0, 5);
    ClickFixed(editor, 0, 6);
    editor.TB1_DeleteClick();
    EXPECT_EQ(Column(editor, 1), (QStringList{"", "1", "2", "3"}));
    ClickFixed(editor, 2, 0);
    editor.TB1_DeleteClick();
    EXPECT_EQ(editor.SGCells->ColCount(), 3);
    // After a press on an ordinary cell they do nothing.
    SetModifierOverride(false, false);
    ClickFixed(editor, 1, 0);
    ClickCell(editor, 1, 1);
    editor.TB1_DeleteClick();
    EXPECT_EQ(editor.SGCells->ColCount(), 3);
}

TEST_F(TableEditorTest, ADropLoadsTheFileAndLeavesTheClipboard) {
    QGuiApplication::clipboard()->setText(QStringLiteral("mine"));
    editor.SGCells->SetSize(8, 9);
    editor.SGCells->SetCell(2, 2, QStringLiteral("stale"));
    const QString first = dir.filePath(QStringLiteral("first.txt"));
    const QString last = dir.filePath(QStringLiteral("last.txt"));
    Write(first, "ignored\n");
    Write(last, "a\tb\tc\nd\n\xe9t\t\xc3\xa9\n");
    DropFiles(editor, {first, last});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("mine"));
    EXPECT_EQ(editor.SGCells->RowCount(), 4);
    EXPECT_EQ(editor.SGCells->ColCount(), 4);
    EXPECT_EQ(Column(editor, 0), (QStringList{"", "1", "2", "3"}));
    EXPECT_EQ(Column(editor, 1), (QStringList{"", "a", "d", "\u00e9t"}));
    EXPECT_EQ(editor.SGCells->Cell(2, 3), QStringLiteral("\u00e9"));
    EXPECT_EQ(editor.SGCells->Cell(2, 2), QString());
    EXPECT_EQ(editor.ClickRow, 0);
    EXPECT_EQ(editor.ClickCol, 1);
    EXPECT_EQ(editor.SG->ColWidth(0), 50);
}

TEST_F(TableEditorTest, CallersFillColumnsAndRows) {
    TableSetColumn(editor, 7, QStringLiteral("Key\tone\ttwo\t"), '\t');
    EXPECT_EQ(editor.SGCells->ColCount(), 8);
    EXPECT_EQ(editor.SGCells->RowCount(), 5); // three fields do not shrink five rows
    EXPECT_EQ(Column(editor, 7), (QStringList{"Key", "one", "two", "", ""}));
    TableSetColumn(editor, 2, QStringLiteral("a\tb\tc\td\te\tf"), '\t');
    EXPECT_EQ(editor.SGCells->RowCount(), 6);
    TableSetRow(editor, 9, QStringLiteral(" \tT1\tT2\tT3\tT4\tT5\tT6\tT7\tT8"), '\t');
    EXPECT_EQ(editor.SGCells->RowCount(), 10);
    EXPECT_EQ(editor.SGCells->ColCount(), 10);
    EXPECT_EQ(editor.SGCells->Cell(0, 9), QStringLiteral("9"));
    EXPECT_EQ(editor.SGCells->Cell(1, 9), QStringLiteral(" "));
    EXPECT_EQ(editor.SGCells->Cell(9, 9), QStringLiteral("T8"));
    // A double click on the first row fits the column to its widest text, 40 to 100 pixels.
    editor.SGDblClick(7, 0);
    EXPECT_EQ(editor.SG->ColWidth(7), 44);
    editor.SGCells->SetCell(7, 3, QString(80, QLatin1Char('W')));
    editor.SGDblClick(7, 1);
    EXPECT_EQ(editor.SG->ColWidth(7), 44);
    editor.SGDblClick(7, 0);
    EXPECT_EQ(editor.SG->ColWidth(7), 104);
}

TEST_F(TableEditorTest, NotifiesClicksWithTheTopRowAndTheClosing) {
    ToolMessageRecorder viewer;
    editor.SGCells->SetSize(4, 8);
    ClickCell(editor, 2, 3); // nobody to tell yet
    editor.NotifyHandle = viewer.Handle();
    editor.NotifyMessage = WM_TOOL_COMMAND;
    editor.NotifyCode = 0;
    editor.NotifyArg = 9000;
    ClickCell(editor, 2, 5);
    ClickFixed(editor, 0, 6);
    editor.close();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(viewer.got, (std::vector<std::pair<int, intptr_t>>{{0, 5}, {0, 5}, {0, 9000}}));
}

TEST_F(TableEditorTest, ModeOneAsksBeforeClosingButNotOnUpdate) {
    editor.Mode = 1;
    editor.FormShow();
    EXPECT_TRUE(editor.File_Update->isVisible());
    for (int r = 1; r <= 4; ++r) editor.SGCells->SetCell(2, r, QStringLiteral("x"));
    editor.File_ExitClick();
    ASSERT_EQ(messages.shown.size(), 1u); // answered with OK, not Yes: stays open
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Do you want to discard changes?"));
    EXPECT_TRUE(editor.isVisible());
    editor.File_UpdateClick();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(editor.Mode, 5);
    EXPECT_EQ(editor.ResultCode, 0);
    EXPECT_FALSE(editor.isVisible());
    editor.BB_HelpClick();
    EXPECT_EQ(beeps.count, 1);
    editor.HelpText = QStringLiteral("How to edit");
    editor.BB_HelpClick();
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("How to edit"));
}

TEST_F(TableEditorTest, AutoCloseClosesOnceShown) {
    ToolMessageRecorder owner;
    TfTableEditor viewer;
    viewer.Command = QStringLiteral("AutoClose");
    viewer.NotifyHandle = owner.Handle();
    viewer.NotifyMessage = WM_TOOL_COMMAND;
    viewer.NotifyArg = 7;
    viewer.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !viewer.isVisible(); }));
    EXPECT_EQ(owner.got, (std::vector<std::pair<int, intptr_t>>{{0, 7}}));
}

TEST_F(TableEditorTest, SettingsKeepPlaceSizeAndFindHistoryUnderAnExistingKey) {
    const QString key = QStringLiteral("software\\JX-Quorbel-Test\\Viewer");
    Registry::DeleteKey(key);
    {
        TfTableEditor first;
        first.RegistryKey = key;
        first.show();
        first.FindHistory = {QStringLiteral("nothing stored")};
        first.close();
        EXPECT_FALSE(Registry::KeyExists(key));
    }
    RegKey base;
    ASSERT_TRUE(base.OpenKey(key, true));
    {
        TfTableEditor first;
        first.RegistryKey = key;
        first.show();
        first.resize(333, 222);
        first.FindHistory = {QStringLiteral("b"), QStringLiteral("a")};
        first.close();
    }
    TfTableEditor second;
    second.RegistryKey = key;
    second.show();
    EXPECT_EQ(second.size(), QSize(333, 222));
    EXPECT_EQ(second.FindHistory, (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
    second.close();
    RegKey system;
    ASSERT_TRUE(system.OpenKey(key + QStringLiteral("\\Table editor\\System"), false));
    system.WriteInteger(QStringLiteral("Left"),
                        QGuiApplication::primaryScreen()->virtualGeometry().width() + 50);
    TfTableEditor third;
    third.RegistryKey = key;
    third.show();
    EXPECT_EQ(third.x(), 10);
    third.close();
    Registry::DeleteKey(key);
}

TEST_F(TableEditorTest, PrintsEveryRowOnPagesOfAtLeastOneRow) {
    EXPECT_EQ(LayoutTablePrint(210, 297, 101).RowsPerPage, 74);
    EXPECT_EQ(LayoutTablePrint(210, 297, 101).Pages, 2);
    EXPECT_EQ(LayoutTablePrint(210, 297, 74).Pages, 1);
    EXPECT_EQ(LayoutTablePrint(50, 20, 7).RowsPerPage, 1);
    EXPECT_EQ(LayoutTablePrint(50, 20, 7).Pages, 7);

    editor.SGCells->SetSize(3, 101);
    for (int r = 0; r < 101; ++r) editor.SGCells->SetCell(1, r, QStringLiteral("row %1").arg(r));
    const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    editor.PrintTo(printer);
    const QByteArray bytes = ReadAll(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page "),
              2);
}

TEST_F(TableEditorTest, PrintWithoutAPrinterSaysThatNoneIsAvailable) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "a printer is set up";
    editor.File_Print->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("No printer is available: the table was not printed."));
}

TEST_F(TableEditorTest, PinKeepsTheWindowOnTopUntilPressedAgain) {
    editor.TB_PinClick();
    EXPECT_TRUE(editor.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(editor.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.TB_Pin->data().toInt(), 1);
    editor.TB_PinClick();
    EXPECT_FALSE(editor.windowFlags() & Qt::WindowStaysOnTopHint);
}

// The annotation table as its caller runs it: two fixed rows, "&Apply changes", read back.
TEST(TableEditorModal, RunsModallyWithTwoFixedRows) {
    TfTableEditor editor;
    TableSetColumn(editor, 1, QStringLiteral("Key\tFile name\tTissue\t"), '\t');
    TableSetColumn(editor, 2, QStringLiteral("1\tfile1.txt\tliver"), '\t');
    editor.Mode = 2;
    editor.TB1_Insert->setVisible(false);
    editor.TB1_Delete->setVisible(false);
    editor.SGCells->SetFixed(1, 2);
    editor.SGCells->SetRowCount(101);
    ModalAnswerer modal;
    modal.Expect<TfTableEditor>([](TfTableEditor& e) {
        e.FormShow();
        EXPECT_FALSE(e.Panel_Buttons->isHidden());
        EXPECT_EQ(e.BB_OK->text(), QStringLiteral("&Apply changes"));
        // Fixed rows are no items of the model, so the view cannot edit them.
        EXPECT_EQ(e.SGCells->rowCount(), 99);
        EXPECT_FALSE(e.SGCells->GridIndex(2, 1).isValid());
        e.SGCells->setData(e.SGCells->GridIndex(2, 2), QStringLiteral("kidney"), Qt::EditRole);
        e.BB_OKClick();
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(RunModal(editor), int(QDialog::Accepted));
    EXPECT_EQ(editor.ResultCode, 0);
    EXPECT_EQ(editor.SGCells->Cell(2, 2), QStringLiteral("kidney"));
    EXPECT_EQ(editor.SGCells->Cell(2, 1), QStringLiteral("file1.txt"));
}

TEST(TableEditorGrid, DraggedHeadersMoveTheirRowsAndColumns) {
    TfTableEditor editor;
    editor.SGCells->SetSize(4, 4);
    for (int c = 1; c < 4; ++c) editor.SGCells->SetCell(c, 0, QStringLiteral("c%1").arg(c));
    for (int r = 1; r < 4; ++r) editor.SGCells->SetCell(0, r, QStringLiteral("r%1").arg(r));
    editor.show();
    editor.SG->Top()->moveSection(0, 2);
    editor.SG->Side()->moveSection(2, 0);
    QTest::qWait(10);
    EXPECT_EQ(Column(editor, 0), (QStringList{"", "r3", "r1", "r2"}));
    EXPECT_EQ(editor.SGCells->Cell(3, 0), QStringLiteral("c1"));
    EXPECT_EQ(editor.SG->Top()->logicalIndex(2), 2);
    EXPECT_EQ(editor.SG->Side()->logicalIndex(0), 0);
}
} // namespace
