// Lets the user pick one entry, or several, of a list of texts.
#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <cstdint>

class QListWidget;
class QPushButton;
class QShowEvent;
class QWidget;

class TdSel_List : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxIndices = 100;

    explicit TdSel_List(QWidget* parent = nullptr);

    QWidget* Panel1;
    QPushButton* Button_Select;
    QWidget* Panel2;
    QListWidget* List1;

    QStringList Items;         // entries offered; emptied when the dialog closes
    int32_t ResultIndex = -1;  // out: 1-based focused entry (0 none) when chosen, else -1
    QString SelectedText;      // out: the chosen entry; multiple mode each chosen entry + TAB
    uint8_t MultiSelect = 0;   // 1: several entries may be chosen
    int32_t SelectedCount = 0; // out, multiple mode: entries chosen; 0 when only one was
    std::array<int32_t, kMaxIndices + 1> SelectedIndices{}; // [1..100] out: ascending, 1-based

    void FormShow();
    void Button_SelectClick();
    void List1DblClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void Choose();
};
