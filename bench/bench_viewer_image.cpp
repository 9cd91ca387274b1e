// Times repaints of the image viewer (a scroll step and a zoom step) at levels 1, 100 and -30
// for a generated 50-condition plot mosaic (12,800 x 12,700 pixels, 1 bit) and a generated
// 4,000 x 3,000 colour picture (which is also encoded as PNG and decoded, once), then the group
// selector's plot scan of 10 generated conditions x 55,000 genes (100 plots, each kind, from the
// click to the shown mosaic): bench_viewer_image [RUNS]. The viewer's window is 1,000 x 800 pixels.
#include "analysis_matrix_data.h"
#include "benchtime.h"
#include "groupselector.h"
#include "imageview.h"
#include "installviewers.h"
#include "paintpane.h"
#include "pngdecode.h"
#include "random.h"
#include "registry.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
double Milliseconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// A mosaic of n x n plot cells as the plot scan draws it: black points on white, 1 bit.
QImage PlotMosaic(int n) {
    QImage mosaic(250 * n + 300, 250 * n + 200, QImage::Format_Mono);
    mosaic.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mosaic.fill(0);
    for (int y = 0; y < mosaic.height(); ++y) {
        uchar* line = mosaic.scanLine(y);
        for (int b = 0; b < mosaic.bytesPerLine(); ++b)
            if (RandomBelow(8) == 0) line[b] = uchar(1u << RandomBelow(8));
    }
    return mosaic;
}

// A colour picture of smooth gradients with noise, as a pathway map or photograph might be.
QImage ColourPicture(int w, int h) {
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb(x * 255 / w, y * 255 / h, RandomBelow(64) + (x ^ y) % 128);
    }
    return picture;
}

// Mosaics of `conditions` generated conditions of `genes` genes through the dialog.
void MeasurePlotScan(int genes, int conditions) {
    AnalysisMatrix m = GenerateAnalysisMatrix(genes, conditions, 0.01);
    m.Name = "bench";
    TdGroupSelector d;
    d.Mode = 1000;
    d.ConditionCount = conditions;
    d.HeaderRowCount = 2;
    d.HeaderTable.Resize(conditions, 1);
    for (int c = 1; c <= conditions; ++c) d.HeaderTable.Set(c, 1, QStringLiteral("cond %1").arg(c));
    d.AnalysisMatrix = &m;
    d.FormShow();
    d.List_Cond->selectAll();
    for (QAction* kind : {d.XYScatterplot1, d.RatioIntensityplot1, d.Quantileplot1}) {
        const double ms = BestTime(3, [&] {
            d.BB_ScanClick(kind);
            qDeleteAll(d.findChildren<TImageView*>());
        });
        std::printf("plot scan %d x %d genes, %-22s %7.0f ms\n", conditions, genes,
                    qPrintable(kind->text().remove(QLatin1Char('&')) + QLatin1Char(':')), ms);
    }
}

void Measure(TImageView& view, const char* name, int runs) {
    for (int level : {1, 100, -30}) {
        view.ApplyZoom(level);
        view.SB_Hor->setValue(view.SB_Hor->maximum() / 2);
        view.SB_Vert->setValue(view.SB_Vert->maximum() / 2);
        view.Image1->repaint();
        int i = 0;
        const double scroll = Time(runs, [&] {
            view.SB_Hor->setValue(view.SB_Hor->value() + (++i % 2 ? -40 : 40));
            view.Image1->repaint();
        });
        const double zoom = Time(runs, [&] {
            view.ApplyZoom(level);
            view.Image1->repaint();
        });
        std::printf("%-28s level %4d: scroll step %7.2f ms, zoom step %7.2f ms\n", name, level,
                    scroll, zoom);
    }
}
} // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    Registry::SetLocation(settings.filePath(QStringLiteral("registry.ini")));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    auto* view = new TImageView;
    view->resize(1000, 800);
    view->show();
    QApplication::processEvents();

    auto t0 = std::chrono::steady_clock::now();
    const QImage mosaic = PlotMosaic(50);
    std::printf("generated mosaic %dx%d in %.0f ms\n", mosaic.width(), mosaic.height(),
                Milliseconds(t0));
    view->SetPicture(mosaic);
    Measure(*view, "mosaic 12800x12700 1-bit", runs);

    const QImage colour = ColourPicture(4000, 3000);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    colour.save(&buffer, "PNG", 90);
    PngPicture decoded;
    std::string error;
    t0 = std::chrono::steady_clock::now();
    if (!DecodePng(std::string_view(png.constData(), size_t(png.size())), decoded, error)) {
        std::fprintf(stderr, "decode: %s\n", error.c_str());
        return 1;
    }
    std::printf("decoded 4000x3000 PNG (%lld bytes) in %.0f ms\n",
                static_cast<long long>(png.size()), Milliseconds(t0));
    view->SetPicture(colour);
    Measure(*view, "picture 4000x3000 32-bit", runs);
    delete view;

    InstallPlotViewers();
    MeasurePlotScan(55000, 10);
    return 0;
}
