// Times the 2D scatter viewer at the size of a large flow-cytometry run: bench_viewer_scatter
// [EVENTS] (default 1,000,000). An FCS file of EVENTS events in the fixed layout imported into
// series 1; then, with half the points selected, a full re-render of an 800 x 800 plot (on linear
// axes, then on log axes: the first render after a range change and the next ones), a paint
// that copies the cached picture with a rubber band, a rectangle selection; and an annotation
// search with three terms over EVENTS annotations. Times are means over a few runs.
#include "benchapp.h"
#include "benchtime.h"
#include "dialoghooks.h"
#include "fcs_file_writer.h"
#include "random.h"
#include "scatterrender.h"
#include "scattersearch.h"
#include "scatterview.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
void Line(const char* what, double ms) {
    std::printf("%-52s %8.2f ms\n", what, ms);
}
} // namespace

int main(int argc, char** argv) {
    const BenchApplication app(argc, argv);
    const int events = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 1000000;

    const QString fcsPath = app.FilePath(QStringLiteral("events.fcs"));
    {
        const std::string bytes = fcsfile::FixedLayoutFile(events);
        QFile f(fcsPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), qint64(bytes.size())) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(fcsPath));
            return 1;
        }
        std::printf("FCS file: %d events, %.1f MB\n", events, double(bytes.size()) / 1e6);
    }
    SetFileDialogHook([&](const FileDialogRequest&) { return fcsPath; });
    SetMessageHook([](const MessageRecord& m) {
        std::fprintf(stderr, "%s\n", qPrintable(m.text));
        return MsgResult::Ok;
    });

    TfScatterView view;
    Line("FCS import into series 1 with its range",
         Time(5, [&] { view.File_Import_FCS_20Click(); }));
    ScatterSeries& s = view.Series[1];
    if (s.Count != events) return 1;
    for (int i = 1; i <= events; i += 2) s.Flags[size_t(i)] = 1;

    ScatterStyle style;
    QImage plot(800, 800, QImage::Format_RGB32);
    QImage page(880, 850, QImage::Format_RGB32);
    Line("full re-render, 800 x 800, half selected", Time(9, [&] {
             ScatterStyle st = style;
             const ScatterAxes axes = ScatterAxesFor(view, st, 800, 800);
             PaintScatterPlot(plot, view, axes, st);
             PaintScatterTicks(page, QRect(40, 2, 800, 800), view, axes, st);
         }));
    style.logX = style.logY = true;
    const auto logRender = [&] {
        ScatterStyle st = style;
        PaintScatterPlot(plot, view, ScatterAxesFor(view, st, 800, 800), st);
    };
    Line("first render on log axes after a range change",
         Time(3, logRender, [&] { view.UpdateSeriesRange(1); }));
    Line("full re-render on log axes", Time(9, logRender));

    view.resize(900, 1000);
    view.FormResize();
    view.PaintBox1->resize(885, 845);
    view.PaintBox2->setGeometry(40, 2, 800, 800);
    view.Picture();
    QImage target(view.PaintBox1->size(), QImage::Format_RGB32);
    view.PaintBox2MouseDown(Qt::LeftButton, 100, 100);
    view.PaintBox2MouseMove(Qt::LeftButton, 600, 500);
    Line("paint of the cached picture with a rubber band",
         Time(21, [&] { view.PaintBox1->render(&target); }));
    view.PaintBox2MouseUp(Qt::LeftButton, Qt::NoModifier, 600, 500);
    // The selection alone; the drag starts on a painted picture, as it does on screen.
    Line("rectangle selection (mouse up)",
         Time(
             9, [&] { view.PaintBox2MouseUp(Qt::LeftButton, Qt::NoModifier, 600, 500); },
             [&] {
                 view.Picture();
                 view.PaintBox2MouseDown(Qt::LeftButton, 100, 100);
                 view.PaintBox2MouseMove(Qt::LeftButton, 600, 500);
             }));

    s.Annotations.assign(1, "GeneID");
    for (int i = 1; i <= events; ++i) {
        s.Annotations.push_back("G" + std::to_string(i));
        s.Values[1][size_t(i)] = float(RandomUnit());
        s.Values[2][size_t(i)] = float(RandomUnit());
    }
    AnnotationIndex index;
    Line("annotation index (once per data change)", Time(3, [&] { index.Build(s.Annotations); }));
    int matches = 0;
    Line("SearchAnnotation \"G12345* *999 \\R>=50\"", Time(5, [&] {
             matches = SearchAnnotation(s.Annotations, index, s.Values[1], s.Values[2], s.Flags,
                                        s.Count, "G12345* *999 \\R>=50")
                           .Matches;
         }));
    std::printf("  %d matches\n", matches);
    return 0;
}
