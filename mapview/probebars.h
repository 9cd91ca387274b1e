// Solid blocks written straight into the scanlines of an RGB32 image, for the thousands of probe
// bars and marks a map render draws (a painter call per bar costs hundreds of times more).
// Blocks are given as GdiCanvas::Rectangle takes them: two corners in any order, right and bottom
// edges left out, clipped to the image.
#pragma once

#include "colours.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <vector>

// Writes a block in one colour: the pixels a pen-outlined rectangle without room for an inside
// (at most two pixels wide or high) covers.
void FillBlock(QImage& image, int x1, int y1, int x2, int y2, TColor colour);

// Collects blocks of one colour in a track as a bit mask and then writes them all at once: blocks
// of one colour may be drawn in any order, so a hybridisation's many bars cost a bit operation
// each. Blocks are spans along (rows when upright) by spans across, half-open, across counted from
// `acrossBase`; lying, an across position a is the image row height - a.
class TrackMask {
  public:
    TrackMask(const QImage& image, bool lying, int acrossBase, int acrossWidth);
    // Adds the block [along0, along1) x [across0, across1). Blocks with the same along span in a
    // row (as sorted probes have) are merged before they reach the mask.
    void Add(int along0, int along1, int across0, int across1) {
        if (along0 != along0_ || along1 != along1_) Commit(along0, along1);
        across0 = std::max(across0 - base_, 0);
        across1 = std::min(across1 - base_, width_);
        for (int x = across0; x < across1; ++x) pending_[size_t(x >> 6)] |= uint64_t{1} << (x & 63);
    }
    // Adds the block [along0, along1) x [across, across + 2), along0 < along1.
    void AddPair(int along0, int along1, int across) {
        if (along0 != along0_ || along1 != along1_) Commit(along0, along1);
        const unsigned x = unsigned(across - base_);
        if (x + 1 >= unsigned(width_)) {
            Add(along0, along1, across, across + 2);
            return;
        }
        pending_[x >> 6] |= uint64_t{1} << (x & 63);
        pending_[(x + 1) >> 6] |= uint64_t{1} << ((x + 1) & 63);
    }
    // Writes every collected pixel in `colour` and empties the mask.
    void Flush(QImage& image, TColor colour);

  private:
    void Commit(int along0, int along1);
    bool lying_ = false;
    int height_ = 0, base_ = 0, width_ = 0, words_ = 0, alongCount_ = 0;
    int along0_ = 0, along1_ = 0;
    int minRow_ = 0, maxRow_ = -1; // along rows holding bits
    std::vector<uint64_t> bits_, pending_;
};
