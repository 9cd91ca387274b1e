// Menu items of the main window, named as the program's forms name them.
#pragma once

#include <QAction>
#include <QMenu>
#include <QString>
#include <initializer_list>
#include <utility>

// A new item at the end of `menu`; its data holds `tag`.
inline QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                        bool checkable = false, bool checked = false, int tag = 0) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    a->setChecked(checked);
    a->setData(tag);
    return a;
}

// The sub-menu `name` of `parent`, made with `caption` when it does not exist yet.
template <typename Parent>
QMenu* SubMenu(Parent* parent, const char* name, const QString& caption) {
    if (auto* menu =
            parent->template findChild<QMenu*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
        return menu;
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

// `handler` as a command of `window`: it runs only when the window lets a command start.
template <typename Window, typename Handler> auto Command(Window* window, Handler handler) {
    return [window, handler] {
        if (window->MayStartCommand()) handler();
    };
}

// Connects the item to `handler`, a command of `window`.
template <typename Window, typename Handler>
void ConnectCommand(Window* window, QAction* item, Handler handler) {
    QObject::connect(item, &QAction::triggered, window, Command(window, handler));
}

// Connects each item to its handler, a method of `window` without arguments.
template <typename Window>
void ConnectCommands(Window* window,
                     std::initializer_list<std::pair<QAction*, void (Window::*)()>> commands) {
    for (const auto& [item, handler] : commands)
        ConnectCommand(window, item, [window, handler = handler] { (window->*handler)(); });
}

// Connects each item of `items` (null entries skipped) to `handler`, a method of `window` that
// takes the clicked item.
template <typename Window, typename Items>
void ConnectItems(Window* window, const Items& items, void (Window::*handler)(QAction*)) {
    for (QAction* item : items)
        if (item)
            ConnectCommand(window, item, [window, item, handler] { (window->*handler)(item); });
}

// A history or recent-file item showing `entry`, which its data keeps: "&" in the caption would
// mark a shortcut letter.
inline void ShowEntryItem(QAction* item, const QString& entry) {
    item->setText(QString(entry).replace(QLatin1Char('&'), QStringLiteral("&&")));
    item->setData(entry);
    item->setVisible(true);
}
