#include "windowregistry.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace {
struct Registered {
    QPointer<QWidget> window;
    WindowHandle handle;
};
std::vector<Registered>& Windows() {
    static std::vector<Registered> windows;
    return windows;
}
} // namespace

void WindowRegistry::Add(QWidget* window, WindowHandle handle) {
    Remove(window);
    Windows().push_back({window, handle});
    QObject::connect(window, &QObject::destroyed, [window] { Remove(window); });
}

void WindowRegistry::Remove(QWidget* window) {
    auto& w = Windows();
    w.erase(std::remove_if(w.begin(), w.end(),
                           [window](const Registered& r) {
                               return r.window.isNull() || r.window.data() == window;
                           }),
            w.end());
}

std::vector<WindowRegistry::Entry> WindowRegistry::Find(const QString& text, bool visibleOnly) {
    std::vector<Entry> found;
    for (const Registered& r : Windows()) {
        QWidget* w = r.window.data();
        if (!w || (visibleOnly && !w->isVisible())) continue;
        if (QString::fromLatin1(w->metaObject()->className()).contains(text) ||
            w->windowTitle().contains(text))
            found.push_back({w, r.handle});
    }
    return found;
}
