#include "sellist.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TdSel_List::TdSel_List(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select"));
    Panel1 = new QWidget(this);
    Button_Select = new QPushButton(QStringLiteral("&Select"), Panel1);
    Button_Select->setDefault(true);
    auto* top = new QHBoxLayout(Panel1);
    top->addStretch();
    top->addWidget(Button_Select);
    Panel2 = new QWidget(this);
    List1 = new QListWidget(Panel2);
    (new QVBoxLayout(Panel2))->addWidget(List1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel2, 1);
    layout->addWidget(Panel1);

    connect(Button_Select, &QPushButton::clicked, this, &TdSel_List::Button_SelectClick);
    connect(List1, &QListWidget::itemDoubleClicked, this, &TdSel_List::List1DblClick);
}

void TdSel_List::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TdSel_List::FormShow() {
    List1->addItems(Items);
    List1->setSelectionMode(MultiSelect == 1 ? QAbstractItemView::ExtendedSelection
                                             : QAbstractItemView::SingleSelection);
}

void TdSel_List::Choose() {
    const int focused = List1->currentRow();
    ResultIndex = focused + 1;
    if (MultiSelect != 1) {
        SelectedCount = 0;
        SelectedText = focused >= 0 ? List1->item(focused)->text() : QString();
        return;
    }
    SelectedText.clear();
    SelectedCount = 0;
    for (int i = 0; i < List1->count(); ++i) {
        if (!List1->item(i)->isSelected()) continue;
        ++SelectedCount;
        // The count stays exact; the table keeps the first hundred.
        if (SelectedCount <= kMaxIndices)
            SelectedIndices[static_cast<size_t>(SelectedCount)] = i + 1;
        SelectedText += List1->item(i)->text() + QLatin1Char('\t');
    }
    if (SelectedCount == 1) SelectedCount = 0;
}

void TdSel_List::Button_SelectClick() {
    Choose();
    accept();
}

void TdSel_List::List1DblClick() {
    Button_SelectClick();
}

void TdSel_List::done(int result) {
    Items.clear();
    QDialog::done(result);
}
