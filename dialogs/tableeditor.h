// A general window showing a table of texts that the user can edit: open and save TAB-separated
// text, drop a file on it, copy and paste, mark rows and columns by their fixed cells, insert,
// delete, sort, transpose, resize, find and print. Callers fill the grid (directly through
// SGCells or with TableSetColumn / TableSetRow), run it with RunModal and read the cells back,
// or show it and hear of its clicks and its closing through the notify record.
#pragma once

#include "toolbus.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;
class TGridView;
class TTableEditorModel;

class TfTableEditor : public QDialog {
    Q_OBJECT
  public:
    explicit TfTableEditor(QWidget* parent = nullptr);

    QStatusBar* StatusBar1;
    QToolBar* ToolBar1;
    QAction *TB_Pin, *TB1_Insert, *TB1_Delete, *TB_Copy, *TB_CopyAll, *TB_Cut, *TB_Paste, *TB_Find;
    QToolButton* TB_Sort; // drops down the sort menu
    QWidget* Panel_Buttons;
    QPushButton *BB_Help, *BB_Cancel, *BB_OK;
    QTabWidget* PageControl1;
    QWidget *TS_Table, *TS_Info;
    TGridView* SG;
    TTableEditorModel* SGCells; // the grid's cells, fixed counts, marks and colour rules
    QPlainTextEdit* Info_Memo;
    QPushButton *Info_Button_Clear, *Info_Button_Copy;
    QMenuBar* MainMenu;
    QAction *File_Open, *File_SaveAs, *File_Update, *File_Print, *File_Exit;
    QMenu* Sort1;
    QAction *Sort_NumericAscending, *Sort_NumericDescending, *Sort_TextAscending,
        *Sort_TextDescending; // Tags 11, 12, 21, 22
    QAction *Data_TransposeTable, *Data_SetGridDimensions, *Info1;

    int32_t ResultCode = -1; // 0 after OK or Update, -1 after Cancel
    int32_t Mode = 0;        // 0 plain, 1 ask before closing and offer Update, 2 "&Apply changes"
    int32_t ClickCol = 0, ClickRow = 0;   // the cell of the last press in the grid
    int32_t ColAnchor = 0, RowAnchor = 0; // anchors of Ctrl/Shift marking
    QString FileName;                     // the last file opened
    QString RegistryKey;                  // base of the settings; empty stores nothing
    QString Command;                      // "AutoClose" closes the window once painted
    QString HelpText;                     // BB_Help's text
    QStringList FindHistory;              // searched texts, newest first
    WindowHandle NotifyHandle = 0;        // told of clicks and the closing while not 0
    int32_t NotifyMessage = 0, NotifyCode = 0, NotifyArg = 0;
    int32_t NotifyExtra = 0; // kept for the caller

    void FormShow();
    // False keeps the window open.
    bool FormCloseQuery();
    void FormClose();
    void FormPaint();
    void BB_OKClick();
    void BB_CancelClick();
    void BB_HelpClick();
    void File_ExitClick();
    void Info1Click();
    void File_UpdateClick();
    void TB_PinClick();
    void Info_Button_CopyClick();
    void Info_Button_ClearClick();
    // A press on grid cell (col, row); presses on the fixed cells mark rows and columns.
    void SGMouseDown(Qt::MouseButton button, int col, int row);
    // Sends the click notification.
    void SGClick();
    // On the first fixed row: fits the column to its widest text.
    void SGDblClick(int col, int row);
    void TB1_InsertClick();
    void TB1_DeleteClick();
    void TB_CopyClick();
    void TB_CopyAllClick();
    void TB_PasteClick();
    void SortClick(int tag);
    void Data_TransposeTableClick();
    void Data_SetGridDimensionsClick();
    void TB_FindClick();
    void File_OpenClick();
    void File_SaveAsClick();
    void File_PrintClick();
    // Prints the table on `printer` as File_Print does on the default printer.
    void PrintTo(QPrinter& printer);
    // Loads the last of `files` in place of the table (WM_DROPFILES).
    void HandleDroppedFiles(const QStringList& files);
    // Closing in every way (buttons, Esc, the title bar) ends here.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ReadSettings();
    void WriteSettings();
    // Loads a table file in place of the cells, sized for Open or for a drop; false (after a
    // message, the cells unchanged) when the file holds no line or does not fit the grid.
    bool LoadTableFile(const QString& path, bool dropped);
    // Inserts before, or deletes, the marked rows (after a press in column 0) or columns (row 0).
    void ChangeMarked(bool insert);
    bool closing_ = false; // Update closes without asking
    bool painted_ = false;
};

// Column `col` := the fields of `text` cut at `delim` into rows 0, 1, ... (the first into the fixed
// row); the grid grows to hold them (a text ending in `delim` has no empty last field).
void TableSetColumn(TfTableEditor& editor, int32_t col, const QString& text, QChar delim);
// Row `row` := its number in cell 0, then the fields of `text` cut at `delim`; the grid grows to
// hold them.
void TableSetRow(TfTableEditor& editor, int32_t row, const QString& text, QChar delim);
