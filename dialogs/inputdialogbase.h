// What both one-line input dialogs share: prompt, combo box, the three buttons, the default
// texts, the numeric results and the help box.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;
class QShowEvent;
class QVBoxLayout;

class TInputDialogBase : public QDialog {
    Q_OBJECT
  public:
    QLabel* Label1;
    QComboBox* CB;
    QPushButton* Button_Help;
    QPushButton* Button_Cancel;
    QPushButton* Button_OK;

    QString Text;               // in: initial text; out: the text entered
    QString HelpText;           // help box text; empty shows the about text
    QString Prompt;             // label above the combo box
    QString Caption;            // window caption; empty keeps "Enter new value"
    float DefaultSingle = 0;    // in: shown when not 0; out: Text as a real number
    int32_t DefaultInteger = 0; // in: shown when not 0 (wins); out: Text as an integer
    int32_t ResultCode = -1;    // 0 when OK closed the dialog, -1 for every other close
    int32_t NoHelp = 0;         // not 0: the help button does nothing

    virtual void FormShow() = 0;
    virtual void Button_OKClick() = 0;
    void Button_CancelClick();
    void Button_HelpClick();
    // Esc, the title bar and Cancel all end here.
    void reject() override;

  protected:
    TInputDialogBase(QWidget* parent, QString aboutText);
    virtual QString HelpCaption() const = 0;
    // Caption, prompt (after `promptPrefix`), the default text and `items` into the widgets.
    void ShowFields(const QString& promptPrefix, const QStringList& items);
    // Text from the combo box and its numeric readings.
    void TakeText();
    void CloseWithOK();
    void showEvent(QShowEvent* event) override;

    QVBoxLayout* body_; // derived dialogs add their widgets here, below the combo box

  private:
    QString aboutText_;
};
