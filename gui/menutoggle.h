// Ticked menu items whose handlers toggle the tick themselves.
#pragma once

#include <QAction>
#include <QObject>

// Connects the item's trigger to `handler`; the toolkit's own toggle is undone first, so the
// handler (also called from code) sees the tick as it was and flips it itself.
template <typename Handler>
void ConnectToggleItem(QObject* context, QAction* item, Handler handler) {
    QObject::connect(item, &QAction::triggered, context, [item, handler] {
        item->setChecked(!item->isChecked());
        handler();
    });
}
