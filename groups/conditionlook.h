// How the group selector draws the entries of its condition and group lists.
#pragma once

#include "colours.h"

#include <QColor>
#include <QPalette>
#include <QStyledItemDelegate>
#include <functional>

// Background of a group's entries; white for no group (0) and numbers beyond the twelve colours.
TColor GroupColour(int group);
// Text colour of condition entry `entry` (1-based) in the view tools.
TColor ToolEntryTextColour(int entry);

struct EntryLook {
    QColor background;
    QColor text;
    int labelX = 2;        // left edge of the label, from the entry's left edge
    bool checkBox = false; // a check box in front of the label
};

// Look of condition entry `entry` (1-based) in group `group` in dialog mode `mode`; `list` gives
// the list's own and highlight colours.
EntryLook ConditionEntryLook(int mode, int group, bool marked, int entry, const QPalette& list);

// Draws each row by the look its owner gives; rows with a check box show `checked`.
class EntryDelegate : public QStyledItemDelegate {
  public:
    using LookFn = std::function<EntryLook(int row, bool selected)>;
    using CheckFn = std::function<bool(int row)>;
    EntryDelegate(LookFn look, CheckFn checked, QObject* parent)
        : QStyledItemDelegate(parent), look_(std::move(look)), checked_(std::move(checked)) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // Rows leave room for the check box.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    LookFn look_;
    CheckFn checked_;
};
