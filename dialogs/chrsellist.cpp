#include "chrsellist.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TdChrSel_List::TdChrSel_List(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("Chromosomes"));
    setMinimumHeight(200);
    Panel_List = new QWidget(this);
    BitBtn3 = new QPushButton(QStringLiteral("Select all"), Panel_List);
    List = new QListWidget(Panel_List);
    // A click selects that chromosome alone, Ctrl toggles one, Shift extends the range.
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* listLayout = new QVBoxLayout(Panel_List);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(BitBtn3);
    listLayout->addWidget(List);

    Panel_Buttons = new QWidget(this);
    Panel_Buttons->setMinimumWidth(250);
    BB_Help = new QPushButton(QStringLiteral("&Help"), Panel_Buttons);
    BitBtn1 = new QPushButton(QStringLiteral("&Close"), Panel_Buttons);
    BB_Apply = new QPushButton(QStringLiteral("Apply"), Panel_Buttons);
    auto* buttons = new QHBoxLayout(Panel_Buttons);
    buttons->addWidget(BB_Help);
    buttons->addStretch();
    buttons->addWidget(BB_Apply);
    buttons->addWidget(BitBtn1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel_List, 1);
    layout->addWidget(Panel_Buttons);

    connect(List, &QListWidget::itemClicked, this, [this] { ListClick(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BB_Apply, &QPushButton::clicked, this, [this] { accept(); });
    FormCreate();
}

void TdChrSel_List::FormCreate() {
    NotifyMessage = 0;
    NotifyCode = 0;
    LiveUpdate = 0;
}

void TdChrSel_List::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TdChrSel_List::FormActivate() {
    if (LiveUpdate == 1) BB_Apply->hide();
}

void TdChrSel_List::ListClick() {
    if (LiveUpdate == 1 && OwnerHandle != 0)
        ToolBus::Send(OwnerHandle, NotifyMessage, NotifyCode, 1);
}

void TdChrSel_List::BitBtn3Click() {
    List->selectAll();
    ListClick();
}

void TdChrSel_List::BitBtn1Click() {
    close();
}
