// The bands of an ideogram band list (FeatureLists[1]) that the map shows at a band resolution,
// their names, and the band dump of the Utilities menu.
//
// A band row holds Num[1] chromosome, Num[2] arm (1 p, 2 q; 0 centromere, 1000 telomere), Num[3]
// band, Num[4] sub-band, Num[5] sub-sub-band (letter: 1 = a), Num[8] start, Num[9] end, Num[10] an
// extra value, Num[11] density; all are rounded where they are compared or printed.
#pragma once

#include "records.h"

#include <string>
#include <vector>

// Band resolutions of the map: arms, regions, bands, sub-bands, sub-sub-bands.
enum BandLevel {
    kLevelNone = 0,
    kLevelArms = 2,
    kLevelRegions = 10,
    kLevelBands = 100,
    kLevelSubBands = 450,
    kLevelSubSubBands = 800
};

// The one resolution at which a numbered band row is shown, or kLevelNone.
BandLevel LevelOfBand(const tFeature& band);

struct ShownBand {
    int Index = 0; // entry of the band list
    int Level = 0; // the resolution its name is built for
};

// Bands of chromosome c shown at `resolution`, in list order. Lettered ideograms (type 2) show
// every band. At 450 and 800 a band of a coarser level (band, then sub-band) also shows where no
// finer row up to the chosen level lies within its span, so undivided bands are not left blank.
std::vector<ShownBand> SelectShownBands(const tFList& bands, int c, int resolution,
                                        int ideogramType);

// Name of a band shown at `level` ("1p36.3", "xq21", "2pA1.3"); chromosome and arm parts are left
// out when they are outside 1..24 and 1..2.
std::string BandName(const tFeature& band, int level, int ideogramType);

// Every name the map draws for chromosomes 1..chromosomeCount at any band resolution, sorted,
// each once.
std::vector<std::string> AllShownBandNames(const tFList& bands, int chromosomeCount,
                                           int ideogramType);

// Lines of the ideogram dump: tag 2 the arm rows, tag 3 the rows with 0 < band < 1000 and no
// sub-band (regions included); "chromosome arm [band] TAB start TAB end TAB extra TAB density".
// Empty for other tags and an empty list.
std::vector<std::string> DumpIdeogram(const tFList& bands, int tag);
