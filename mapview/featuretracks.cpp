#include "featuretracks.h"

#include "gdicanvas.h"
#include "numbers.h"
#include "textrotated.h"

#include <QPoint>
#include <algorithm>
#include <cmath>

namespace {
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kRed = 0x0000FF;

struct GeneStyle {
    int tick; // index of the menu tick that shows the kind
    TColor pen;
    int factor;
    int halfWidth;
};
// By kind 1 GENE, 2 RNA, 3 CDS, 4 UTR, 5 PSEUDO.
constexpr std::array<GeneStyle, 6> kStyles = {{{0, 0, 0, 0},
                                               {1, 0xFF0000, 7, 1},
                                               {2, 0x000000, 19, 3},
                                               {1, 0xFF0000, 7, 3},
                                               {4, 0x800080, 26, 3},
                                               {5, 0x0000FF, 33, 3}}};

QPoint At(bool lying, int height, int across, int along) {
    return lying ? QPoint(along, height - across) : QPoint(across, along);
}

// Along pixels of an item from start to end on chromosome c, with the arm gap on the q arm.
void ItemPixels(const MapGeometry& g, int c, double start, double end, int& a, int& b) {
    const int gap = start >= g.PArm(c) ? MapGeometry::kArmGap : 0;
    a = g.AlongPixel(c, start) + gap;
    b = g.AlongPixel(c, end) + gap;
}
} // namespace

int TrackFontSize(float scale) {
    if (scale > 0.05f) return 14;
    if (scale > 0.01f) return 12;
    if (scale > 0.001f) return 10;
    if (scale > 0.0001f) return 8;
    if (scale > 0.00001f) return 6;
    return 2;
}

void DrawGeneTrack(GdiCanvas& canvas, const MapGeometry& geometry, const tFList& genes,
                   const std::array<bool, 6>& kinds, int c, int x) {
    const MapViewInputs& view = geometry.View();
    const bool lying = view.Orientation == 2;
    const int H = view.Height;
    if (!lying && (x - view.AcrossScroll < 1 || x - view.AcrossScroll > view.Width)) return;
    const int L = x + 50 - view.AcrossScroll;
    const int top0 = MapGeometry::kTop;
    const auto rect = [&](int c1, int l1, int c2, int l2) {
        const QPoint p = At(lying, H, c1, l1), q = At(lying, H, c2, l2);
        canvas.Rectangle(p.x(), p.y(), q.x(), q.y());
    };

    canvas.SetPen(kBlack);
    canvas.SetBrush(kWhite);
    for (int arm = 1; arm <= 2; ++arm) {
        const auto [a, b] = geometry.ArmSpan(c, arm);
        const int top = top0 + (arm == 2 ? MapGeometry::kArmGap : 0);
        rect(L, top + a - 1, L + 1, top + b + 1);
    }

    const int far = geometry.AlongExtent();
    const int fontSize = TrackFontSize(geometry.Scale());
    int plus = -1, minus = -1;
    const int count = FeatureCount(genes);
    for (int i = 1; i <= count; ++i) {
        const tFeature& f = genes[size_t(i)];
        if (RoundToInt(f.Num[1]) != c) continue;
        const int kind = RoundToInt(f.Num[5]);
        const int strand = std::clamp(RoundToInt(f.Num[4]), -1, 1);
        if (kind == 1) {
            if (strand > 0) plus = plus != 0 ? 0 : 5;
            if (strand < 0) minus = minus != 0 ? 0 : -5;
        }
        if (kind < 1 || kind > 5 || !kinds[size_t(kStyles[size_t(kind)].tick)]) continue;
        int a = 0, b = 0;
        ItemPixels(geometry, c, f.Num[2], f.Num[3], a, b);
        if (a > far) break; // features lie in position order
        if (b < 1) continue;
        const GeneStyle& style = kStyles[size_t(kind)];
        const bool marked = f.Num[15] > 0;
        const TColor pen = marked ? kRed : style.pen;
        canvas.SetPen(pen);
        const int s = RoundToInt(double(style.factor) * strand) + (strand > 0   ? plus
                                                                   : strand < 0 ? minus
                                                                                : 0);
        const int m = (a + b) / 2;
        if (a == b) b = a + 1;
        const int top = top0;
        rect(L + s + style.halfWidth, top + a, L + s - style.halfWidth, top + b);
        if (marked) rect(L - 40, top + a, L + 40, top + b);
        if (!view.ShowGeneNames || kind == 3) continue;
        const QString name = QString::fromStdString(f.Name);
        canvas.SetFont(fontSize, pen);
        canvas.ClearBrush();
        const int w = canvas.TextWidth(name) + 2;
        const int o = strand >= 0 ? 42 : -(w + 42);
        if (lying)
            TextOutRotated(name, canvas.Painter(), fontSize, kBlack, 90, H - (L + o),
                           m + 2 * fontSize);
        else
            canvas.TextOut(L + o, top0 + m - fontSize / 2, name);
    }
}

int DrawExpressionTrack(GdiCanvas& canvas, const MapGeometry& geometry, const tHeatmap& matrix,
                        float alpha, int topMargin, int c, int x) {
    const int shown = std::clamp(matrix.SampleOrder[0], 0, kMaxSamples);
    const int step = matrix.DisplayStep;
    const int width = step * shown;
    if (!matrix.ShowExpressionTrack || matrix.FileName.empty() || c < 1 || c > 24) return width;
    const MapViewInputs& view = geometry.View();
    const bool lying = view.Orientation == 2;
    const int H = view.Height;
    const int E = x - view.AcrossScroll;
    if (!lying && (E < 1 || E > view.Width)) return width;
    const float scale = matrix.DisplayScale;
    const bool colours = scale > 0; // a scale of 0 or below gives no colour
    const int far = geometry.AlongExtent();
    const int genes = std::min<int64_t>(matrix.GeneCount, int64_t(matrix.GAnno.size()) - 1);
    const int samples = std::min<int64_t>(matrix.SampleCount, int64_t(matrix.Data.size()) - 1);
    const std::vector<float>* pValues = matrix.Data.empty() ? nullptr : &matrix.Data[0];
    const int annotation = std::clamp(matrix.DisplayMode, 0, kGeneAnnotationColumns);
    const int fontSize = TrackFontSize(geometry.Scale());
    const auto rect = [&](int c1, int l1, int c2, int l2) {
        const QPoint p = At(lying, H, c1, l1), q = At(lying, H, c2, l2);
        canvas.Rectangle(p.x(), p.y(), q.x(), q.y());
    };

    for (int g = 1; g <= genes; ++g) {
        const tHeatmap_GAnno& gene = matrix.GAnno[size_t(g)];
        if (gene.Chr != c) continue;
        int a = 0, b = 0;
        ItemPixels(geometry, c, gene.Start, gene.Stop, a, b);
        if (b < 1 || a > far) continue;
        const int m = (a + b) / 2;
        if (a == b) b = a + 2;
        if (!pValues || size_t(g) >= pValues->size() || !((*pValues)[size_t(g)] <= alpha)) continue;
        for (int k = 1; k <= shown && colours; ++k) {
            const int s = matrix.SampleOrder[size_t(k)];
            if (s < 1 || s > samples || size_t(g) >= matrix.Data[size_t(s)].size()) continue;
            const float value = matrix.Data[size_t(s)][size_t(g)];
            if (std::isnan(value)) continue;
            const double w = double(value) * 255 / double(scale);
            const int i = std::min(255, std::abs(RoundToInt(w)));
            const TColor colour = w >= 0 ? RGBColor(i, 0, 0) : RGBColor(0, i, 0);
            canvas.SetPen(colour);
            canvas.SetBrush(colour);
            rect(E + step * (k - 1), topMargin + a, E + step * k, topMargin + b);
        }
        if (!matrix.DisplayFlag) continue;
        canvas.ClearBrush();
        const QString text = QString::fromStdString(gene.Str[size_t(annotation)]);
        if (lying) {
            TextOutRotated(text, canvas.Painter(), fontSize, kBlack, 90, H - (E + width + 5),
                           topMargin + m);
        } else {
            canvas.SetFont(fontSize, kBlack);
            canvas.TextOut(E + width + 5, topMargin + m - fontSize / 2, text);
        }
    }
    return width;
}
