#include "inputdialog1.h"

#include "inputtext.h"

#include <QComboBox>

namespace {
const QString kAbout = QStringLiteral("Generic Input Dialog V0.9\nfrom 27.07.2005\n\n"
                                      "by the JX-Quorbel developers");
} // namespace

TInputDialog1::TInputDialog1(QWidget* parent) : TInputDialogBase(parent, kAbout) {
    CB->setMaxVisibleItems(10);
}

QString TInputDialog1::HelpCaption() const {
    return QStringLiteral("Input Dialog");
}

void TInputDialog1::FormShow() {
    ShowFields(QString(), Items);
}

void TInputDialog1::Button_OKClick() {
    TakeText();
    ItemIndex = EnterIntoList(Items, Text);
    CloseWithOK();
}
