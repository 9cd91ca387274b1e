// Find and find-same on the Groups page, the pop-up menus of "&Find" and "Auto group", the status
// timer, the refill of an open condition viewer, and the wiring of the page's file, find,
// auto-group, plot and script commands.
#include "conditionmatch.h"
#include "dialoghooks.h"
#include "groupselector.h"
#include "inputdialog.h"
#include "system.h"
#include "tableeditor.h"
#include "tableeditormodel.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {
const QString kFindHelp = QStringLiteral(
    "Syntax for search string:\n"
    "\n"
    "List of multiple search strings delimited by spaces.\n"
    "e.g. \"key1 key2 key3\"\n"
    "\n"
    "By default \"contained\" search is performed.\n"
    "e.g. search for \"key\" will return \"key1\", \"key2\", \"any_key\", ...\n"
    "\n"
    "To force perfect machtches specify \"\\pm\" before any search key\n"
    "e.g. \"\\pm key\" will hide all \"any_key_xx\" constructs\n"
    "\n"
    "Special searches:\n"
    "\"\\empty\" specify this to search for fields containing nothing\n"
    "\"\\>=xxxx\" numerical search, only fields with values >=xxxx will be selected\n"
    "     non-numerical fields are ignored.\n"
    "\"\\<=xxxx\" numerical search, only fields with values <=xxxx will be selected\n"
    "\"\\l\" a list of condition numbers (divided by commas \",\") is supplied and evaluated.\n"
    "     e.g. \"2,3,20,25\" will seletect the 3rd, 5th, 20th and 25th condition in the list.\n"
    "     this option can  not be combined with any other search option.\n"
    "\n"
    "\"?\", \"\\h\" \"-h\" show these help lines.");

QAction* Item(QMenu* menu, const QString& caption, int tag) {
    QAction* a = menu->addAction(caption);
    SetTag(a, tag);
    return a;
}

// Below the button, as its pop-up opens on a click.
void PopupUnder(QMenu* menu, QPushButton* button) {
    menu->popup(button->mapToGlobal(QPoint(5, button->height() - 2)));
}
} // namespace

void TdGroupSelector::CreateGroupTools() {
    POM_Find = new QMenu(this);
    FindNew = Item(POM_Find, QStringLiteral("Find new"), 1);
    ANDFind = Item(POM_Find, QStringLiteral("AND Find"), 2);
    ORFind = Item(POM_Find, QStringLiteral("OR find"), 3);
    POM_Find->addSeparator();
    ANDFindNOT = Item(POM_Find, QStringLiteral("AND Find NOT"), 4);
    ORFindNOT = Item(POM_Find, QStringLiteral("OR Find NOT"), 5);
    POM_Find->addSeparator();
    Same1 = Item(POM_Find, QStringLiteral("Same"), 1);
    Similar1 = Item(POM_Find, QStringLiteral("Similar"), 2);
    for (QAction* a : {FindNew, ANDFind, ORFind, ANDFindNOT, ORFindNOT})
        connect(a, &QAction::triggered, this, [this, a] { Find(Tag(a)); });
    for (QAction* a : {Same1, Similar1})
        connect(a, &QAction::triggered, this, [this, a] { Find_SameClick(Tag(a)); });

    POM_AutoGroup = new QMenu(this);
    Autogroup1 = POM_AutoGroup->addAction(QStringLiteral("&Auto group"));
    Autogroup1->setEnabled(false);
    POM_AutoGroup->addSeparator();
    ANDautogroup1 = POM_AutoGroup->addMenu(QStringLiteral("AND auto-group"));
    Tagged1 = Item(ANDautogroup1, QStringLiteral("Tagged"), 3);
    Tagged1->setEnabled(false);
    Numeric1 = Item(ANDautogroup1, QStringLiteral("Numeric"), 4);
    Groupsame1 = Item(POM_AutoGroup, QStringLiteral("&Group same"), 1);
    Groupsimilar1 = Item(POM_AutoGroup, QStringLiteral("Group &similar"), 2);
    connect(Numeric1, &QAction::triggered, this, [this] { Numeric1Click(Numeric1); });
    for (QAction* a : {Groupsame1, Groupsimilar1})
        connect(a, &QAction::triggered, this, [this, a] { AutoGroup_GroupClick(a); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(10000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TdGroupSelector::Timer1Timer);

    connect(BB_Find, &QPushButton::clicked, this, &TdGroupSelector::BB_FindClick);
    connect(BB_AutoGroup, &QPushButton::clicked, this, &TdGroupSelector::BB_AutoGroupClick);
    BB_Find->installEventFilter(this);
    BB_AutoGroup->installEventFilter(this);

    connect(POM_Cond_SaveSelectionAs, &QAction::triggered, this,
            &TdGroupSelector::POM_Cond_SaveSelectionAsClick);
    connect(POM_Cond_LoadSelection, &QAction::triggered, this,
            &TdGroupSelector::POM_Cond_LoadSelectionClick);
    connect(Groups_BB_Save, &QPushButton::clicked, this, &TdGroupSelector::Groups_BB_SaveClick);
    connect(Groups_BB_Load, &QPushButton::clicked, this, &TdGroupSelector::Groups_BB_LoadClick);
    connect(Groups_CB_History, &QComboBox::activated, this,
            &TdGroupSelector::Groups_CB_HistoryChange);
    connect(BB_ToScript, &QPushButton::clicked, this, &TdGroupSelector::BB_ToScriptClick);
    // The plot buttons run the run handler with the form as sender, whose Tag answers "Run".
    SetTag(this, 1);
    for (QPushButton* button : {BB_XY, BB_RI, BB_QQ, BB_3D})
        connect(button, &QPushButton::clicked, this,
                [this, button] { BB_ScatterplotsClick(button); });
}

bool TdGroupSelector::eventFilter(QObject* watched, QEvent* event) {
    if (ControlEvent(watched, event)) return true;
    // The menu buttons open their menu when the keyboard brings the focus to them; focus coming
    // back from the closed menu, from a click or from window activation does not reopen it.
    if ((watched == BB_Find || watched == BB_AutoGroup) && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            if (watched == BB_Find)
                BB_FindClick();
            else
                BB_AutoGroupClick();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TdGroupSelector::BB_FindClick() {
    PopupUnder(POM_Find, BB_Find);
}

void TdGroupSelector::BB_AutoGroupClick() {
    PopupUnder(POM_AutoGroup, BB_AutoGroup);
}

void TdGroupSelector::Find(int tag) {
    TInputDialog dialog(this);
    dialog.Caption = QStringLiteral("JX-DORV: Select condition by name");
    dialog.HelpText = kFindHelp;
    dialog.Prompt = QStringLiteral("Enter condition name pattern");
    dialog.History = FindHistory;
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    if (std::none_of(FindHistory.begin(), FindHistory.end(), [&](const QString& entry) {
            return entry.compare(dialog.Text, Qt::CaseInsensitive) == 0;
        }))
        FindHistory.prepend(dialog.Text);

    const FindPattern pattern = ParseFindPattern(dialog.Text);
    const int entries = ConditionEntries();
    std::vector<bool> marks(static_cast<size_t>(entries));
    for (int i = 1; i <= entries; ++i) marks[static_cast<size_t>(i - 1)] = Marked(i);
    if (pattern.listMode) {
        const std::optional<int> outside = ApplyFindList(pattern.text, tag, marks);
        SetMarks(marks);
        if (outside)
            ShowMessage(this,
                        QStringLiteral("Condition %1 is not in the list of %2 conditions.")
                            .arg(*outside)
                            .arg(entries),
                        MessageCaption, MsgIcon::Stop);
        return;
    }

    QStringList info{QString(), QStringLiteral("Searching %1 ...").arg(pattern.text)};
    const int rows = CB_ConditionNames->count();
    for (int i = 1; i <= entries; ++i) {
        const size_t k = static_cast<size_t>(i - 1);
        const bool found = PatternMatches(pattern, List_Cond->item(i - 1)->text());
        marks[k] = CombineMark(tag, found, marks[k]);
        if (!found) continue;
        QString line;
        for (int r = 1; r <= rows; ++r) {
            if (!line.isEmpty()) line += QLatin1Char('\t');
            line += HeaderTable.Cell(i, r);
        }
        info << line;
    }
    SetMarks(marks);
    Info_Memo->appendPlainText(info.join(QLatin1Char('\n')));

    const auto matches = std::count(marks.begin(), marks.end(), true);
    StatusPanels[1]->setText(QStringLiteral("%1 matches found").arg(matches));
    static const char* const kLogPrefix[] = {"Find new:", "AND find:", "OR find", "AND NOT find:"};
    if (tag >= 1 && tag <= 4)
        Log_Memo->appendPlainText(
            QStringLiteral("%1  \"%2\";  %3 matches (in selection);    searched on \"%4\"")
                .arg(QLatin1String(kLogPrefix[tag - 1]), pattern.text, QString::number(matches),
                     CB_ConditionNames->currentText()));
    Timer1->start();
    RefillConditionViewer(true);
}

void TdGroupSelector::Find_SameClick(int tag) {
    const int current = List_Cond->currentRow();
    if (current < 0) {
        Beep();
        return;
    }
    const QString reference = List_Cond->item(current)->text();
    std::vector<bool> marks(static_cast<size_t>(ConditionEntries()));
    for (size_t i = 0; i < marks.size(); ++i) {
        const QString label = List_Cond->item(static_cast<int>(i))->text();
        marks[i] = tag == 1 ? label == reference : OccursIn(reference, label);
    }
    SetMarks(marks);
}

void TdGroupSelector::RefillConditionViewer(bool numberByEntry) {
    auto* viewer = qobject_cast<TfTableEditor*>(ConditionViewer.data());
    if (!viewer) return;
    int marked = 0;
    for (int i = 1; i <= ConditionEntries(); ++i) marked += Marked(i) ? 1 : 0;
    // Sized first, so the rows are written into cells that exist.
    viewer->SGCells->SetRowCount(marked + 1);
    int k = 0;
    for (int i = 1; i <= ConditionEntries(); ++i) {
        if (!Marked(i)) continue;
        ++k;
        QString row = QString::number(numberByEntry ? i : k);
        for (int r = 1; r <= HeaderRowCount; ++r) row += QLatin1Char('\t') + HeaderTable.Cell(i, r);
        TableSetRow(*viewer, k, row, QLatin1Char('\t'));
    }
}

void TdGroupSelector::Timer1Timer() {
    StatusPanels[1]->clear();
    Timer1->stop();
}
