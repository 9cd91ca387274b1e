#include "tableeditor.h"

#include "binaryio.h"
#include "dialoghooks.h"
#include "filedrop.h"
#include "gridview.h"
#include "inputdialog1.h"
#include "parser.h"
#include "registry.h"
#include "stayontop.h"
#include "system.h"
#include "tableeditormodel.h"
#include "tablelogic.h"
#include "tableprint.h"
#include "tabletext.h"
#include "windowplace.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <new>
#include <stdexcept>

namespace {
const QString kTableEditor = QStringLiteral("Table editor");
const QString kFilter = QStringLiteral("Text files (*.txt);;Any files (*.*)");
const QString kSystemKey = QStringLiteral("\\Table editor\\System");
const QString kEditKey = QStringLiteral("\\Table editor\\Edit");

QString FindValue(int n) {
    return QStringLiteral("Find-%1").arg(n);
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Grows the grid to at least cols x rows, then runs `fill`; the views keep their place when the
// grid was large enough.
void FillGrid(TGridModel& grid, int32_t cols, int32_t rows,
              const std::function<void(TextTable&)>& fill) {
    if (cols <= grid.ColCount() && rows <= grid.RowCount()) {
        grid.ChangeCells(fill);
        return;
    }
    grid.Change([&](TextTable& t) {
        t.SetSize(std::max(t.ColCount(), cols), std::max(t.RowCount(), rows));
        fill(t);
    });
}

// The clipboard gets the UTF-8 bytes as they are; they become text only when a program asks.
void PutOnClipboard(const std::string& utf8) {
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"),
                  QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size())));
    QGuiApplication::clipboard()->setMimeData(mime);
}
} // namespace

TfTableEditor::TfTableEditor(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("TableEditor"));
    resize(640, 480);
    setAcceptDrops(true);

    MainMenu = new QMenuBar(this);
    QMenu* file = MainMenu->addMenu(QStringLiteral("&File"));
    File_Open = file->addAction(QStringLiteral("&Open"));
    File_SaveAs = file->addAction(QStringLiteral("&Save as"));
    File_Update = file->addAction(QStringLiteral("&Update"));
    File_Update->setVisible(false);
    File_Print = file->addAction(QStringLiteral("&Print"));
    File_Exit = file->addAction(QStringLiteral("E&xit"));
    QMenu* data = MainMenu->addMenu(QStringLiteral("&Data"));
    Sort1 = data->addMenu(QStringLiteral("&Sort"));
    QMenu* numeric = Sort1->addMenu(QStringLiteral("&Numeric"));
    QMenu* text = Sort1->addMenu(QStringLiteral("&Text"));
    Sort_NumericAscending = numeric->addAction(QStringLiteral("&Ascending"));
    Sort_NumericDescending = numeric->addAction(QStringLiteral("&Descending"));
    Sort_TextAscending = text->addAction(QStringLiteral("&Ascending"));
    Sort_TextDescending = text->addAction(QStringLiteral("&Descending"));
    Data_TransposeTable = data->addAction(QStringLiteral("&Transpose table"));
    Data_SetGridDimensions = data->addAction(QStringLiteral("Set grid &dimensions"));
    Info1 = MainMenu->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&Info"));

    ToolBar1 = new QToolBar(this);
    const auto tool = [this](const QString& text, const QString& hint) {
        QAction* action = ToolBar1->addAction(text);
        action->setToolTip(hint);
        return action;
    };
    TB_Pin =
        tool(QStringLiteral("Pin"), QStringLiteral("Toggle: window permanent in front / normal"));
    TB_Pin->setData(0);
    TB1_Insert = tool(QStringLiteral("Insert"),
                      QStringLiteral("Insert empty row / column before selected row/column"));
    TB1_Delete = tool(QStringLiteral("Delete"), QStringLiteral("Delete selected row/column"));
    TB_Copy =
        tool(QStringLiteral("Copy"), QStringLiteral("Copy selected rows / columns to clipboard"));
    TB_CopyAll = tool(QStringLiteral("Copy all"), QStringLiteral("Copy whole table"));
    TB_Cut = tool(QStringLiteral("Cut"), QStringLiteral("Cut: Copy selected rows / columns to "
                                                        "clipboard and empty cells"));
    TB_Paste =
        tool(QStringLiteral("Paste"), QStringLiteral("Paste clipboard to selected row / column"));
    TB_Find = tool(QStringLiteral("Find"), QStringLiteral("Find text"));
    TB_Sort = new QToolButton(ToolBar1);
    TB_Sort->setText(QStringLiteral("Sort"));
    TB_Sort->setMenu(Sort1);
    TB_Sort->setPopupMode(QToolButton::InstantPopup);
    ToolBar1->addWidget(TB_Sort);

    SGCells = new TTableEditorModel(this);
    SG = new TGridView(this);
    SG->SetGrid(SGCells);
    SG->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SG->setEditTriggers(QAbstractItemView::AllEditTriggers);
    SG->setTabKeyNavigation(true);

    PageControl1 = new QTabWidget(this);
    TS_Table = new QWidget;
    auto* tableLayout = new QVBoxLayout(TS_Table);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(SG);
    PageControl1->addTab(TS_Table, QStringLiteral("View / Edit data"));
    TS_Info = new QWidget;
    Info_Memo = new QPlainTextEdit(TS_Info);
    Info_Button_Clear = new QPushButton(QStringLiteral("Clear"), TS_Info);
    Info_Button_Copy = new QPushButton(QStringLiteral("Copy"), TS_Info);
    auto* infoButtons = new QHBoxLayout;
    infoButtons->addStretch();
    infoButtons->addWidget(Info_Button_Clear);
    infoButtons->addWidget(Info_Button_Copy);
    auto* infoLayout = new QVBoxLayout(TS_Info);
    infoLayout->addWidget(Info_Memo);
    infoLayout->addLayout(infoButtons);
    PageControl1->addTab(TS_Info, QStringLiteral("Info"));

    Panel_Buttons = new QWidget(this);
    BB_Help = new QPushButton(QStringLiteral("&Help"), Panel_Buttons);
    BB_Cancel = new QPushButton(QStringLiteral("&Cancel"), Panel_Buttons);
    BB_OK = new QPushButton(QStringLiteral("&OK"), Panel_Buttons);
    BB_OK->setDefault(true);
    auto* buttons = new QHBoxLayout(Panel_Buttons);
    buttons->addWidget(BB_Help);
    buttons->addStretch();
    buttons->addWidget(BB_Cancel);
    buttons->addWidget(BB_OK);
    Panel_Buttons->hide();

    StatusBar1 = new QStatusBar(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu);
    layout->addWidget(ToolBar1);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(Panel_Buttons);
    layout->addWidget(StatusBar1);

    connect(File_Open, &QAction::triggered, this, &TfTableEditor::File_OpenClick);
    connect(File_SaveAs, &QAction::triggered, this, &TfTableEditor::File_SaveAsClick);
    connect(File_Update, &QAction::triggered, this, &TfTableEditor::File_UpdateClick);
    connect(File_Print, &QAction::triggered, this, &TfTableEditor::File_PrintClick);
    connect(File_Exit, &QAction::triggered, this, &TfTableEditor::File_ExitClick);
    const std::pair<QAction*, int> sorts[] = {{Sort_NumericAscending, 11},
                                              {Sort_NumericDescending, 12},
                                              {Sort_TextAscending, 21},
                                              {Sort_TextDescending, 22}};
    for (const auto& [action, tag] : sorts) {
        action->setData(tag);
        connect(action, &QAction::triggered, this, [this, tag = tag] { SortClick(tag); });
    }
    connect(Data_TransposeTable, &QAction::triggered, this,
            &TfTableEditor::Data_TransposeTableClick);
    connect(Data_SetGridDimensions, &QAction::triggered, this,
            &TfTableEditor::Data_SetGridDimensionsClick);
    connect(Info1, &QAction::triggered, this, &TfTableEditor::Info1Click);
    connect(TB_Pin, &QAction::triggered, this, &TfTableEditor::TB_PinClick);
    connect(TB1_Insert, &QAction::triggered, this, &TfTableEditor::TB1_InsertClick);
    connect(TB1_Delete, &QAction::triggered, this, &TfTableEditor::TB1_DeleteClick);
    connect(TB_Copy, &QAction::triggered, this, &TfTableEditor::TB_CopyClick);
    connect(TB_CopyAll, &QAction::triggered, this, &TfTableEditor::TB_CopyAllClick);
    connect(TB_Paste, &QAction::triggered, this, &TfTableEditor::TB_PasteClick);
    connect(TB_Find, &QAction::triggered, this, &TfTableEditor::TB_FindClick);
    connect(BB_OK, &QPushButton::clicked, this, &TfTableEditor::BB_OKClick);
    connect(BB_Cancel, &QPushButton::clicked, this, &TfTableEditor::BB_CancelClick);
    connect(BB_Help, &QPushButton::clicked, this, &TfTableEditor::BB_HelpClick);
    connect(Info_Button_Copy, &QPushButton::clicked, this, &TfTableEditor::Info_Button_CopyClick);
    connect(Info_Button_Clear, &QPushButton::clicked, this, &TfTableEditor::Info_Button_ClearClick);
    connect(SG, &TGridView::CellPressed, this,
            [this](int col, int row, Qt::MouseButton button) { SGMouseDown(button, col, row); });
    connect(SG, &TGridView::CellClicked, this, &TfTableEditor::SGClick);
    connect(SG, &TGridView::CellDoubleClicked, this, &TfTableEditor::SGDblClick);
}

void TfTableEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfTableEditor::FormShow() {
    ReadSettings();
    if (Mode == 1) File_Update->setVisible(true);
    if (Mode == 2) {
        Panel_Buttons->show();
        BB_OK->setText(QStringLiteral("&Apply changes"));
    }
}

void TfTableEditor::ReadSettings() {
    if (RegistryKey.isEmpty() || !Registry::KeyExists(RegistryKey)) return;
    RegKey key;
    if (key.OpenKey(RegistryKey + kSystemKey, false)) ReadWindowPlace(*this, key);
    if (key.OpenKey(RegistryKey + kEditKey, false))
        for (int n = 1; n <= kFindHistorySize; ++n) {
            const QString entry = key.ReadString(FindValue(n), QString());
            if (!entry.isEmpty()) FindHistory.append(entry);
        }
}

void TfTableEditor::WriteSettings() {
    if (RegistryKey.isEmpty() || !Registry::KeyExists(RegistryKey)) return;
    RegKey key;
    if (key.OpenKey(RegistryKey + kSystemKey, true)) WriteWindowPlace(*this, key);
    if (key.OpenKey(RegistryKey + kEditKey, true))
        for (int n = 1; n <= FindHistory.size(); ++n)
            key.WriteString(FindValue(n), FindHistory[n - 1]);
}

bool TfTableEditor::FormCloseQuery() {
    if (Mode != 1 || closing_) return true;
    return ShowMessage(this, QStringLiteral("Do you want to discard changes?"), kTableEditor,
                       MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes;
}

void TfTableEditor::FormClose() {
    WriteSettings();
    if (NotifyHandle != 0) ToolBus::Send(NotifyHandle, NotifyMessage, NotifyCode, NotifyArg);
}

void TfTableEditor::done(int result) {
    if (!FormCloseQuery()) return;
    closing_ = false;
    FormClose();
    QDialog::done(result);
}

void TfTableEditor::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    FormPaint();
}

void TfTableEditor::FormPaint() {
    if (Command != QLatin1String("AutoClose") || painted_) return;
    painted_ = true;
    // Not from inside the paint itself.
    QMetaObject::invokeMethod(this, &TfTableEditor::reject, Qt::QueuedConnection);
}

void TfTableEditor::BB_OKClick() {
    if (Mode == 1) return;
    ResultCode = 0;
    accept();
}

void TfTableEditor::BB_CancelClick() {
    ResultCode = -1;
    reject();
}

void TfTableEditor::File_ExitClick() {
    reject();
}

void TfTableEditor::BB_HelpClick() {
    if (HelpText.isEmpty())
        Beep();
    else
        ShowMessage(this, HelpText, QStringLiteral("TableEditor"), MsgIcon::Information);
}

void TfTableEditor::Info1Click() {
    ShowMessage(this,
                QStringLiteral("Generic table viewer editor V1.01\nfrom 11.10.2010\n\n"
                               "by the JX-Quorbel developers"),
                QStringLiteral("Table-editor"), MsgIcon::Information);
}

void TfTableEditor::File_UpdateClick() {
    ResultCode = 0;
    Mode = UsedRowExtent(SGCells->Table());
    closing_ = true; // whatever the extent, Update does not ask
    accept();
}

void TfTableEditor::TB_PinClick() {
    const int tag = TB_Pin->data().toInt() == 0 ? 1 : 0;
    TB_Pin->setData(tag);
    TB_Pin->setText(tag == 1 ? QStringLiteral("Pinned") : QStringLiteral("Pin"));
    SetStaysOnTop(*this, tag == 1);
}

void TfTableEditor::Info_Button_CopyClick() {
    QGuiApplication::clipboard()->setText(Info_Memo->toPlainText());
}

void TfTableEditor::Info_Button_ClearClick() {
    Info_Memo->clear();
}

void TfTableEditor::SGMouseDown(Qt::MouseButton button, int col, int row) {
    ClickCol = col;
    ClickRow = row;
    if (row == 0 && col >= 1)
        PressMark(SGCells->ColMarks, ColAnchor, col, button, CtrlDown(), ShiftDown());
    else if (col == 0 && row >= 1)
        PressMark(SGCells->RowMarks, RowAnchor, row, button, CtrlDown(), ShiftDown());
    else
        return;
    SGCells->BackgroundsChanged();
}

void TfTableEditor::SGClick() {
    if (NotifyHandle != 0)
        ToolBus::Send(NotifyHandle, NotifyMessage, NotifyCode, SG->TopSelectedRow());
}

void TfTableEditor::SGDblClick(int col, int row) {
    if (row != 0) return;
    const QFontMetrics metrics = SG->fontMetrics();
    int widest = 0;
    for (int r = 0; r < SGCells->RowCount() && widest < 100; ++r)
        widest = std::max(widest, metrics.horizontalAdvance(SGCells->Cell(col, r)));
    constexpr int kGridLineWidth = 1;
    SG->SetColWidth(col, std::clamp(widest, 40, 100) + kGridLineWidth + 3);
}

void TfTableEditor::TB1_InsertClick() {
    ChangeMarked(true);
}

void TfTableEditor::TB1_DeleteClick() {
    ChangeMarked(false);
}

void TfTableEditor::ChangeMarked(bool insert) {
    const bool rows = ClickCol == 0;
    if (!rows && ClickRow != 0) return;
    std::vector<bool> flags = rows ? SGCells->RowMarks : SGCells->ColMarks;
    if (!flags.empty()) flags[0] = false; // the walk stops at row (column) 1
    if (std::find(flags.begin(), flags.end(), true) == flags.end()) return;
    SGCells->Change([&](TextTable& t) {
        if (rows)
            insert ? t.InsertRowsBefore(flags) : t.DeleteRows(flags);
        else
            insert ? t.InsertColsBefore(flags) : t.DeleteCols(flags);
    });
    // Each marked row or column was unmarked as it was handled.
    auto& marks = rows ? SGCells->RowMarks : SGCells->ColMarks;
    std::fill(marks.begin(), marks.end(), false);
    SGCells->BackgroundsChanged();
}

void TfTableEditor::TB_CopyClick() {
    PutOnClipboard(ClickCol != 0 && ClickRow == 0
                       ? MarkedColumnsText(SGCells->Table(), SGCells->ColMarks)
                       : MarkedRowsText(SGCells->Table(), SGCells->RowMarks));
}

void TfTableEditor::TB_CopyAllClick() {
    PutOnClipboard(WholeTableText(SGCells->Table()));
}

void TfTableEditor::TB_PasteClick() {
    int col = ClickCol, row = ClickRow; // after a press on an ordinary cell: from that cell
    if (ClickCol == 0)
        col = 0;
    else if (ClickRow == 0)
        row = 1;
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    SGCells->ChangeCells([&](TextTable& t) {
        PasteTableText(t, std::string_view(text.constData(), static_cast<size_t>(text.size())), col,
                       row);
    });
}

void TfTableEditor::SortClick(int tag) {
    // The fixed rows stay where they are.
    const int first = std::max(SGCells->FixedRows(), 1);
    const bool descending = tag % 10 == 2;
    const std::vector<int32_t> order =
        tag < 20 ? NumericRowOrder(SGCells->Table(), ClickCol, first, descending)
                 : TextRowOrder(SGCells->Table(), ClickCol, first, descending);
    SGCells->ChangeCells([&](TextTable& t) { t.ReorderRows(first, order); });
}

void TfTableEditor::Data_TransposeTableClick() {
    SGCells->Change([](TextTable& t) { t.Transpose(); });
}

void TfTableEditor::Data_SetGridDimensionsClick() {
    TInputDialog1 dialog(this);
    dialog.Caption = QStringLiteral("Set table dimensions");
    dialog.Prompt =
        QStringLiteral("Enter new Column and Row numbers (e.g. \"10,20\" = 10 columns,20 rows)");
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    int32_t cols = 0, rows = 0;
    if (!ParseGridDimensions(dialog.Text, cols, rows)) {
        ShowMessage(this,
                    QStringLiteral("Please enter two whole numbers of at least 0, columns and "
                                   "rows, e.g. \"10,20\" (at most 100 million cells)."),
                    kTableEditor, MsgIcon::Warning);
        return;
    }
    SGCells->SetSize(cols + 1, rows + 1);
}

void TfTableEditor::TB_FindClick() {
    TInputDialog1 dialog(this);
    dialog.Items = FindHistory;
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    if (!dialog.Text.trimmed().isEmpty()) EnterFindHistory(FindHistory, dialog.Text);
    std::string found = FindInTable(SGCells->Table(), dialog.Text, SGCells->RowMarks);
    if (!found.empty()) {
        found.pop_back(); // each line ends with LF; the memo adds its own
        Info_Memo->appendPlainText(
            QString::fromUtf8(found.data(), static_cast<qsizetype>(found.size())));
    }
    SGCells->BackgroundsChanged();
}

bool TfTableEditor::LoadTableFile(const QString& path, bool dropped) {
    std::string bytes;
    int err = 0;
    TableTextShape shape;
    if (!ReadWholeFile(LocalPath(path), bytes, err) ||
        (shape = MeasureTableText(bytes)).Lines == 0) {
        ShowMessage(this, QStringLiteral("Empty or un-readable file"), kTableEditor,
                    MsgIcon::Warning);
        return false;
    }
    const std::string utf16 = Utf16Refusal(bytes, QDir::toNativeSeparators(path).toStdString());
    if (!utf16.empty()) {
        ShowMessage(this, QString::fromStdString(utf16), kTableEditor, MsgIcon::Warning);
        return false;
    }
    const int64_t rows = shape.Lines + (dropped ? 1 : 10);
    int64_t cols = SGCells->ColCount();
    if (dropped)
        cols = shape.MaxFields + 1;
    else if (shape.MaxFields > cols - 1)
        cols = shape.MaxFields + 10;
    if (cols > TextTable::kMaxCells / rows) {
        ShowMessage(this,
                    QStringLiteral("The table in \"%1\" needs more than 100 million cells.")
                        .arg(QDir::toNativeSeparators(path)),
                    kTableEditor, MsgIcon::Warning);
        return false;
    }
    try {
        SGCells->Change([&](TextTable& t) {
            FillTableText(t, bytes, static_cast<int32_t>(cols), static_cast<int32_t>(rows));
            if (dropped)
                for (int32_t r = 1; r < t.RowCount(); ++r) t.SetCell(0, r, std::to_string(r));
        });
    } catch (const std::exception&) { // out of memory, or a line beyond 4 GB
        ShowMessage(this, QStringLiteral("Not enough memory for the table."), kTableEditor,
                    MsgIcon::Stop);
        return false;
    }
    return true;
}

void TfTableEditor::File_OpenClick() {
    const QString path = AskFileName(
        this, {FileDialogKind::Open, QStringLiteral("Open data table"), FileName, kFilter});
    if (path.isEmpty()) return;
    FileName = path;
    if (LoadTableFile(path, false)) Beep();
}

void TfTableEditor::HandleDroppedFiles(const QStringList& files) {
    if (files.isEmpty() || !LoadTableFile(files.last(), true)) return;
    ClickRow = 0;
    ClickCol = 1;
    SG->SetColWidth(0, 50);
}

void TfTableEditor::File_SaveAsClick() {
    if (!FileName.isEmpty() && QFileInfo(FileName).suffix().isEmpty())
        FileName += QStringLiteral(".txt");
    const QString path = AskFileName(
        this, {FileDialogKind::Save, QStringLiteral("Save data table"), FileName, kFilter});
    if (path.isEmpty()) return;
    std::string error;
    if (!WriteWholeFile(LocalPath(path), TableSaveText(SGCells->Table()), error))
        ShowMessage(this,
                    QStringLiteral("Could not save \"%1\".\n\n%2")
                        .arg(QDir::toNativeSeparators(path), QString::fromStdString(error)),
                    kTableEditor, MsgIcon::Stop);
}

void TfTableEditor::PrintTo(QPrinter& printer) {
    std::vector<int> widths;
    for (int c = 0; c < SGCells->ColCount(); ++c) widths.push_back(SG->ColWidth(c));
    if (!PrintTable(printer, *SGCells, widths))
        ShowMessage(this, QStringLiteral("The table could not be printed."), kTableEditor,
                    MsgIcon::Stop);
}

void TfTableEditor::File_PrintClick() {
    QPrinter printer(QPrinter::HighResolution); // the default printer, no dialog
    // Without any printer set up Qt falls back on a PDF file that has no name.
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        ShowMessage(this, QStringLiteral("No printer is available: the table was not printed."),
                    kTableEditor, MsgIcon::Stop);
        return;
    }
    PrintTo(printer);
}

void TfTableEditor::dragEnterEvent(QDragEnterEvent* event) {
    AcceptFileDrag(event);
}

void TfTableEditor::dropEvent(QDropEvent* event) {
    HandleDroppedFiles(TakeDroppedFiles(event));
}

void TableSetColumn(TfTableEditor& editor, int32_t col, const QString& text, QChar delim) {
    if (col < 0) return;
    QStringList fields = text.split(delim);
    if (text.isEmpty() || text.endsWith(delim)) fields.removeLast();
    FillGrid(*editor.SGCells, col + 1, static_cast<int32_t>(fields.size()), [&](TextTable& t) {
        for (qsizetype r = 0; r < fields.size(); ++r)
            t.SetCell(col, static_cast<int32_t>(r), fields[r].toUtf8().toStdString());
    });
}

void TableSetRow(TfTableEditor& editor, int32_t row, const QString& text, QChar delim) {
    if (row < 0) return;
    QStringList fields = text.split(delim);
    if (text.isEmpty()) fields.clear();
    FillGrid(*editor.SGCells, static_cast<int32_t>(fields.size()) + 1, row + 1, [&](TextTable& t) {
        t.SetCell(0, row, std::to_string(row));
        for (qsizetype c = 0; c < fields.size(); ++c)
            t.SetCell(static_cast<int32_t>(c) + 1, row, fields[c].toUtf8().toStdString());
    });
}
