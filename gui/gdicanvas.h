// A canvas over an image that draws as the Windows drawing calls the map's painters were written
// for: rectangles and lines leave out their right and bottom edges (a line its end point), text is
// placed by the top-left corner of its cell, and font sizes are points at 96 dots per inch.
#pragma once

#include "colours.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

class GdiCanvas {
  public:
    // Paints on `image` until the canvas is destroyed; pen black, brush white, font 8 points.
    explicit GdiCanvas(QImage& image);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    QImage& Image() { return image_; }
    QPainter& Painter() { return painter_; }

    // Pen of one pixel; Qt::NoPen draws no outline; dashes, dots and dash-dot-dot follow Windows.
    void SetPen(TColor colour, Qt::PenStyle style = Qt::SolidLine);
    // Width of the rectangles' outline, centred on their one-pixel outline as a wide Windows pen
    // is (lines keep one pixel).
    void SetPenWidth(int width);
    void SetBrush(TColor colour); // solid
    void ClearBrush();            // no fill; text is drawn without background
    void SetFont(int points, TColor colour);

    // Fills and outlines the rectangle spanned by the two corners (in any order), right and bottom
    // edges excluded; without a pen the fill is one pixel smaller each way, as in Windows.
    void Rectangle(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y);
    // Line from the current position to (x, y), the end point excluded; (x, y) becomes current.
    void LineTo(int x, int y);
    // Text with its cell's top-left corner at (x, y), on the brush colour unless the brush is
    // clear.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;

  private:
    QImage& image_;
    QPainter painter_;
    TColor pen_ = 0;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    int penWidth_ = 1;
    TColor brush_ = 0xFFFFFF;
    bool brushClear_ = false;
    TColor fontColour_ = 0;
    QFont font_;
    int penX_ = 0, penY_ = 0;
};
