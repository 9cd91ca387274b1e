#include "ideogrampainter.h"

#include "gdicanvas.h"
#include "ideogrambands.h"
#include "numbers.h"
#include "textrotated.h"

#include <algorithm>

namespace {
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

TColor Grey(int density) {
    const auto g = static_cast<uint8_t>(static_cast<unsigned>(RoundToInt(255.0 - 2.5 * density)));
    return RGBColor(g, g, g);
}

// Top of an arm's rows: 20 for p, 30 for q (centromere and telomere rows by the same rule).
int ArmTop(int arm) {
    return MapGeometry::ClampPixel(MapGeometry::kTop + (double(arm) - 1) * MapGeometry::kArmGap);
}
} // namespace

IdeogramSource::IdeogramSource(const tFList& bands, const tGenomeLayout& layout, int ideogramType,
                               const tColouredChromosomes& colours)
    : bands_(bands), layout_(layout), ideogramType_(ideogramType), colours_(colours) {
    if (!colours.ColouredChromosomeMode) return;
    const qsizetype n =
        std::min<qsizetype>(colours.PatternNames.size(), qsizetype(colours.PatternValues.size()));
    for (qsizetype i = 0; i < n; ++i)
        pattern_.insert(colours.PatternNames[i], colours.PatternValues[size_t(i)]);
}

TColor IdeogramSource::BandFill(const QString& name, int density) const {
    const TColor grey = Grey(density);
    if (!colours_.ColouredChromosomeMode) return grey;
    const auto it = pattern_.constFind(name);
    if (it == pattern_.constEnd()) return grey;
    const int i = PaletteIndex(it.value(), colours_.PaletteScaleKind, colours_.PaletteMin,
                               colours_.PaletteMax);
    return i < 0 ? grey : colours_.PaletteColours[size_t(i)];
}

void DrawIdeogram(GdiCanvas& canvas, const MapGeometry& geometry, const IdeogramSource& source,
                  int c, int x) {
    const MapViewInputs& view = geometry.View();
    const bool names = view.ShowBandNames;
    const int H = view.Height;
    const int W = view.IdeogramWidth;
    const int left = x + (names ? 45 : 10) - view.AcrossScroll;
    const bool upright = view.Orientation != 2;

    canvas.SetPen(kBlack);
    canvas.SetBrush(kWhite);
    for (int arm = 1; arm <= 2; ++arm) {
        const auto [a, b] = geometry.ArmSpan(c, arm);
        const int top = ArmTop(arm);
        if (upright) {
            if (arm == 2)
                canvas.Rectangle(left + W / 3, 30 + a - 9, left + 2 * (W / 3), 30 + a - 1);
            canvas.Rectangle(left, top + a - 1, left + W, top + b + 1);
        } else {
            canvas.Rectangle(top + a - 1, H - left, top + b + 1, H - left - W);
        }
    }

    const tFList& bands = source.Bands();
    const int type = source.IdeogramType();
    canvas.SetFont(8, kBlack);
    for (const ShownBand& shown :
         SelectShownBands(bands, c, source.Layout().BandResolution, type)) {
        const tFeature& band = bands[size_t(shown.Index)];
        const QString name = QString::fromStdString(BandName(band, shown.Level, type));
        int d = RoundToInt(band.Num[11]);
        const TColor fill = source.BandFill(name, d);
        if (source.Colours().ColouredChromosomeMode) d = 1;
        const int inset = d != 0 ? 1 : 0;
        canvas.SetPen(d != 0 ? fill : kBlack);
        canvas.SetBrush(fill);
        const int top = ArmTop(RoundToInt(band.Num[2]));
        const int a = geometry.AlongPixel(c, band.Num[8]), b = geometry.AlongPixel(c, band.Num[9]);
        if (upright)
            canvas.Rectangle(left + inset, top + a, left + W - inset, top + b);
        else
            canvas.Rectangle(top + a, H - left - inset, top + b, H - left - W + inset);
        if (!names) continue;
        const int m = (a + b) / 2;
        canvas.ClearBrush();
        const int w = canvas.TextWidth(name) + 2;
        if (upright)
            canvas.TextOut(left - w, top + m, name);
        else
            TextOutRotated(name, canvas.Painter(), 8, kBlack, 90, H - (left - w), top + m);
    }
}
