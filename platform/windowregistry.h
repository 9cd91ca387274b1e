// The program's live top-level windows, in place of the desktop's window enumeration: a window
// registers with its tool-bus handle and is found by a text in its class name or caption.
#pragma once

#include "toolbus.h"

#include <QString>
#include <vector>

class QWidget;

namespace WindowRegistry {
struct Entry {
    QWidget* window;
    WindowHandle handle;
};
// Registers the window until it is destroyed or removed.
void Add(QWidget* window, WindowHandle handle);
void Remove(QWidget* window);
// Registered windows whose Qt class name or caption contains `text`, in creation order; only
// the visible ones when asked.
std::vector<Entry> Find(const QString& text, bool visibleOnly);
} // namespace WindowRegistry
