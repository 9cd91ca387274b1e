#include "inputdialog.h"

#include "dialoghooks.h"
#include "filedrop.h"
#include "inputtext.h"
#include "registry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace {
const QString kAbout = QStringLiteral("Generic Input Dialog V0.91\nfrom 11.08.2006\n\n"
                                      "by the JX-Quorbel developers");
} // namespace

TInputDialog::TInputDialog(QWidget* parent) : TInputDialogBase(parent, kAbout) {
    Group_Options = new QGroupBox(QStringLiteral("Options"), this);
    CB_WholeWord = new QCheckBox(QStringLiteral("Whole word"), Group_Options);
    (new QVBoxLayout(Group_Options))->addWidget(CB_WholeWord);
    Group_Options->hide();
    body_->addWidget(Group_Options);

    POM_List = new QMenu(this);
    Paste = POM_List->addAction(QStringLiteral("&Paste"));
    Clear_History = POM_List->addAction(QStringLiteral("&Clear history"));
    connect(Paste, &QAction::triggered, this, &TInputDialog::PasteClick);
    connect(Clear_History, &QAction::triggered, this, &TInputDialog::Clear_HistoryClick);

    // The history menu replaces the edit's own menu once a history key is given.
    connect(CB->lineEdit(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { POM_List->popup(CB->lineEdit()->mapToGlobal(at)); });
    CB->lineEdit()->installEventFilter(this);
    // Dropped files come to the dialog, not as raw text into the edit.
    setAcceptDrops(true);
    CB->setAcceptDrops(false);
    CB->lineEdit()->setAcceptDrops(false);
}

QString TInputDialog::HelpCaption() const {
    return windowTitle();
}

void TInputDialog::FormShow() {
    Group_Options->setVisible(ShowOptions == 1);
    QStringList items;
    if (!RegistryKey.isEmpty()) {
        CB->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
        bool opened = false;
        items = ReadHistory(RegistryKey, HistorySize, &opened);
        if (opened) History.clear();
    }
    items += History;
    ShowFields(QStringLiteral("  "), items);
}

void TInputDialog::Button_OKClick() {
    WholeWord = CB_WholeWord->isChecked() ? 1 : 0;
    Text = CB->currentText();
    if (IsHelpRequest(Text)) {
        // Help only; the dialog stays open and has given no answer yet.
        Button_HelpClick();
        return;
    }
    TakeText();
    // The combo holds the stored entries and the caller's history already; taking them again
    // would store every entry twice.
    History.clear();
    for (int i = 0; i < CB->count(); ++i) History.append(CB->itemText(i));
    HistoryIndex = EnterIntoList(History, Text);
    if (!RegistryKey.isEmpty()) WriteHistory(RegistryKey, History, HistorySize);
    CloseWithOK();
}

void TInputDialog::AppendToCombo(const QString& text) {
    CB->setEditText(AppendCleanedText(CB->currentText(), text));
}

void TInputDialog::PasteClick() {
    AppendToCombo(QApplication::clipboard()->text());
}

bool TInputDialog::CBKeyDown(QKeyEvent* event) {
    const bool ctrlV = event->key() == Qt::Key_V && event->modifiers() & Qt::ControlModifier;
    if (!ctrlV && !event->matches(QKeySequence::Paste)) return false;
    // The paste replaces the text, cleaned into one line.
    CB->setEditText(QString());
    PasteClick();
    return true;
}

bool TInputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CB->lineEdit() && event->type() == QEvent::KeyPress)
        return CBKeyDown(static_cast<QKeyEvent*>(event));
    return TInputDialogBase::eventFilter(watched, event);
}

void TInputDialog::Clear_HistoryClick() {
    if (!RegistryKey.isEmpty()) Registry::DeleteKey(RegistryKey);
    const QString typed = CB->currentText();
    CB->clear();
    CB->setEditText(typed);
    History.clear();
}

void TInputDialog::HandleDroppedFiles(const QStringList& files) {
    if (files.isEmpty()) return;
    QFile file(files.last());
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessage(this,
                    QStringLiteral("Cannot open file \"%1\". %2")
                        .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()),
                    windowTitle(), MsgIcon::Stop);
        return;
    }
    QString text = QString::fromUtf8(file.readAll());
    // Read as lines, every line ends with a break, the last one too.
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) text.append(QLatin1Char('\n'));
    AppendToCombo(text);
}

void TInputDialog::dragEnterEvent(QDragEnterEvent* event) {
    AcceptFileDrag(event);
}

void TInputDialog::dropEvent(QDropEvent* event) {
    HandleDroppedFiles(TakeDroppedFiles(event));
}
