#include "stayontop.h"

#include <QWidget>
#include <QWindow>

void SetStaysOnTop(QWidget& window, bool onTop) {
    const Qt::WindowFlags flags = onTop ? window.windowFlags() | Qt::WindowStaysOnTopHint
                                        : window.windowFlags() & ~Qt::WindowStaysOnTopHint;
    if (QWindow* handle = window.windowHandle()) {
        // Told to the native window directly: setWindowFlags would hide a shown window, which
        // ends a modal run.
        window.overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        window.setWindowFlags(flags);
    }
}
