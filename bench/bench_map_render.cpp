// Times full re-renders of the chromosome map with the human ideogram, all chromosomes shown, at
// each band resolution and in both orientations; then with the CGH track of 50 hybridisations of
// PROBES probes each (default 1,000,000), and a paint that only copies the cached image:
// bench_map_render [IDEOGRAM [PNG [PROBES]]]. The last map (orientation 1, 800 bands, CGH track)
// is saved as PNG when a second argument is given.
#include "benchapp.h"
#include "benchtime.h"
#include "mainwindow.h"
#include "mapbench.h"
#include "records.h"
#include "synthetic_cgh.h"

#include <QAction>
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const BenchApplication app(argc, argv);

    TfQuorbelView w;
    w.resize(1600, 1000);
    w.show();
    QApplication::processEvents();
    if (!LoadBenchIdeogram(argc > 1 ? argv[1] : "")) return 1;

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

    const int probes = argc > 3 ? std::atoi(argv[3]) : 1000000;
    synthetic::Fill(CGHData, probes, kMaxHybridisations, {}, 0.3, "hyb");
    BumpDataVersion();
    w.TB_CGHClick();
    BumpDataVersion(); // the first render after a load compares the probe positions
    const double first = Time(1, [&] { w.MapView_PB1Paint(); });
    const double full = Time(10, [&] { w.MapView_PB1Paint(); });
    const double copy = Time(50, [&] { w.MapView_PB1->repaint(); });
    std::printf("CGH track, %d hybridisations x %d probes, orientation %d, zoom %d, %dx%d:\n"
                "  first render after the load %.1f ms, full re-render %.1f ms, "
                "paint of the cached image %.2f ms\n",
                kMaxHybridisations, probes, w.Orientation, w.Zoom, w.width(), w.height(), first,
                full, copy);

    if (argc > 2 && !w.MapView_PB1->SaveImage(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
