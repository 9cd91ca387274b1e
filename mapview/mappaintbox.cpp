#include "mappaintbox.h"

#include <QPainter>

MapPaintBox::MapPaintBox(QWidget* parent, int inset) : QWidget(parent), inset_(inset) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool MapPaintBox::SaveImage(const QString& fileName) const {
    return !image_.isNull() && image_.save(fileName, "PNG");
}

void MapPaintBox::paintEvent(QPaintEvent*) {
    if (BeforePaint) BeforePaint();
    QPainter painter(this);
    // The map's image is placed one pixel in, as the map always was.
    painter.fillRect(0, 0, width(), inset_, palette().window());
    painter.fillRect(0, 0, inset_, height(), palette().window());
    painter.drawImage(inset_, inset_, image_);
}
