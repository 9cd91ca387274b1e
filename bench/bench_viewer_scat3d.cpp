// Times the 3D scatter plot: full renders of POINTS points (default 1,000,000) on six series in a
// 1000 x 800 window, with markers of every radius and shape and with every point a pixel; a paint
// that copies the cached scene; "Load 6 series" of a text file of POINTS lines; and the FCS import
// of POINTS events: bench_viewer_scat3d [POINTS]. Times are means over several runs.
#include "benchtime.h"
#include "fcs_file_writer.h"
#include "registry.h"
#include "scat3d.h"
#include "scat3d_data.h"
#include "scat3dscene.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <span>
#include <vector>

namespace {
void WriteFile(const QString& name, const std::string& bytes) {
    std::ofstream(name.toStdString(), std::ios::binary).write(bytes.data(), bytes.size());
}
} // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    Registry::SetLocation(dir.filePath(QStringLiteral("registry.ini")));
    const int32_t n = argc > 1 ? std::atoi(argv[1]) : 1000000;

    const Scat3DSeries data = MakeScat3DSeries(n);
    TScatPlot_3D plot;
    plot.ResetView();
    const char* names[6] = {"X", "Y", "Z", "Size", "Color", "Marker"};
    for (int c = 0; c < 6; ++c) AddSeries(plot.Series, 0, names[c], data.columns[c]);
    // Sizes up to a radius of 12: the Size series zoomed to 106 % (the cube gives 1.19 x).
    plot.Series.SeriesView[4].ZoomPercent = 106;
    plot.View.AngleX = 30;
    plot.View.AngleY = 20;
    plot.View.AngleZ = 10;
    plot.View.Zoom = 1.5f;
    QImage image(1000, 800, QImage::Format_RGB32);
    const int runs = 10;
    const double markers = Time(runs, [&] { RenderScene(image, plot.View, plot.Series); });
    std::printf("render %d points, markers of radius 0..12: %.1f ms\n", n, markers);

    std::vector<float> zero(n, 0.0f);
    AddSeries(plot.Series, 4, "Size", zero); // every point a pixel
    const double pixels = Time(runs, [&] { RenderScene(image, plot.View, plot.Series); });
    std::printf("render %d points as pixels: %.1f ms\n", n, pixels);

    QImage window(1000, 800, QImage::Format_RGB32);
    const double paint = Time(runs, [&] {
        QPainter painter(&window);
        painter.drawImage(0, 0, image);
    });
    std::printf("paint copying the cached scene: %.2f ms\n", paint);

    const QString text = dir.filePath(QStringLiteral("six.txt"));
    const std::string bytes = Scat3DText(data);
    WriteFile(text, bytes);
    const double load = Time(3, [&] { plot.LoadSixSeries(text); });
    std::printf("Load 6 series, %d lines (%.1f MB): %.0f ms\n", plot.Series.PointCount,
                bytes.size() / 1e6, load);

    const QString fcs = dir.filePath(QStringLiteral("events.fcs"));
    WriteFile(fcs, fcsfile::FixedLayoutFile(n));
    const double import = Time(3, [&] { plot.ImportFCS(fcs); });
    std::printf("FCS import, %d events: %.0f ms\n", plot.Series.PointCount, import);
    return 0;
}
