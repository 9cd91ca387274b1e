// Times the profile editor at the sizes users have: the gene list of GENES names (default
// 55,000) filled, a find whose key every name holds with the mean of every gene over CHANNELS
// channels (default 1,000), and one drag step with its repaint in an editor of 1,200 x 800:
// bench_viewer_profile [GENES [CHANNELS]].
#include "analysismatrix.h"
#include "benchapp.h"
#include "benchtime.h"
#include "profileeditor.h"
#include "random.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
AnalysisMatrix MakeMatrix(int32_t genes, int32_t conditions) {
    AnalysisMatrix m;
    m.Resize(genes, conditions);
    for (float& v : m.Values) v = float(RandomUnit() * 4 - 2);
    m.AnnotationColumnCount = 2;
    m.HeaderRowCount = 2;
    m.HeaderCells.resize(size_t(conditions) + 3, {"", "title"});
    m.Annotation.resize(size_t(genes) + 1);
    for (int32_t g = 1; g <= genes; ++g) m.Annotation[size_t(g)] = {"", "GENE" + std::to_string(g)};
    return m;
}
} // namespace

int main(int argc, char** argv) {
    const BenchApplication app(argc, argv);
    const int32_t genes = argc > 1 ? std::atoi(argv[1]) : 55000;
    const int32_t channels = argc > 2 ? std::atoi(argv[2]) : 1000;
    const AnalysisMatrix matrix = MakeMatrix(genes, channels);

    TfPatternTemplate editor;
    editor.SetChannelCount(channels);
    for (int32_t c = 1; c <= channels; ++c) {
        editor.ChannelColumn[size_t(c)] = c;
        editor.ChannelGroup[size_t(c)] = 1 + c % 9;
        editor.SetChannelLabel(c, 1, QStringLiteral("Condition %1").arg(c));
    }
    editor.EditorMode = 1;
    editor.AnalysisMatrix = &matrix;
    editor.resize(1200, 800);
    const double shown = Time(1, [&] {
        editor.show();
        QApplication::processEvents();
    });
    const double fill = Time(5, [&] { editor.Genes_CB_LabelByChange(); });
    std::printf("gene list of %d names: %.1f ms to fill (%.1f ms to show the editor)\n", genes,
                fill, shown);

    editor.Genes_CB_Find->setEditText(QStringLiteral("gene"));
    const double find = Time(5, [&] { editor.Button_FindGoClick(); });
    std::printf("find of every gene with the mean over %d channels: %.1f ms (%s)\n", channels, find,
                qPrintable(editor.StatusPanel[1]->text()));

    editor.ChannelSelected.assign(editor.ChannelSelected.size(), 1);
    const ProfileLayout layout = editor.Layout();
    editor.PB1MouseDown(layout.Plot.width() / 2, layout.Mid);
    int step = 0;
    const double drag = Time(50, [&] {
        editor.PB1MouseMove(layout.Plot.width() / 2, layout.Mid + (step++ % 40) - 20);
        editor.PaintBox1->repaint(layout.Plot);
    });
    editor.PB1MouseUp();
    std::printf("drag step with %d channels, editor %dx%d (plot %dx%d): %.2f ms\n", channels,
                editor.width(), editor.height(), layout.Plot.width(), layout.Plot.height(), drag);
    editor.ResultCode = 0;
    editor.close();
    return 0;
}
