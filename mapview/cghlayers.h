// The CGH tracks of one render of the map, drawn at once on several threads, each into a layer of
// its own, then laid onto the map one by one where the map draws them: the map is the same as with
// the tracks drawn on it one after another, in a fraction of the time.
#pragma once

#include "cghtrack.h"

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <vector>

class CGHTrackLayers {
  public:
    // Draws the tracks of the painted chromosomes of `geometry` for a map of its size, having set
    // the curve colours when any track is drawn.
    CGHTrackLayers(const MapGeometry& geometry, CGHTrackSource& source);
    // Lays chromosome c's track onto the map; false when c has no track drawn.
    bool Paint(QImage& map, int c) const;
    // Probe bars drawn in all the tracks.
    int64_t ProbesDrawn() const { return probes_; }

  private:
    struct Layer {
        int Chromosome = 0, Centre = 0;
        QPoint Origin; // of the layer on the map
        QImage Image;  // transparent where the track draws nothing
        int64_t Probes = 0;
    };
    void Draw(Layer& layer, const MapGeometry& geometry, CGHTrackSource& source) const;
    std::vector<Layer> layers_;
    int64_t probes_ = 0;
};
