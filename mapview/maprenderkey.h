// Everything a rendering of the map reads; the cached map image is rebuilt when it changes.
#pragma once

#include "colours.h"
#include "mainglobals.h"
#include "mapgeometry.h"
#include "palette.h"

#include <array>
#include <cstdint>

struct MapRenderKey {
    MapViewInputs View;
    uint64_t DataVersion = 0;
    std::array<TColor, 101> SetColors{};
    tColouredChromosomes Coloured;
    std::array<bool, 6> GeneKinds{}; // [1..5] Gene, RNA, CDS, UTR, Pseudo ticks
    int BandResolution = 0;
    int IdeogramType = 0;
    // The names box of the CGH track lies by the main window's right edge.
    int WindowWidth = 0, WindowHeight = 0;
    int TopMargin = 20;
    tShownAnnotationKeys AnnotationKeys;
    bool operator==(const MapRenderKey&) const = default;
};
