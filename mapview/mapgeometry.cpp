#include "mapgeometry.h"

#include "numbers.h"

#include <algorithm>
#include <cmath>

namespace {
bool InLayout(int c) {
    return c >= 1 && c <= kLayoutSlots;
}

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The gene track: room for names before its line when they are shown, the line, then the names.
constexpr int kGeneNameLead = 50;
constexpr int kGeneLine = 50;

int ClampAcross(int64_t v) {
    return static_cast<int>(
        std::clamp<int64_t>(v, -MapGeometry::kPixelLimit, MapGeometry::kPixelLimit));
}
} // namespace

MapGeometry::MapGeometry(const MapViewInputs& view, const tGenomeLayout& layout) : view_(view) {
    view_.AcrossScroll = ClampAcross(view.AcrossScroll);
    for (int c = 1; c <= kLayoutSlots; ++c) {
        pArm_[c] = layout.ArmMaxEnd[c][1];
        qArm_[c] = layout.ArmMaxEnd[c][2];
    }
    if (view.FirstChromosome == view.LastChromosome) {
        const int c = view.FirstChromosome;
        shownLongestArm_ = PArm(c);
        shownLongestChromosome_ = ClampToInt(int64_t{PArm(c)} + QArm(c));
    } else {
        shownLongestArm_ = layout.LongestPArm;
        shownLongestChromosome_ = layout.LongestChromosome;
    }
    shownLongestChromosome_ = std::max(1, shownLongestChromosome_);
    scale_ = static_cast<float>(static_cast<double>(AlongExtent() - 40) / shownLongestChromosome_ *
                                view.Zoom);

    const int labelMargin = view.ShowBandNames ? 50 : 15;
    int64_t x = 0;
    const auto at = [](int64_t v) { return ClampAcross(v); };
    for (int c = std::max(1, view.FirstChromosome);
         c <= std::min(view.LastChromosome, kLayoutSlots); ++c) {
        if (!layout.Selected[c]) continue;
        PaintedChromosome p;
        p.Chromosome = c;
        p.Start = at(x);
        p.LabelAcross = at(labelMargin + x);
        if (view.ShowIdeogram) {
            p.Ideogram = at(x);
            x += view.IdeogramWidth + (view.ShowBandNames ? 45 : 20);
        }
        if (view.ShowGenes) {
            if (view.ShowGeneNames) x += kGeneNameLead;
            p.Genes = at(x);
            x += kGeneLine + (view.ShowGeneNames ? view.GeneNameWidth : 0);
        }
        if (view.ShowCGH) {
            const int64_t x0 = x + view.CGHDisplayStart + 10;
            p.CGH = at(x0);
            x = x0 + view.CGHDisplayStart + 10;
        }
        if (view.ShowExpression) {
            const int64_t x0 = x + 10;
            p.Expression = at(x0);
            x = x0 + view.ExpressionColumns + 10 + (view.ShowExpressionAnnotation ? 100 : 0);
        }
        x += view.ChromosomeGap;
        p.End = at(x);
        chromosomes_.push_back(p);
    }
}

int MapGeometry::AcrossAt(int x, int y) const {
    const int64_t a = view_.Orientation == 2 ? int64_t{view_.Height} - y : x;
    return ClampAcross(a + view_.AcrossScroll);
}

const PaintedChromosome* MapGeometry::ChromosomeAt(int across) const {
    for (const PaintedChromosome& p : chromosomes_)
        if (across >= p.Start && (across < p.End || across < GeneRoom(p).second)) return &p;
    return nullptr;
}

std::pair<int, int> MapGeometry::GeneRoom(const PaintedChromosome& p) const {
    if (!p.Genes) return {0, 0};
    // Features lie within kGeneLine of the line at the room's end; names reach further.
    const int line = *p.Genes + kGeneLine;
    if (!view_.ShowGeneNames) return {line - kGeneLine, line + kGeneLine};
    return {line - kGeneLine - kGeneNameLead, line + view_.GeneNameWidth};
}

int MapGeometry::PArm(int c) const {
    return InLayout(c) ? pArm_[c] : 0;
}

int MapGeometry::QArm(int c) const {
    return InLayout(c) ? qArm_[c] : 0;
}

std::pair<int, int> MapGeometry::ArmSpan(int c, int arm) const {
    const double from = arm == 1 ? 1 : PArm(c) + 1.0;
    const double to = from + (arm == 1 ? PArm(c) : QArm(c));
    return {AlongPixel(c, from), AlongPixel(c, to)};
}

int MapGeometry::ClampPixel(double v) {
    if (std::isnan(v)) return 0;
    return RoundToInt(std::clamp(v, -double{kPixelLimit}, double{kPixelLimit}));
}

int MapGeometry::AlongPixel(int c, double position) const {
    const double offset = double(shownLongestArm_) - PArm(c);
    return ClampPixel((position - view_.AlongScroll + offset) * double{scale_});
}

int MapGeometry::BasePairAt(int along) const {
    if (!(scale_ > 0.0f)) return 0;
    const auto at = [&](int pixels) {
        return RoundToInt(double(pixels - kTop) / double{scale_} + view_.AlongScroll);
    };
    const int bp = at(along);
    return bp > shownLongestArm_ ? at(along - kArmGap) : bp;
}
