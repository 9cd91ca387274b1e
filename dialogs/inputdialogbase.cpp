#include "inputdialogbase.h"

#include "dialoghooks.h"
#include "inputtext.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TInputDialogBase::TInputDialogBase(QWidget* parent, QString aboutText)
    : QDialog(parent), aboutText_(std::move(aboutText)) {
    setWindowTitle(QStringLiteral("Enter new value"));
    Label1 = new QLabel(this);
    CB = new QComboBox(this);
    CB->setEditable(true);
    // The dialog keeps its own list; Enter must not add the typed text to the items.
    CB->setInsertPolicy(QComboBox::NoInsert);
    CB->setMinimumWidth(320);
    Button_Help = new QPushButton(QStringLiteral("&Help"), this);
    Button_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    Button_OK = new QPushButton(QStringLiteral("&OK"), this);
    Button_OK->setDefault(true);

    body_ = new QVBoxLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button_Help);
    buttons->addStretch();
    buttons->addWidget(Button_Cancel);
    buttons->addWidget(Button_OK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(CB);
    layout->addLayout(body_);
    layout->addLayout(buttons);

    connect(Button_OK, &QPushButton::clicked, this, [this] { Button_OKClick(); });
    connect(Button_Cancel, &QPushButton::clicked, this, &TInputDialogBase::Button_CancelClick);
    connect(Button_Help, &QPushButton::clicked, this, &TInputDialogBase::Button_HelpClick);
}

void TInputDialogBase::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TInputDialogBase::ShowFields(const QString& promptPrefix, const QStringList& items) {
    if (!Caption.isEmpty()) setWindowTitle(Caption);
    if (!Prompt.isEmpty()) Label1->setText(promptPrefix + Prompt);
    Text = DefaultInputText(DefaultSingle, DefaultInteger, Text);
    CB->addItems(items);
    // Adding items selects the first one; the edit shows only what the caller gave.
    CB->setCurrentIndex(-1);
    CB->setEditText(Text);
}

void TInputDialogBase::TakeText() {
    Text = CB->currentText();
    DefaultSingle = InputAsSingle(Text);
    DefaultInteger = InputAsInteger(Text);
}

void TInputDialogBase::CloseWithOK() {
    ResultCode = 0;
    accept();
}

void TInputDialogBase::Button_CancelClick() {
    reject();
}

void TInputDialogBase::reject() {
    ResultCode = -1;
    QDialog::reject();
}

void TInputDialogBase::Button_HelpClick() {
    if (NoHelp != 0) return;
    ShowMessage(this, HelpText.isEmpty() ? aboutText_ : HelpText, HelpCaption(),
                MsgIcon::Information);
}
