#include "selcol.h"

#include "dialoghooks.h"
#include "inputtext.h"
#include "previewmodel.h"
#include "selcolumns.h"
#include "system.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kKelv = QStringLiteral("Kelv");
const QString kAbout = QStringLiteral("File viewer / selector\nVersion 1.1d from 05.08.2008\n\n"
                                      "implemented by\nthe JX-Quorbel developers");
} // namespace

TdSelCol::TdSelCol(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("File viewer / selector"));
    resize(720, 520);
    SGCells = new TPreviewGridModel(this);
    SG = new QTableView(this);
    SG->setModel(SGCells);
    SG->setSelectionMode(QAbstractItemView::SingleSelection);
    SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    SG->verticalHeader()->setDefaultSectionSize(SG->fontMetrics().height() + 4);
    SGCells->SetMarks(&SelectedColumns);
    SG->viewport()->installEventFilter(this);

    GroupBox2 = new QGroupBox(this);
    auto* editGrid = new QGridLayout(GroupBox2);
    for (int i = 1; i <= kEdits; ++i) {
        labels_[static_cast<size_t>(i)] = new QLabel(GroupBox2);
        auto* edit = new QLineEdit(GroupBox2);
        edit->setProperty("Tag", i);
        edit->installEventFilter(this);
        edits_[static_cast<size_t>(i)] = edit;
        editGrid->addWidget(labels_[static_cast<size_t>(i)], 0, i - 1);
        editGrid->addWidget(edit, 1, i - 1);
        labels_[static_cast<size_t>(i)]->hide();
        edit->hide();
        ColumnLabels[static_cast<size_t>(i)] = QStringLiteral("Col%1").arg(i);
    }
    for (int i = kEdits + 1; i <= 100; ++i)
        ColumnLabels[static_cast<size_t>(i)] = QStringLiteral("Col%1").arg(i);
    Label1 = Label(1), Label2 = Label(2), Label3 = Label(3), Label4 = Label(4), Label5 = Label(5);
    Label6 = Label(6), Label7 = Label(7), Label8 = Label(8), Label9 = Label(9);
    Edit1 = Edit(1), Edit2 = Edit(2), Edit3 = Edit(3), Edit4 = Edit(4), Edit5 = Edit(5);
    Edit6 = Edit(6), Edit7 = Edit(7), Edit8 = Edit(8), Edit9 = Edit(9);

    Label_Info = new QLabel(this);
    Button_OK = new QPushButton(QStringLiteral("&OK"), this);
    Button_OK->setDefault(true);
    Button_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    Button_Help = new QPushButton(QStringLiteral("&Help"), this);
    Button_Reset = new QPushButton(QStringLiteral("&Reset"), this);
    Button_Reset->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label_Info, 1);
    buttons->addWidget(Button_Help);
    buttons->addWidget(Button_Reset);
    buttons->addWidget(Button_Cancel);
    buttons->addWidget(Button_OK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SG, 1);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);

    connect(Button_OK, &QPushButton::clicked, this, &TdSelCol::Button_OKClick);
    connect(Button_Cancel, &QPushButton::clicked, this, &TdSelCol::Button_CancelClick);
    connect(Button_Help, &QPushButton::clicked, this, &TdSelCol::Button_HelpClick);
    connect(Button_Reset, &QPushButton::clicked, this, &TdSelCol::Button_ResetClick);
}

void TdSelCol::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TdSelCol::FormShow() {
    Label_Info->setText(InfoText);
    QStringList builtIn;
    if (BuiltInEditLabels(Mode, EditCount, builtIn)) {
        for (qsizetype i = 0; i < builtIn.size(); ++i)
            ColumnLabels[static_cast<size_t>(i + 1)] = builtIn[i];
        Button_Reset->setVisible(Mode != 3);
    }
    EditCount = std::clamp(EditCount, 0, static_cast<int32_t>(kEdits));
    GroupBox2->setFixedHeight(EditCount != 0 ? 76 : 46);
    for (int i = 1; i <= EditCount; ++i) {
        Label(i)->setText(ColumnLabels[static_cast<size_t>(i)]);
        Edit(i)->setText(QString::number(EditColumns[static_cast<size_t>(i)]));
        Label(i)->show();
        Edit(i)->show();
    }

    FillGrid();
    SelectedColumns.assign(static_cast<size_t>(SGCells->ColCount()) + 10, 0);
    columnClicked_ = false;
    SGCells->NumberEdges();

    setWindowTitle(CaptionText.isEmpty() ? (EditCount != 0 ? QStringLiteral("Select columns - ")
                                                           : QStringLiteral("Preview - ")) +
                                               FileName
                                         : CaptionText);

    ClampCurrentCell();
    const QModelIndex at = SGCells->index(CurrentRow - 1, CurrentCol - 1);
    if (at.isValid()) {
        SG->setCurrentIndex(at);
        SG->scrollTo(at);
    }
}

void TdSelCol::FillGrid() {
    switch (Source) {
    case 1: {
        PreviewTable table;
        if (!QFileInfo::exists(FileName) || !ReadPreviewFile(FileName, kPreviewBytes, table))
            ShowMessage(this, QStringLiteral("Could not open file"), kKelv, MsgIcon::Stop);
        SGCells->Fill(table);
        break;
    }
    case 2:
        SGCells->Fill(PreviewFromLines(Lines, kPreviewLines));
        break;
    default:
        break; // the caller's own grid
    }
}

void TdSelCol::ClampCurrentCell() {
    if (CurrentCol < 1 || CurrentCol >= SGCells->ColCount()) CurrentCol = 1;
    if (CurrentRow < 1 || CurrentRow >= SGCells->RowCount()) CurrentRow = 1;
}

void TdSelCol::SGMouseDown(const QPoint& pos) {
    const QModelIndex at = SG->indexAt(pos);
    pressInCell_ = at.isValid();
    if (!pressInCell_) return;
    CurrentCol = at.column() + 1;
    CurrentRow = at.row() + 1;
}

void TdSelCol::SGClick() {
    // A click beside the cells picks nothing.
    if (!pressInCell_ || CurrentCol < 1 ||
        static_cast<size_t>(CurrentCol) >= SelectedColumns.size())
        return;
    Edit2Column = CurrentCol;
    Edit1Row = CurrentRow;
    if (!CtrlDown()) std::fill(SelectedColumns.begin(), SelectedColumns.end(), 0);
    SelectedColumns[static_cast<size_t>(CurrentCol)] = 1;
    columnClicked_ = true;
    Edit1->setText(QString::number(CurrentRow));
    Edit2->setText(QString::number(CurrentCol));
    SGCells->MarksChanged();
}

void TdSelCol::SGDblClick() {
    const QModelIndex at = SG->currentIndex();
    if (at.isValid()) {
        CurrentCol = at.column() + 1;
        CurrentRow = at.row() + 1;
    }
    Edit2Column = CurrentCol;
    Edit1Row = CurrentRow;
    Edit2->setText(QString::number(CurrentCol));
    Edit1->setText(QString::number(CurrentRow));
    Button_OKClick();
}

void TdSelCol::EditClick(int tag) {
    if (!isVisible() || !columnClicked_) return;
    if (tag == 2)
        Edit2->setText(QString::number(CurrentCol));
    else if (tag >= 3 && tag <= kEdits)
        Edit(tag)->setText(JoinMarkedColumns(SelectedColumns));
}

void TdSelCol::Button_OKClick() {
    for (int i = 1; i <= EditCount; ++i)
        EditColumns[static_cast<size_t>(i)] = EditNumber(Edit(i)->text());
    ResultCode = 0;
    CurrentCol = Edit2Column = InputAsInteger(Edit2->text());
    CurrentRow = Edit1Row = InputAsInteger(Edit1->text());
    accept();
}

void TdSelCol::Button_CancelClick() {
    reject();
}

void TdSelCol::reject() {
    ResultCode = -1;
    QDialog::reject();
}

void TdSelCol::Button_ResetClick() {
    for (int i = 1; i <= 8; ++i) Edit(i)->clear();
}

void TdSelCol::Button_HelpClick() {
    const QString help = HelpText.isEmpty()
                             ? kAbout
                             : HelpText + QStringLiteral("\n----------------------\n\n") + kAbout;
    ShowMessage(this, help, kKelv, MsgIcon::None);
}

bool TdSelCol::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SG->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            SGMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::MouseButtonRelease:
            SGClick();
            break;
        case QEvent::MouseButtonDblClick:
            SGDblClick();
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        if (const QVariant tag = watched->property("Tag"); tag.isValid()) EditClick(tag.toInt());
    }
    return QDialog::eventFilter(watched, event);
}
