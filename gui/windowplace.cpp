#include "windowplace.h"

#include "registry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QRect PlaceOnScreen(int left, int top, int width, int height) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect desktop = primary->virtualGeometry();
    if (left > desktop.width()) left = 10;
    if (top > desktop.height()) top = 10;
    const QScreen* screen = QGuiApplication::screenAt(QPoint(left, top));
    const QRect area = (screen ? screen : primary)->availableGeometry();
    // Bounded before QRect adds them up: stored values may be anything an int holds.
    return QRect(
        std::clamp(left, area.left(), area.right()), std::clamp(top, area.top(), area.bottom()),
        std::min(std::max(width, 1), area.width()), std::min(std::max(height, 1), area.height()));
}

void RestoreWindowPlace(QWidget& window, int left, int top, int width, int height) {
    const QRect place = PlaceOnScreen(left, top, width, height);
    window.move(place.topLeft());
    window.resize(place.size());
}

void ReadWindowPlace(QWidget& window, const RegKey& key) {
    RestoreWindowPlace(window, key.ReadInteger(QStringLiteral("Left"), window.x()),
                       key.ReadInteger(QStringLiteral("Top"), window.y()),
                       key.ReadInteger(QStringLiteral("Width"), window.width()),
                       key.ReadInteger(QStringLiteral("Height"), window.height()));
}

void WriteWindowPlace(const QWidget& window, RegKey& key) {
    key.WriteInteger(QStringLiteral("Left"), window.x());
    key.WriteInteger(QStringLiteral("Top"), window.y());
    key.WriteInteger(QStringLiteral("Width"), window.width());
    key.WriteInteger(QStringLiteral("Height"), window.height());
}
