#include "paintpane.h"

#include <QMouseEvent>
#include <QPainter>

void PaintPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (OnPaint) OnPaint(painter);
}

void PaintPane::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(event->position().toPoint());
}

void PaintPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDoubleClick) OnDoubleClick(event->position().toPoint());
}

void PaintPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (OnResize) OnResize();
}
