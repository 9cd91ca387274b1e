// Times the table editor on a table from gen_table (55,000 x 50, ~25 MB; targets: Open 1 s,
// Save as 0.5 s, numeric sort 0.3 s, find of three words 0.5 s, copy all 0.5 s, delete of
// 1,000 marked rows 0.1 s, a repaint or scroll step 20 ms, the cells within 5x the file).
// Usage: bench_table_editor FILE
#include "benchtime.h"
#include "dialoghooks.h"
#include "gridview.h"
#include "inputdialog1.h"
#include "registry.h"
#include "system.h"
#include "tableeditor.h"
#include "tableeditormodel.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {
double Seconds(const std::function<void()>& f) {
    return Time(1, f) / 1000;
}
double Best(const std::function<void()>& f) {
    return BestTime(3, f) / 1000;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    Registry::SetLocation(temp.filePath(QStringLiteral("registry.ini")));
    const QString input = QString::fromLocal8Bit(argv[1]);
    QString answer = input;
    SetFileDialogHook([&](const FileDialogRequest&) { return answer; });
    SetBeepHook([] {});
    SetMessageHook([](const MessageRecord& m) {
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return MsgResult::Ok;
    });

    TfTableEditor editor;
    editor.resize(1000, 700);
    const double open = Best([&] { editor.File_OpenClick(); });
    const double fileBytes = static_cast<double>(QFileInfo(input).size());
    const double cellBytes = static_cast<double>(editor.SGCells->Table().MemoryBytes());
    std::printf("open %d x %d: %.3f s; cells %.1f MB = %.2f x the file (%.1f MB)\n",
                editor.SGCells->ColCount(), editor.SGCells->RowCount(), open, cellBytes / 1e6,
                cellBytes / fileBytes, fileBytes / 1e6);

    answer = temp.filePath(QStringLiteral("saved.txt"));
    std::printf("save as: %.3f s\n", Best([&] { editor.File_SaveAsClick(); }));

    editor.ClickCol = 3;
    editor.ClickRow = 0;
    std::printf("numeric sort: %.3f s\n", Best([&] { editor.SortClick(11); }));
    editor.ClickCol = 2;
    std::printf("text sort: %.3f s\n", Best([&] { editor.SortClick(21); }));

    SetModalHook([](QDialog& dialog) {
        auto& input = dynamic_cast<TInputDialog1&>(dialog);
        input.CB->setEditText(QStringLiteral("GENE_123 GENE_4567 \\fw 12.5000"));
        input.Button_OKClick();
        return int(QDialog::Accepted);
    });
    std::printf("find of three words: %.3f s\n", Best([&] { editor.TB_FindClick(); }));
    std::printf("copy all: %.3f s\n", Best([&] { editor.TB_CopyAllClick(); }));

    double deleting = 1e9;
    for (int i = 0; i < 3; ++i) {
        auto& marks = editor.SGCells->RowMarks;
        for (size_t r = 1; r <= 1000; ++r) marks[r * 50] = true;
        editor.ClickCol = 0;
        editor.ClickRow = 50;
        deleting = std::min(deleting, Seconds([&] { editor.TB1_DeleteClick(); }));
    }
    std::printf("delete of 1,000 marked rows: %.3f s\n", deleting);

    editor.show();
    QApplication::processEvents();
    QWidget* view = editor.SG->viewport();
    double worst = 0;
    for (int i = 0; i < 20; ++i) worst = std::max(worst, Seconds([&] { view->repaint(); }));
    std::printf("repaint: %.1f ms at most\n", worst * 1000);
    worst = 0;
    QScrollBar* bar = editor.SG->verticalScrollBar();
    for (int i = 0; i < 20; ++i)
        worst = std::max(worst, Seconds([&] {
                             bar->setValue(bar->value() + 1);
                             view->repaint();
                         }));
    bar->setValue(bar->maximum() / 2);
    for (int i = 0; i < 20; ++i)
        worst = std::max(worst, Seconds([&] {
                             bar->setValue(bar->value() + 3);
                             view->repaint();
                         }));
    std::printf("scroll step: %.1f ms at most\n", worst * 1000);
    return 0;
}
