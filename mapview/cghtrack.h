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
#include <optional>
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

// Along pixels of the probes of one array on one chromosome, in runs of consecutive probes that
// span the same pixels (thousands of probes share a few rows of a whole-genome map, so the track
// works run by run). The runs hold the probes considered in order; those off the map are in runs
// marked Skip.
class ProbePixels {
  public:
    struct Run {
        int First = 0, Last = 0; // probes First <= i < Last
        int A = 0, B = 0;        // along pixels spanned
        bool Skip = false;
    };
    void Compute(const tCGHProbeArray& probes, bool sorted, const MapGeometry& geometry, int c);
    const std::vector<Run>& Runs() const { return runs_; }

  private:
    std::vector<Run> runs_;
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

// Across position of chromosome c's centre line on the map for its track at x (before the
// across-scroll); absent when the track is not drawn (c beyond 24, or upright the line left of or
// beyond the map).
std::optional<int> CGHTrackCentre(const MapGeometry& geometry, int c, int x);

// With the smoothed curves shown, gives the k-th active hybridisation the k-th curve colour, which
// its bars and its name then take too.
void SetCurveColours(const tCGH_DataSet& data, std::array<TColor, 101>& colours);

// Draws chromosome c's track with its centre line at across position C on an image where an
// across position a lies in column a (upright) or row `height` - a (lying): the map, or a part of
// it with the positions moved to suit. Returns the number of probe bars drawn. Of the source it
// writes only the position cache's entries of c, so several chromosomes may be drawn at once.
int64_t DrawCGHTrackAt(GdiCanvas& canvas, const MapGeometry& geometry, CGHTrackSource& source,
                       int c, int C, int height);

// Draws chromosome c's CGH track centred at across position x (before the across-scroll) straight
// onto the map, after setting the curve colours: the number of probe bars drawn; absent when the
// track is not drawn. The map draws its tracks through CGHTrackLayers, which gives the same pixels.
std::optional<int64_t> DrawCGHTrack(GdiCanvas& canvas, const MapGeometry& geometry,
                                    CGHTrackSource& source, int c, int x);

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
