// Globals of the main window's unit, shared with the tools it opens.
#pragma once

#include "colours.h"

#include <QString>
#include <array>

// Colour of each hybridisation 1..100 in the CGH track (entry 0 holds nothing).
extern std::array<TColor, 101> SetColors;
extern bool DetailViewerOpen;
extern int GeneNameWidth;
extern int ChromosomeGap;
// Base address of the gene database that a double click on the map searches (a setting).
extern QString GeneDatabaseAddress;
extern const QString kDefaultGeneDatabase;
// Whether `address` may serve as the gene database: an http or https address with a host. The
// desktop would open any other scheme (a script, a local file, a share) as well.
bool IsGeneDatabaseAddress(const QString& address);
// Width of the expression track of the last render (column width x shown samples).
extern int ExpressionTrackWidth;

// Hybridisation-annotation keys written beside each hybridisation's name in the CGH track.
struct tShownAnnotationKeys {
    int Count = 1;
    std::array<int, 101> Key{0, 1};
    bool operator==(const tShownAnnotationKeys&) const = default;
};
extern tShownAnnotationKeys ShownAnnotationKeys;

// Fills SetColors with the program's default hybridisation colours.
void SetDefaultColors();
