// Geometry of one rendering of the chromosome map: the scale, the chromosomes painted and where
// their tracks lie across the map, and the conversion of base-pair positions to pixels and back.
// Built once per render from plain values, so it is tested without a widget and read by the mouse
// read-out between renders.
//
// Coordinates: "along" runs with the chromosomes (y upright, x lying), "across" is the other axis.
// Across positions here are before the across-scroll; an across offset a lies at y = height - a
// when the chromosomes lie.
#pragma once

#include <utility>

#include "records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Everything of the view that the layout reads, copied from the window at each render.
struct MapViewInputs {
    int Width = 0, Height = 0; // the paint box
    int Orientation = 1;       // 1 upright, 2 lying
    int Zoom = 1;
    int FirstChromosome = 1, LastChromosome = 25;
    int AlongScroll = 0, AcrossScroll = 0;
    bool ShowIdeogram = true;
    bool ShowBandNames = true;
    bool ShowGenes = false, ShowGeneNames = false;
    bool ShowCGH = false;
    bool ShowExpression = false; // the expression matrix is loaded
    bool ShowExpressionAnnotation = false;
    int IdeogramWidth = 15;
    int GeneNameWidth = 100;
    int ChromosomeGap = 0;
    int CGHDisplayStart = 50;  // half width of the CGH track
    int ExpressionColumns = 0; // column width x shown samples
    int ExpressionStep = 0;    // column width of one sample
    bool operator==(const MapViewInputs&) const = default;
};

// One painted chromosome and the across positions of its tracks (absent when not shown).
struct PaintedChromosome {
    int Chromosome = 0;
    int Start = 0;       // across position where its column begins
    int LabelAcross = 0; // the chromosome number's across position
    std::optional<int> Ideogram, Genes, CGH, Expression;
    int End = 0; // across position after its tracks and the gap
};

class MapGeometry {
  public:
    // The chromosomes' start lies this far along from the map's edge; the q arm a further kArmGap.
    static constexpr int kTop = 20;
    static constexpr int kArmGap = 10;

    MapGeometry() = default;
    MapGeometry(const MapViewInputs& view, const tGenomeLayout& layout);

    const MapViewInputs& View() const { return view_; }
    float Scale() const { return scale_; } // pixels per base pair
    int ShownLongestArm() const { return shownLongestArm_; }
    int ShownLongestChromosome() const { return shownLongestChromosome_; }
    const std::vector<PaintedChromosome>& Chromosomes() const { return chromosomes_; }
    // Across room of the first painted chromosome; absent when none is painted.
    std::optional<int> Pitch() const {
        return chromosomes_.empty() ? std::nullopt : std::optional<int>(chromosomes_.front().End);
    }
    int AlongExtent() const { return view_.Orientation == 2 ? view_.Width : view_.Height; }
    int AcrossExtent() const { return view_.Orientation == 2 ? view_.Height : view_.Width; }

    // The along pixel and the across position (before the across-scroll) of pixel (x, y).
    int AlongAt(int x, int y) const { return view_.Orientation == 2 ? x : y; }
    int AcrossAt(int x, int y) const;
    // The painted chromosome whose column holds an across position, or whose gene track draws
    // there beyond its column (the first of two); nullptr outside them all.
    const PaintedChromosome* ChromosomeAt(int across) const;
    // Across span [first, end) in which a chromosome's gene track draws its features and names.
    std::pair<int, int> GeneRoom(const PaintedChromosome& p) const;

    // Along pixel of base-pair position p of chromosome c, relative to the top margin and before
    // the arm gap: round((p - along-scroll + longest arm - p arm of c) x scale), held within
    // +-kPixelLimit so that margins and gaps added to it never overflow.
    int AlongPixel(int c, double position) const;
    // Base pair under an along pixel measured from the map's edge, on the common axis on which
    // every chromosome's position p lies at p + longest arm - its p arm: the inverse of AlongPixel
    // plus the top margin, the arm gap taken out beyond the centromeres (0 unless the scale is
    // positive).
    int BasePairAt(int along) const;
    // The p-arm length of chromosome c (0 outside the layout).
    int PArm(int c) const;
    int QArm(int c) const;
    // Along pixels (as AlongPixel) of the first and last base pair of arm 1 (p) or 2 (q) of c.
    std::pair<int, int> ArmSpan(int c, int arm) const;

    static constexpr int kPixelLimit = 1 << 28;
    // A pixel coordinate from a double: rounded half to even, held within +-kPixelLimit.
    static int ClampPixel(double v);

  private:
    MapViewInputs view_;
    float scale_ = 0.0f;
    int shownLongestArm_ = 0;
    int shownLongestChromosome_ = 1;
    std::array<int32_t, kLayoutSlots + 1> pArm_{};
    std::array<int32_t, kLayoutSlots + 1> qArm_{};
    std::vector<PaintedChromosome> chromosomes_;
};
