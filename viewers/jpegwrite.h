// JPEG pictures through libjpeg: baseline, three colour components.
#pragma once

#include <QImage>
#include <QString>

// Compresses the image at `quality` (1..100) and writes it to a temporary file renamed over
// `fileName`; false with `error` set when compressing or writing failed (the target then stays
// as it was).
bool SaveJpeg(const QImage& image, const QString& fileName, int quality, QString& error);
