#include "cghlayers.h"

#include "gdicanvas.h"
#include "parallel.h"

#include <QRect>
#include <algorithm>
#include <numeric>

namespace {
// A track draws within DisplayStart + 4 pixels of its centre line across (the deviation marks
// reach furthest); its layer leaves room beyond that.
constexpr int kLayerMargin = 8;

int Within(int64_t v, int limit) {
    return static_cast<int>(std::clamp<int64_t>(v, 0, limit));
}
} // namespace

CGHTrackLayers::CGHTrackLayers(const MapGeometry& geometry, CGHTrackSource& source) {
    for (const PaintedChromosome& chr : geometry.Chromosomes()) {
        if (!chr.CGH) continue;
        if (const std::optional<int> C = CGHTrackCentre(geometry, chr.Chromosome, *chr.CGH))
            layers_.push_back({chr.Chromosome, *C, {}, {}, 0});
    }
    if (layers_.empty()) return;
    SetCurveColours(source.Data, source.SetColors);
    // The chromosomes with most probes first: the small ones fill the threads at the end.
    std::vector<size_t> order(layers_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const auto probes = [&](size_t k) {
        return source.Data.Hyb[1].Chr[size_t(layers_[k].Chromosome)].Count();
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return probes(a) > probes(b); });
    ParallelChunks(
        int(order.size()), [&](int k) { Draw(layers_[order[size_t(k)]], geometry, source); },
        nullptr);
    for (const Layer& layer : layers_) probes_ += layer.Probes;
}

void CGHTrackLayers::Draw(Layer& layer, const MapGeometry& geometry, CGHTrackSource& source) const {
    const MapViewInputs& view = geometry.View();
    const int W = std::max(0, view.Width), H = std::max(0, view.Height);
    const int64_t reach = int64_t{source.Data.DisplayStart} + kLayerMargin;
    const int64_t lo = layer.Centre - reach, hi = layer.Centre + reach; // across, both drawn
    QRect rect;
    int C = layer.Centre, height = H;
    if (view.Orientation == 2) {
        // Across position a lies in row H - a.
        const int y0 = Within(H - hi, H), y1 = Within(H - lo + 1, H);
        rect = QRect(0, y0, W, y1 - y0);
        height = H - y0;
    } else {
        const int x0 = Within(lo, W), x1 = Within(hi + 1, W);
        rect = QRect(x0, 0, x1 - x0, H);
        C -= x0;
    }
    if (rect.isEmpty()) return;
    layer.Image = QImage(rect.size(), QImage::Format_ARGB32_Premultiplied);
    if (layer.Image.isNull()) return;
    layer.Origin = rect.topLeft();
    layer.Image.fill(0);
    GdiCanvas canvas(layer.Image);
    layer.Probes = DrawCGHTrackAt(canvas, geometry, source, layer.Chromosome, C, height);
}

bool CGHTrackLayers::Paint(QImage& map, int c) const {
    const auto layer = std::find_if(layers_.begin(), layers_.end(),
                                    [c](const Layer& l) { return l.Chromosome == c; });
    if (layer == layers_.end()) return false;
    const QPoint o = layer->Origin;
    const QRect rect = QRect(o, layer->Image.size()) & map.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(layer->Image.constScanLine(y - o.y()));
        auto* to = reinterpret_cast<QRgb*>(map.scanLine(y));
        // Every pixel the track drew is opaque: those replace the map's, the others keep it.
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qAlpha(from[x - o.x()]) != 0) to[x] = from[x - o.x()];
    }
    return true;
}
