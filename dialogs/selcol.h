// Previews a TAB-separated text in a grid and lets the user pick a row and columns by clicking;
// up to nine numbered edits receive the picks.
#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QTableView;
class TPreviewGridModel;

class TdSelCol : public QDialog {
    Q_OBJECT
  public:
    static constexpr qint64 kPreviewBytes = 200000;
    static constexpr qsizetype kPreviewLines = 1000;
    static constexpr int kEdits = 9;

    explicit TdSelCol(QWidget* parent = nullptr);

    QTableView* SG;
    TPreviewGridModel* SGCells; // the grid's cells; callers of source 3 fill it before showing
    QGroupBox* GroupBox2;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9;
    QLabel* Label_Info;
    QPushButton* Button_OK;
    QPushButton* Button_Cancel;
    QPushButton* Button_Help;
    QPushButton* Button_Reset;

    QString FileName;                       // file previewed by source 1
    QString CaptionText;                    // replaces the window caption when not empty
    QString HelpText;                       // put before the about text of the help box
    QString InfoText;                       // shown in Label_Info
    std::array<int16_t, 101> EditColumns{}; // [1..100] in: shown in edit i; out: read back
    std::array<QString, 101> ColumnLabels;  // [1..100] label of edit i
    std::vector<uint8_t> SelectedColumns;   // 1-based, 1 = column marked; sized at showing
    int32_t CurrentCol = 0, CurrentRow = 0; // the cell last clicked; in: the first selection
    int32_t ResultCode = -1;                // 0 OK, -1 every other close
    int32_t EditCount = 0;                  // edits shown, 0..9
    int32_t Source = 1; // 1 the file FileName, 2 Lines, 3 the grid as the caller filled it
    int32_t Mode = 0;   // 0 the caller's labels, 1..5 built-in label sets
    int32_t Edit2Column = 0, Edit1Row = 0; // out: column of Edit2, row of Edit1
    QStringList Lines;                     // text lines of source 2

    QLabel* Label(int i) const { return labels_[static_cast<size_t>(i)]; }
    QLineEdit* Edit(int i) const { return edits_[static_cast<size_t>(i)]; }

    void FormShow();
    void SGMouseDown(const QPoint& pos);
    void SGClick();
    void SGDblClick();
    void EditClick(int tag);
    void Button_OKClick();
    void Button_CancelClick();
    void Button_ResetClick();
    void Button_HelpClick();
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillGrid();
    void ClampCurrentCell();
    std::array<QLabel*, kEdits + 1> labels_{};
    std::array<QLineEdit*, kEdits + 1> edits_{};
    bool pressInCell_ = false;   // the last mouse press hit a cell
    bool columnClicked_ = false; // a column has been picked since showing
};
