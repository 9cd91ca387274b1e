// Times full re-renders of the chromosome map with the human ideogram, all chromosomes shown, at
// each band resolution and in both orientations: bench_map_render [IDEOGRAM [PNG]]. The map of the
// last run (orientation 1, 800 bands) is saved as PNG when a second argument is given.
#include "ideogram.h"
#include "mainwindow.h"
#include "records.h"
#include "registry.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    Registry::SetLocation(settings.filePath(QStringLiteral("registry.ini")));
    const std::string file =
        argc > 1 ? argv[1]
                 : (QCoreApplication::applicationDirPath() + QStringLiteral("/data/ideogram"))
                       .toStdString();

    TfQuorbelView w;
    w.resize(1600, 1000);
    w.show();
    QApplication::processEvents();
    std::string err;
    if (!ReadIdeogramFile(file + ";2,1,2,3,6,7,8,9,4", FeatureLists[1], GenomeLayout, IdeogramType,
                          nullptr, err)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 1;
    }
    BumpDataVersion();

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
    if (argc > 2 && !w.MapView_PB1->SaveImage(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
