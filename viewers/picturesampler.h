// The visible part of a zoomed picture, sampled pixel by pixel from the picture in its own format
// (a 1-bit mosaic of 12,800 x 12,700 is never converted or scaled as a whole).
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

// Formats the sampler reads directly; a picture in any other format is converted once when it
// is taken in.
bool SamplerReadsFormat(QImage::Format format);

// The `viewport`-sized window at `offset` into `picture` stretched to `zoomed`, nearest
// neighbour; what lies beyond the zoomed picture is `background`.
QImage SamplePictureView(const QImage& picture, QSize zoomed, QPoint offset, QSize viewport,
                         QColor background);
