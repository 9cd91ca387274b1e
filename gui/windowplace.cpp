#include "windowplace.h"

#include "registry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void ReadWindowPlace(QWidget& window, const RegKey& key) {
    int left = key.ReadInteger(QStringLiteral("Left"), window.x());
    int top = key.ReadInteger(QStringLiteral("Top"), window.y());
    const QRect screen = QGuiApplication::primaryScreen()->virtualGeometry();
    if (left > screen.width()) left = 10;
    if (top > screen.height()) top = 10;
    window.move(left, top);
    window.resize(key.ReadInteger(QStringLiteral("Width"), window.width()),
                  key.ReadInteger(QStringLiteral("Height"), window.height()));
}

void WriteWindowPlace(const QWidget& window, RegKey& key) {
    key.WriteInteger(QStringLiteral("Left"), window.x());
    key.WriteInteger(QStringLiteral("Top"), window.y());
    key.WriteInteger(QStringLiteral("Width"), window.width());
    key.WriteInteger(QStringLiteral("Height"), window.height());
}
