// Times full re-renders of the chromosome map with the human ideogram, all chromosomes shown, at
// each band resolution and in both orientations; then with the CGH track of HYBS hybridisations
// of PROBES probes each on a map wide enough for all chromosomes, and a paint that only copies the
// cached image:
// bench_map_render [HYBS=50 [PROBES=1000000 [IDEOGRAM [PNG]]]]. The last map (orientation 1,
// 800 bands, CGH track) is saved as PNG when PNG is given.
#include "benchapp.h"
#include "benchtime.h"
#include "mainwindow.h"
#include "mapbench.h"
#include "mapgeometry.h"
#include "records.h"
#include "synthetic_cgh.h"

#include <QAction>
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// Room at the map's right edge for the box of hybridisation names.
constexpr int kNamesRoom = 200;
} // namespace

int main(int argc, char** argv) {
    const BenchApplication app(argc, argv);
    const int hybs = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, kMaxHybridisations) : 50;
    const int probes = argc > 2 ? std::max(std::atoi(argv[2]), kChromosomes) : 1000000;

    TfQuorbelView w;
    w.resize(1600, 1000);
    w.show();
    QApplication::processEvents();
    if (!LoadBenchIdeogram(argc > 3 ? argv[3] : "")) return 1;

    const int runs = 50;
    for (int orientation : {2, 1}) {
        if (w.Orientation != orientation) w.TB_SetOrientationClick();
        for (QAction* item : {w.POM_IdeoGram_ResArms, w.POM_IdeoGram_ResBands,
                              w.POM_IdeoGram_ResSubBands, w.GSubSubBanding8001}) {
            w.Ideogram_SetResolution(item);
            const auto t0 = std::chrono::steady_clock::now();
            for (int i = 0; i < runs; ++i) w.MapView_PB1Paint();
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count() /
                runs;
            std::printf("orientation %d, resolution %3d: %.2f ms per render (%dx%d)\n", orientation,
                        GenomeLayout.BandResolution, ms, w.MapView_PB1->width(),
                        w.MapView_PB1->height());
        }
    }

    synthetic::Fill(CGHData, probes, hybs, {}, 0.3, "hyb");
    BumpDataVersion();
    // The view is widened until every chromosome's tracks lie in it, with room for the box of
    // hybridisation names at the right edge.
    MapViewInputs view = w.CurrentRenderKey().View;
    view.ShowCGH = true;
    const int pitch = MapGeometry(view, GenomeLayout).Pitch().value_or(0);
    w.resize(w.width() - view.Width + pitch * GenomeLayout.ChromosomeCount + kNamesRoom,
             w.height());
    QApplication::processEvents();
    w.POM_CGH_View->setChecked(true);
    // The first render after a load compares the probe positions of the hybridisations.
    const double first = Time(1, [&] { w.MapView_PB1Paint(); });
    const double full = MedianTime(15, [&] { w.MapView_PB1Paint(); });
    const double copy = MedianTime(50, [&] { w.MapView_PB1->repaint(); });
    int shown = 0;
    for (const PaintedChromosome& chr : w.MapLayout.Chromosomes())
        shown += chr.CGH && *chr.CGH + view.CGHDisplayStart + 2 <= w.MapView_PB1->width();
    std::printf("CGH track, %d hybridisations x %d probes, orientation %d, zoom %d, map %dx%d:\n"
                "  %d chromosomes drawn whole, %lld probe bars drawn\n"
                "  first render after the load %.1f ms, full re-render %.1f ms (median), "
                "paint of the cached image %.2f ms (median)\n",
                hybs, probes, w.Orientation, w.Zoom, w.MapView_PB1->width(),
                w.MapView_PB1->height(), shown, static_cast<long long>(w.MapProbesDrawn), first,
                full, copy);

    if (argc > 4 && !w.MapView_PB1->SaveImage(QString::fromLocal8Bit(argv[4]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
