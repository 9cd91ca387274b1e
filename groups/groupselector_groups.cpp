// The Groups page: the condition list with its marks, the group list and assigning.
#include "dialoghooks.h"
#include "groupselector.h"
#include "sellist.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelection>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>

void TdGroupSelector::ConnectHandlers() {
    connect(PageControl1, &QTabWidget::currentChanged, this, &TdGroupSelector::PageChanged);
    connect(List_Cond, &QListWidget::itemClicked, this, [this] { List_CondClick(); });
    connect(List_Cond, &QListWidget::itemDoubleClicked, this, [this] { List_CondDblClick(); });
    connect(List_Group, &QListWidget::itemDoubleClicked, this, [this] { List_CondDblClick(); });
    connect(List_Group, &QListWidget::itemClicked, this, [this] { List_GroupClick(); });
    connect(List_Cond, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { POM_Cond->popup(List_Cond->viewport()->mapToGlobal(at)); });
    connect(POM_Cond_CopySelection, &QAction::triggered, this,
            [this] { POM_Cond_CopySelectionClick(); });
    connect(POM_Cond_PasteSelection, &QAction::triggered, this,
            [this] { POM_Cond_PasteSelectionClick(); });
    connect(Button_ConditionsToGroup, &QPushButton::clicked, this,
            [this] { Button_ConditionsToGroupClick(); });
    connect(Button_ReleaseAllGroups, &QPushButton::clicked, this,
            [this] { Button_ReleaseAllGroupsClick(); });
    connect(BB_Invert, &QPushButton::clicked, this, [this] { BB_InvertClick(); });
    connect(BB_Ungrouped, &QPushButton::clicked, this, [this] { BB_UngroupedClick(); });
    connect(CB_ConditionNames, &QComboBox::activated, this, [this] { CB_ConditionNamesClick(); });
    connect(Button_CondMultSel, &QPushButton::clicked, this, [this] { Button_CondMultSelClick(); });
    // Code that sets these spin edits blocks their signals: only the user's changes release.
    for (QSpinBox* spin : {Groups_SE_Number, Factors_SE_Number, Matches_SE})
        connect(spin, &QSpinBox::valueChanged, this, [this] { Groups_SE_NumberChange(); });
    connect(BitBtn_Cancel, &QPushButton::clicked, this, [this] { BitBtn_CancelClick(); });
    for (QPushButton* button : {BitBtn_OK, BBB_RunAnalysis})
        connect(button, &QPushButton::clicked, this, [this, button] { BB_RunOK(button); });
}

int TdGroupSelector::ConditionEntries() const {
    return List_Cond->count();
}

bool TdGroupSelector::Marked(int i) const {
    const QListWidgetItem* item = List_Cond->item(i - 1);
    return item && item->isSelected();
}

void TdGroupSelector::SetMarks(const std::vector<bool>& marks) {
    // One selection change for the whole list: thousands of entries stay quick.
    QItemSelection selection;
    QAbstractItemModel* model = List_Cond->model();
    const int n = std::min(static_cast<int>(marks.size()), ConditionEntries());
    for (int row = 0; row < n; ++row) {
        if (!marks[static_cast<size_t>(row)]) continue;
        int last = row;
        while (last + 1 < n && marks[static_cast<size_t>(last + 1)]) ++last;
        selection.select(model->index(row, 0), model->index(last, 0));
        row = last;
    }
    List_Cond->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    List_Cond->viewport()->update();
}

QStringList TdGroupSelector::ConditionLabels(int kind) const {
    QStringList labels;
    labels.reserve(std::max(ConditionCount, 0));
    for (int i = 1; i <= ConditionCount; ++i) {
        if (kind == 2) {
            QString label;
            for (int row : LabelRows) label += HeaderTable.Cell(i, row) + QStringLiteral(", ");
            labels << label;
        } else {
            labels << HeaderTable.Cell(i, LabelRow);
        }
    }
    return labels;
}

void TdGroupSelector::FillConditionList(int kind) {
    std::vector<bool> marks(static_cast<size_t>(ConditionEntries()));
    for (size_t i = 0; i < marks.size(); ++i) marks[i] = Marked(static_cast<int>(i) + 1);
    LabelRow = CB_ConditionNames->currentIndex() + 1;
    List_Cond->clear();
    List_Cond->addItems(ConditionLabels(kind));
    SetMarks(marks);
}

void TdGroupSelector::List_CondClick() {
    List_Cond->viewport()->update();
    CurrentCondition = List_Cond->currentRow() + 1;
    StatusPanels[0]->setText(QString::number(CurrentCondition));
    RefillConditionViewer(false);
}

void TdGroupSelector::List_CondDblClick() {
    TS_GroupsShow();
}

void TdGroupSelector::Button_ConditionsToGroupClick() {
    TS_GroupsShow();
}

void TdGroupSelector::List_GroupClick() {
    List_Group->viewport()->update();
}

int TdGroupSelector::PickedGroup() const {
    const int g = List_Group->currentRow() + 1;
    return g == List_Group->count() ? 0 : g; // the last entry is "none"
}

void TdGroupSelector::TS_GroupsShow() {
    if (Mode == 2000) {
        SendSelectionToOwner();
        return;
    }
    if (ListsGeneAnnotation()) return;
    const int g = PickedGroup();
    for (int i = 1; i <= std::min(ConditionEntries(), ConditionCount); ++i)
        if (Marked(i)) ConditionGroup[static_cast<size_t>(i)] = g;
    List_Cond->viewport()->update();
    rebuildGroupList();
}

void TdGroupSelector::SendSelectionToOwner() {
    if (OwnerHandle == 0) return;
    for (int i = 1; i <= ConditionEntries(); ++i) {
        const int s = Marked(i) ? 1 : 0;
        if (i < static_cast<int>(ConditionActive.size()))
            ConditionActive[static_cast<size_t>(i)] = static_cast<uint8_t>(s);
        ToolBus::Send(OwnerHandle, 3001, i * 10 + s);
    }
    List_Cond->viewport()->update();
    ToolBus::Send(OwnerHandle, 3000, 0);
}

void TdGroupSelector::rebuildGroupList() {
    if (ListsGeneAnnotation()) return;
    const auto members = [this](int g) {
        return ConditionGroup.empty()
                   ? 0
                   : std::count(ConditionGroup.begin() + 1, ConditionGroup.end(), g);
    };
    List_Group->clear();
    const int groups = Groups_SE_Number->value();
    if (Mode == 210) {
        const int factors = Factors_SE_Number->value();
        for (int f1 = 1; f1 <= groups; ++f1)
            for (int f2 = 1; f2 <= factors; ++f2)
                List_Group->addItem(QStringLiteral("Factor1-%1_Factor2-%2 (%3)")
                                        .arg(f1)
                                        .arg(f2)
                                        .arg(members((f1 - 1) * factors + f2)));
    } else {
        for (int g = 1; g <= groups; ++g)
            List_Group->addItem(QStringLiteral("Group-%1 (%2)").arg(g).arg(members(g)));
    }
    List_Group->addItem(QStringLiteral("none"));
}

void TdGroupSelector::Groups_SE_NumberChange() {
    // Assigning rebuilds the group list, except where it lists the gene annotation.
    TS_GroupsShow();
}

void TdGroupSelector::CB_ConditionNamesClick() {
    FillConditionList(1);
}

void TdGroupSelector::Button_CondMultSelClick() {
    TdSel_List choose;
    choose.MultiSelect = 1;
    for (int r = 0; r < CB_ConditionNames->count(); ++r)
        choose.Items << CB_ConditionNames->itemText(r);
    RunModal(choose);
    LabelRows.clear();
    if (choose.ResultIndex < 0) return;
    if (choose.SelectedCount > 0) {
        const int n = std::min(choose.SelectedCount, kMaxLabelRows);
        for (int k = 1; k <= n; ++k)
            LabelRows.push_back(choose.SelectedIndices[static_cast<size_t>(k)]);
    } else if (choose.ResultIndex > 0) {
        LabelRows.push_back(choose.ResultIndex); // a single choice
    }
    FillConditionList(LabelRows.empty() ? 1 : 2);
}

void TdGroupSelector::POM_Cond_CopySelectionClick() {
    SelectionBuffer.assign(static_cast<size_t>(ConditionEntries()), 0);
    for (int i = 1; i <= ConditionEntries(); ++i)
        SelectionBuffer[static_cast<size_t>(i - 1)] = Marked(i) ? 1 : 0;
}

void TdGroupSelector::POM_Cond_PasteSelectionClick() {
    std::vector<bool> marks(static_cast<size_t>(ConditionEntries()));
    for (size_t i = 0; i < marks.size() && i < SelectionBuffer.size(); ++i)
        marks[i] = SelectionBuffer[i] != 0;
    SetMarks(marks);
}

void TdGroupSelector::BB_InvertClick() {
    std::vector<bool> marks(static_cast<size_t>(ConditionEntries()));
    for (size_t i = 0; i < marks.size(); ++i) marks[i] = !Marked(static_cast<int>(i) + 1);
    SetMarks(marks);
}

void TdGroupSelector::BB_UngroupedClick() {
    std::vector<bool> marks(static_cast<size_t>(ConditionEntries()));
    for (size_t i = 0; i < marks.size(); ++i)
        marks[i] = i + 1 >= ConditionGroup.size() || ConditionGroup[i + 1] == 0;
    SetMarks(marks);
}

void TdGroupSelector::Button_ReleaseAllGroupsClick() {
    std::fill(ConditionGroup.begin(), ConditionGroup.end(), 0);
    List_Cond->viewport()->update();
    rebuildGroupList();
}
