// A paint box showing an image its owner renders (the map, the colour bar). Before each paint it
// lets its owner re-render when anything shown has changed; the paint itself only copies the
// image, `inset` pixels in from the top-left corner.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class MapPaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit MapPaintBox(QWidget* parent = nullptr, int inset = 1);

    // Called at the start of every paint; renders into Image() when the view is out of date.
    std::function<void()> BeforePaint;

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    // Writes the rendered map as a PNG file; false when it cannot be written.
    bool SaveImage(const QString& fileName) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    int inset_;
};
