// Solid blocks written straight into the scanlines of an RGB32 (or premultiplied ARGB32) image, for
// the thousands of probe bars and marks a map render draws (a painter call per bar costs hundreds
// of times more). Blocks are given as GdiCanvas::Rectangle takes them: two corners in any order,
// right and bottom edges left out, clipped to the image.
#pragma once

#include "colours.h"

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <vector>

// Writes a block in one colour: the pixels a pen-outlined rectangle without room for an inside
// (at most two pixels wide or high) covers.
void FillBlock(QImage& image, int x1, int y1, int x2, int y2, TColor colour);

// Collects blocks of one colour in a track as a bit mask and then writes them all at once: blocks
// of one colour may be drawn in any order, so a hybridisation's many bars cost two byte stores
// each. Across positions count from `acrossBase`; lying, an across position a is the image row
// height - a.
class TrackMask {
  public:
    TrackMask(const QImage& image, bool lying, int height, int acrossBase, int acrossWidth);
    // The marks for the next Commit, one byte per across position 0..acrossWidth - 1 from
    // acrossBase, each 0 or 1 (1: marked).
    uint8_t* Marks() { return marks_.data(); }
    // Adds the marked positions over the along rows [along0, along1) and clears the marks.
    void Commit(int along0, int along1);
    // Writes every collected pixel in `colour` and empties the mask.
    void Flush(QImage& image, TColor colour);

  private:
    bool lying_ = false;
    int height_ = 0, base_ = 0, width_ = 0, words_ = 0, alongCount_ = 0;
    int minRow_ = 0, maxRow_ = -1; // along rows holding bits
    std::vector<uint64_t> bits_;
    std::vector<uint8_t> marks_; // one byte per across position, padded to whole words
};
