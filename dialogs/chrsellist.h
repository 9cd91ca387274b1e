// The chromosome list: a multi-selection list of the chromosomes that, in live mode, tells its
// owner on every click to take the selection as the chromosomes drawn.
#pragma once

#include "toolbus.h"

#include <QDialog>

class QListWidget;
class QPushButton;
class QWidget;

class TdChrSel_List : public QDialog {
    Q_OBJECT
  public:
    explicit TdChrSel_List(QWidget* parent = nullptr);

    WindowHandle OwnerHandle = 0;
    int NotifyMessage = 0;
    int NotifyCode = 0;
    int LiveUpdate = 0;

    QWidget* Panel_Buttons = nullptr;
    QPushButton* BB_Help = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BB_Apply = nullptr;
    QWidget* Panel_List = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QListWidget* List = nullptr;

    void FormCreate();
    void FormActivate();
    void ListClick();
    void BitBtn3Click();
    void BitBtn1Click();

  protected:
    void showEvent(QShowEvent* event) override;
};
