#include "picturesampler.h"

#include <algorithm>
#include <vector>

bool SamplerReadsFormat(QImage::Format format) {
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return true;
    default:
        return false;
    }
}

QImage SamplePictureView(const QImage& picture, QSize zoomed, QPoint offset, QSize viewport,
                         QColor background) {
    QImage view(viewport.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    const QRgb fill = background.rgb();
    view.fill(fill);
    const int w = picture.width(), h = picture.height();
    if (w < 1 || h < 1 || zoomed.width() < 1 || zoomed.height() < 1) return view;
    const QImage::Format format = picture.format();
    if (!SamplerReadsFormat(format)) return view;

    // Source column of every view column once; -1 beyond the picture.
    std::vector<int> column(static_cast<size_t>(view.width()));
    for (int x = 0; x < view.width(); ++x) {
        const int64_t zx = int64_t(x) + offset.x();
        column[x] = zx >= 0 && zx < zoomed.width() ? int(zx * w / zoomed.width()) : -1;
    }
    QList<QRgb> table = picture.colorTable();
    for (QRgb& c : table) c |= 0xFF000000u;
    const auto colourAt = [&](int index) {
        return index < table.size() ? table[index] : (index ? 0xFFFFFFFFu : 0xFF000000u);
    };
    for (int y = 0; y < view.height(); ++y) {
        const int64_t zy = int64_t(y) + offset.y();
        if (zy < 0 || zy >= zoomed.height()) continue;
        const int sy = int(zy * h / zoomed.height());
        const uchar* src = picture.constScanLine(sy);
        auto* out = reinterpret_cast<QRgb*>(view.scanLine(y));
        for (int x = 0; x < view.width(); ++x) {
            const int sx = column[x];
            if (sx < 0) continue;
            switch (format) {
            case QImage::Format_Mono:
                out[x] = colourAt((src[sx >> 3] >> (7 - (sx & 7))) & 1);
                break;
            case QImage::Format_MonoLSB:
                out[x] = colourAt((src[sx >> 3] >> (sx & 7)) & 1);
                break;
            case QImage::Format_Indexed8:
                out[x] = colourAt(src[sx]);
                break;
            default:
                out[x] = reinterpret_cast<const QRgb*>(src)[sx] | 0xFF000000u;
                break;
            }
        }
    }
    return view;
}
