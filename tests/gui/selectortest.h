// Group selectors over small hand-made header tables, for the window tests.
#pragma once

#include "groupselector.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <memory>
#include <vector>

namespace {

// A selector over `conditions` conditions labelled "c1", "c2", ... in row 1 and "r2-1", ... in
// row 2, laid out for `mode` but not shown.
inline std::unique_ptr<TdGroupSelector> Selector(int mode, int conditions, bool show = true) {
    auto d = std::make_unique<TdGroupSelector>();
    d->Mode = mode;
    d->ConditionCount = conditions;
    d->HeaderRowCount = 3;
    d->HeaderTable.Resize(conditions, 2);
    d->HeaderTable.Set(0, 1, QStringLiteral("Name"));
    for (int i = 1; i <= conditions; ++i) {
        d->HeaderTable.Set(i, 1, QStringLiteral("c%1").arg(i));
        d->HeaderTable.Set(i, 2, QStringLiteral("r2-%1").arg(i));
    }
    if (show) d->FormShow();
    return d;
}

inline void Mark(TdGroupSelector& d, std::initializer_list<int> conditions) {
    d.List_Cond->clearSelection();
    for (int i : conditions) d.List_Cond->item(i - 1)->setSelected(true);
}

// Marks the conditions and puts them into the group (1-based entry of the group list).
inline void Assign(TdGroupSelector& d, int group, std::initializer_list<int> conditions) {
    Mark(d, conditions);
    d.List_Group->setCurrentRow(group - 1);
    d.Button_ConditionsToGroupClick();
}

// Sets the number of groups as code does, without releasing marked conditions.
inline void SetGroups(TdGroupSelector& d, int groups) {
    const QSignalBlocker block(d.Groups_SE_Number);
    d.Groups_SE_Number->setValue(groups);
    d.rebuildGroupList();
}

inline std::vector<int> Marked(const TdGroupSelector& d) {
    std::vector<int> marked;
    for (int i = 1; i <= d.List_Cond->count(); ++i)
        if (d.Marked(i)) marked.push_back(i);
    return marked;
}

inline QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

// ConditionGroup[1..ConditionCount].
inline std::vector<int32_t> Groups(const TdGroupSelector& d) {
    return std::vector<int32_t>(d.ConditionGroup.begin() + 1, d.ConditionGroup.end());
}

} // namespace
