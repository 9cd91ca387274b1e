// The CGH track of one chromosome: the frame with its centre and guide lines, a bar per probe of
// every active hybridisation, the significance marks of the last group test, the smoothed curves
// and the group means; and the box of hybridisation names beside the map.
#pragma once

#include "colours.h"
#include "mapgeometry.h"
#include "records.h"

#include <QSize>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

class GdiCanvas;

// Which hybridisations share hybridisation 1's probe positions and which hold them in order,
// worked out once per load: a render then computes the pixels of shared positions once.
class ProbePositionCache {
  public:
    // True when hybridisation h holds chromosome c's probes at hybridisation 1's positions.
    bool SharesPositions(const tCGH_DataSet& data, int h, int c);
    // True when h's probes on c have non-decreasing starts and ends (binary search may be used).
    bool Sorted(const tCGH_DataSet& data, int h, int c);

  private:
    // An answer holds as long as the arrays it was found on are the same generation, i.e.
    // until the next load replaces them.
    struct Known {
        uint64_t generation = 0, firstGeneration = 0;
        bool valid = false, value = false;
    };
    std::array<std::array<Known, kChromosomes + 1>, kMaxHybridisations + 1> shares_{};
    std::array<std::array<Known, kChromosomes + 1>, kMaxHybridisations + 1> sorted_{};
};

// Along pixels of the probes of one array on one chromosome: probe i (first <= i < last) spans
// A(i)..B(i); Skip(i) when it lies off the map.
class ProbePixels {
  public:
    void Compute(const tCGHProbeArray& probes, bool sorted, const MapGeometry& geometry, int c);
    int First() const { return first_; }
    int Last() const { return last_; }
    int A(int i) const { return a_[size_t(i - first_)]; }
    int B(int i) const { return b_[size_t(i - first_)]; }
    bool Skip(int i) const { return skip_[size_t(i - first_)] != 0; }

  private:
    int first_ = 1, last_ = 1;
    std::vector<int> a_, b_;
    std::vector<uint8_t> skip_;
};

// What the CGH track reads and writes besides the geometry, for one render.
struct CGHTrackSource {
    const tCGH_DataSet& Data;
    const tStat& Stat;
    ProbePositionCache& Cache;
    // Colour of each hybridisation; the smoothed curves store theirs here.
    std::array<TColor, 101>& SetColors;
    int TopMargin = 20;
};

// Draws chromosome c's CGH track centred at across position x (before the across-scroll); false
// when nothing was drawn (c beyond 24, or the track left of or beyond the map when upright).
bool DrawCGHTrack(GdiCanvas& canvas, const MapGeometry& geometry, CGHTrackSource& source, int c,
                  int x);

// The lines of the names box: per hybridisation with a file name and its active flag,
// "h - " and the value of each shown annotation key followed by ", ".
struct CGHNames {
    QStringList Lines;
    std::vector<int> Hybridisations;
};
CGHNames MakeCGHNames(const tCGH_DataSet& data, const int* keys, int keyCount);
// Size of the names box in the canvas's current font: widest line + 10 by 15 per line + 15.
QSize CGHNamesSize(GdiCanvas& canvas, const CGHNames& names);
// Writes the lines from (x, y) down, 15 pixels apart, each in its hybridisation's colour.
void WriteCGHNames(GdiCanvas& canvas, const CGHNames& names, const std::array<TColor, 101>& colours,
                   int x, int y);
