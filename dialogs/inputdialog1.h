// Asks for one line of text, offering the caller's items and reporting which one was chosen.
#pragma once

#include "inputdialogbase.h"

class TInputDialog1 : public TInputDialogBase {
    Q_OBJECT
  public:
    explicit TInputDialog1(QWidget* parent = nullptr);

    QStringList Items;     // offered in the combo; out: a new text is put at the top
    int32_t ItemIndex = 0; // out: 1-based position of Text in Items, 0 when it was new

    void FormShow() override;
    void Button_OKClick() override;

  protected:
    QString HelpCaption() const override;
};
