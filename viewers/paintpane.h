// A plain widget that hands its painting and mouse events to its owner's functions.
#pragma once

#include <QWidget>
#include <functional>

class QPainter;

class PaintPane : public QWidget {
    Q_OBJECT
  public:
    explicit PaintPane(QWidget* parent = nullptr) : QWidget(parent) {}

    std::function<void(QPainter&)> OnPaint;
    std::function<void(QPoint)> OnMouseMove;
    std::function<void(QPoint)> OnDoubleClick;
    std::function<void()> OnResize;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
