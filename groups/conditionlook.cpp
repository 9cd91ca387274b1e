#include "conditionlook.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <array>

namespace {
bool GroupColouredMode(int mode) {
    return (mode >= 0 && mode <= 5) || mode == 10 || mode == 11 || mode == 20 ||
           (mode >= 100 && mode <= 104) || mode == 200 || mode == 210 || mode == 300 || mode == 310;
}
} // namespace

TColor GroupColour(int group) {
    static const std::array<TColor, 13> colours{
        RGBColor(255, 255, 255), RGBColor(192, 192, 255), RGBColor(255, 192, 192),
        RGBColor(192, 255, 192), RGBColor(255, 255, 192), RGBColor(192, 255, 255),
        RGBColor(255, 192, 255), RGBColor(128, 128, 255), RGBColor(255, 128, 128),
        RGBColor(128, 255, 128), RGBColor(255, 255, 128), RGBColor(128, 255, 255),
        RGBColor(255, 128, 255)};
    return group >= 1 && group <= 12 ? colours[static_cast<size_t>(group)] : colours[0];
}

TColor ToolEntryTextColour(int entry) {
    static const std::array<TColor, 12> colours{
        RGBColor(255, 0, 0),   RGBColor(0, 0, 255),     RGBColor(0, 128, 0),
        RGBColor(0, 0, 0),     RGBColor(170, 85, 85),   RGBColor(85, 85, 170),
        RGBColor(85, 170, 85), RGBColor(170, 170, 170), RGBColor(85, 0, 0),
        RGBColor(0, 0, 85),    RGBColor(0, 85, 0),      RGBColor(85, 85, 85)};
    return colours[static_cast<size_t>(std::clamp(entry, 1, 12) - 1)];
}

EntryLook ConditionEntryLook(int mode, int group, bool marked, int entry, const QPalette& list) {
    EntryLook look;
    if (mode == 2000 || mode == 2001) {
        look.background = marked ? QColor(10, 36, 106) : QColor(Qt::white);
        look.text = marked ? QColor(Qt::white) : ToQColor(ToolEntryTextColour(entry));
        look.labelX = 17;
        look.checkBox = true;
    } else if (GroupColouredMode(mode)) {
        const QColor colour = ToQColor(GroupColour(group));
        look.background = marked ? list.color(QPalette::Highlight) : colour;
        look.text = marked ? colour : list.color(QPalette::Text);
    } else {
        look.background = list.color(marked ? QPalette::Highlight : QPalette::Base);
        look.text = list.color(marked ? QPalette::HighlightedText : QPalette::Text);
    }
    return look;
}

void EntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const EntryLook look = look_(index.row(), selected);
    const QRect r = option.rect;
    painter->save();
    painter->fillRect(r, look.background);
    if (look.checkBox) {
        QStyleOptionButton box;
        box.rect = QRect(r.left() + 2, r.top() + 2, 15, 15);
        box.state = QStyle::State_Enabled |
                    (checked_ && checked_(index.row()) ? QStyle::State_On : QStyle::State_Off);
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
    }
    painter->setPen(look.text);
    painter->drawText(r.adjusted(look.labelX, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize EntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    return {size.width() + 17, std::max(size.height(), 19)};
}
