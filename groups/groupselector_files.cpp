// Selection and grouping files of the Groups page and the history of grouping files.
#include "dialoghooks.h"
#include "groupfiles.h"
#include "groupselector.h"
#include "recentlist.h"
#include "tablecells.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

namespace {
std::string LocalName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}
} // namespace

void TdGroupSelector::FileError(const std::string& error) {
    ShowMessage(this, QString::fromStdString(error), MessageCaption, MsgIcon::Stop);
}

std::vector<int32_t> TdGroupSelector::GroupsOfConditions() const {
    if (ConditionGroup.size() < 2) return {};
    return std::vector<int32_t>(ConditionGroup.begin() + 1, ConditionGroup.end());
}

void TdGroupSelector::POM_Cond_SaveSelectionAsClick() {
    const QString name =
        AskFileName(this, {FileDialogKind::Save, QStringLiteral("Save selection"), QString(),
                           QStringLiteral("Selection list (*.csl);;Any file (*)")});
    if (name.isEmpty()) return;
    std::vector<bool> marks(static_cast<size_t>(ConditionEntries()));
    for (size_t i = 0; i < marks.size(); ++i) marks[i] = Marked(static_cast<int>(i) + 1);
    std::string error;
    if (!WriteSelectionFile(WithDefaultExtension(LocalName(name), ".csl"), marks, error))
        FileError(error);
}

void TdGroupSelector::POM_Cond_LoadSelectionClick() {
    const QString name =
        AskFileName(this, {FileDialogKind::Open, QStringLiteral("Load selection"), QString(),
                           QStringLiteral("Selection list file (*.csl);;Any file (*)")});
    if (name.isEmpty()) return;
    std::vector<bool> marks;
    std::string error;
    if (!ReadSelectionFile(WithDefaultExtension(LocalName(name), ".csl"), ConditionEntries(), marks,
                           error)) {
        FileError(error);
        return;
    }
    SetMarks(marks);
}

namespace {
QString GroupFilter(int mode) {
    return mode == 5 ? QStringLiteral("Group list file (*.pgl);;Any file (*)")
                     : QStringLiteral("Group list file (*.tgl);;Any file (*)");
}
} // namespace

void TdGroupSelector::Groups_BB_SaveClick() {
    const bool paired = Mode == 5;
    const QString name =
        AskFileName(this, {FileDialogKind::Save, QStringLiteral("Save goup settings"), QString(),
                           GroupFilter(Mode)});
    if (name.isEmpty()) return;
    const std::string file = WithDefaultExtension(LocalName(name), paired ? ".pgl" : ".tgl");
    std::string error;
    bool saved = false;
    if (paired) {
        std::vector<PairCells> rows;
        for (int r = 1; r < Pairs_SG->rowCount(); ++r)
            rows.push_back(
                {CellText(Pairs_SG, r, 1).toStdString(), CellText(Pairs_SG, r, 2).toStdString()});
        saved = WritePairedGroupFile(file, rows, error);
    } else {
        GroupListFile groups;
        int n = Groups_SE_Number->value();
        if (Mode == 210) {
            groups.Factor1 = n;
            groups.Factor2 = Factors_SE_Number->value();
            n *= groups.Factor2;
        }
        const std::vector<int32_t> groupOf = GroupsOfConditions();
        for (int g = 1; g <= n; ++g)
            groups.Members.push_back(GroupMemberText(groupOf, g, FirstConditionNumber));
        saved = WriteGroupListFile(file, groups, error);
    }
    if (!saved) {
        FileError(error);
        return;
    }
    // Paired groupings stay out of the history, which lists groupings.
    if (!paired) AddToGroupHistory(QFile::decodeName(file.c_str()));
}

void TdGroupSelector::Groups_BB_LoadClick() {
    const QString name =
        AskFileName(this, {FileDialogKind::Open, QStringLiteral("Load group setings"), QString(),
                           GroupFilter(Mode)});
    LoadGroupListFile(name);
}

void TdGroupSelector::Groups_CB_HistoryChange() {
    LoadGroupListFile(Groups_CB_History->currentText(), true);
}

bool TdGroupSelector::LoadGroupListFile(const QString& fileName, bool releaseAll) {
    if (fileName.isEmpty()) return false;
    const std::string file = LocalName(fileName);
    std::string error;
    // Everything is read before anything changes, so a bad file leaves the dialog as it was.
    if (Mode == 5) {
        PairedGroupRead read;
        if (!ReadPairedGroupFile(file, ConditionCount, read, error)) {
            FileError(error);
            return false;
        }
        if (releaseAll) Button_ReleaseAllGroupsClick();
        {
            const QSignalBlocker block(Groups_SE_Number);
            Groups_SE_Number->setValue(2);
        }
        Pairs_SG->setRowCount(read.RowCount);
        Button_ClearPairTableClick();
        int row = 0;
        for (const auto& [a, b] : read.Pairs) {
            SetCell(Pairs_SG, ++row, 1, PairCellText(a));
            SetCell(Pairs_SG, row, 2, PairCellText(b));
        }
    } else {
        GroupListRead read;
        if (!ReadGroupListFile(file, ConditionCount, FirstConditionNumber, Mode == 210, read,
                               error)) {
            FileError(error);
            return false;
        }
        if (releaseAll) Button_ReleaseAllGroupsClick();
        {
            const QSignalBlocker block1(Groups_SE_Number), block2(Factors_SE_Number);
            if (Mode == 210) {
                Groups_SE_Number->setValue(read.Factor1);
                Factors_SE_Number->setValue(read.Factor2);
            } else {
                Groups_SE_Number->setValue(read.GroupCount);
            }
        }
        const int kept = std::min(read.GroupCount, kMaxMemberStrings);
        for (int g = 1; g <= kept; ++g)
            GroupMembers[static_cast<size_t>(g)] =
                QString::fromStdString(read.Members[static_cast<size_t>(g - 1)]);
        const size_t n = std::min(read.groupOf.size() + 1, ConditionGroup.size());
        for (size_t i = 1; i < n; ++i)
            if (read.groupOf[i - 1] != 0) ConditionGroup[i] = read.groupOf[i - 1];
    }
    GroupCount = Groups_SE_Number->value();
    List_Cond->viewport()->update();
    // Only the counts change: assigning now would move the marked conditions out of the groups
    // just read.
    rebuildGroupList();
    AddToGroupHistory(fileName);
    return true;
}

void TdGroupSelector::AddToGroupHistory(const QString& fileName) {
    std::vector<std::string> entries(kGroupHistoryKept);
    for (int i = 0; i < std::min(Groups_CB_History->count(), kGroupHistoryKept); ++i)
        entries[static_cast<size_t>(i)] = Groups_CB_History->itemText(i).toStdString();
    const QSignalBlocker block(Groups_CB_History);
    if (AddRecentEntry(entries, fileName.toStdString(), true)) {
        Groups_CB_History->clear();
        for (const std::string& entry : entries)
            if (!entry.empty()) Groups_CB_History->addItem(QString::fromStdString(entry));
    }
    Groups_CB_History->setCurrentIndex(Groups_CB_History->findText(fileName, Qt::MatchFixedString));
}
