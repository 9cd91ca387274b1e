#include "mappaintbox.h"

#include <QPainter>

MapPaintBox::MapPaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool MapPaintBox::SaveImage(const QString& fileName) const {
    return !image_.isNull() && image_.save(fileName, "PNG");
}

void MapPaintBox::paintEvent(QPaintEvent*) {
    if (BeforePaint) BeforePaint();
    QPainter painter(this);
    // The image is a bitmap of the box's own size, placed one pixel in as the map always was.
    painter.fillRect(0, 0, width(), 1, palette().window());
    painter.fillRect(0, 0, 1, height(), palette().window());
    painter.drawImage(1, 1, image_);
}
