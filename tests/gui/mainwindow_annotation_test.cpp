#include "bandpattern.h"
#include "guitest.h"
#include "mainglobals.h"
#include "maptestwindow.h"
#include "records.h"
#include "system.h"
#include "tableeditor.h"
#include "tableeditormodel.h"

#include <QAction>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AnnotationCommandsTest : public MapWindowTest {
  protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        LoadBands(SmallIdeogram());
    }
    void TearDown() override {
        ClearLoadedProbes();
        SetModifierOverride(std::nullopt, std::nullopt);
        MapWindowTest::TearDown();
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return f.readAll();
    }
    // Width of the names box drawn on the map: its right edge lies 40 pixels inside the window.
    int NamesBoxWidth() const {
        const QImage& image = w->MapView_PB1->Image();
        const int right = w->width() - 41;
        int width = 0;
        while (right - width >= 0 && QColor(image.pixel(right - width, 5)) == Qt::black) ++width;
        return width;
    }
    std::vector<int> ActiveSets() const {
        std::vector<int> on;
        for (int h = 1; h <= CGHData.HNum; ++h)
            if (CGHData.Hyb[size_t(h)].Active) on.push_back(h);
        return on;
    }
    QTemporaryDir dir_;
};

TEST_F(AnnotationCommandsTest, AKeyTypedInTheTableShowsBesideTheNamesOnceChosen) {
    w->Utilities_RandomData->trigger();
    w->POM_CGH_View->setChecked(true);
    Render();
    const int narrow = NamesBoxWidth();
    {
        ModalAnswerer modal;
        modal.Expect<TfTableEditor>([](TfTableEditor& e) {
            EXPECT_EQ(e.Mode, 2);
            EXPECT_FALSE(e.TB1_Insert->isVisible());
            EXPECT_FALSE(e.TB1_Delete->isVisible());
            EXPECT_EQ(e.SGCells->FixedRows(), 2);
            EXPECT_EQ(e.SGCells->RowCount(), 101);
            EXPECT_EQ(e.SGCells->ColCount(), 12);
            EXPECT_EQ(e.SGCells->Cell(1, 0), QStringLiteral("Key"));
            EXPECT_EQ(e.SGCells->Cell(11, 1), QStringLiteral("Randam data 10"));
            e.SGCells->SetCell(1, 2, QStringLiteral("Sex"));
            e.SGCells->SetCell(2, 2, QStringLiteral("female"));
            e.SGCells->SetCell(2, 1, QStringLiteral("renamed"));
            e.BB_OKClick();
            return e.result();
        });
        modal.Expect<TfTableEditor>([](TfTableEditor& e) { // a cancel changes nothing
            e.SGCells->SetCell(2, 2, QStringLiteral("male"));
            e.BB_CancelClick();
            return e.result();
        });
        w->POM_CGH_AnnotateHybridisations->trigger();
        w->POM_CGH_AnnotateHybridisations->trigger();
    }
    EXPECT_EQ(CGHData.Annotation[0][2], "Sex");
    EXPECT_EQ(CGHData.Annotation[1][2], "female");
    EXPECT_EQ(CGHData.Annotation[1][1], "Randam data 1");

    {
        ModalAnswerer modal;
        AnswerInput(modal, QStringLiteral("1, 2,x,300"));
        w->POM_CGH_SelectAnnotaionsToView->trigger();
    }
    EXPECT_EQ(ShownAnnotationKeys.Count, 2);
    EXPECT_EQ(ShownAnnotationKeys.Key[2], 2);
    EXPECT_TRUE(w->Info_Memo->toPlainText().contains(QStringLiteral("\"300\" skipped")));
    Render();
    EXPECT_GT(NamesBoxWidth(), narrow);
}

TEST_F(AnnotationCommandsTest, ColoursFromTheTypedText) {
    {
        ModalAnswerer modal;
        modal.Expect<TInputDialog>([](TInputDialog& d) {
            EXPECT_EQ(d.Caption, QStringLiteral("Set colors"));
            EXPECT_TRUE(d.RegistryKey.endsWith(QStringLiteral("\\CGH-GroupColor-Settings\\")));
            d.FormShow();
            d.CB->setCurrentText(QStringLiteral("2:GREEN;3:100,50,300;200:red;4:-1,0,0"));
            d.Button_OKClick();
            return d.result();
        });
        w->Colora1->trigger();
    }
    EXPECT_EQ(SetColors[2], 0x008000u);
    EXPECT_EQ(SetColors[3], RGBColor(100, 50, 44));
    EXPECT_EQ(SetColors[4], 255u);
    EXPECT_TRUE(w->Info_Memo->toPlainText().contains(QStringLiteral("\"200:red\" skipped")));
}

TEST_F(AnnotationCommandsTest, GroupingFilesAndTheirHistory) {
    CGHData.HNum = 4;
    for (int h = 1; h <= 4; ++h) {
        CGHData.Hyb[size_t(h)].FileName = "set" + std::to_string(h);
        CGHData.Hyb[size_t(h)].Active = h != 2;
    }
    CGHData.Hyb[4].FileName.clear();
    SetColors[1] = 0x0000FF;
    SetColors[3] = 0x123456;
    const QString file = dir_.filePath(QStringLiteral("a&b.txt"));
    {
        FileDialogAnswerer files({file});
        w->POM_CGH_Grouping_Save->trigger();
    }
    EXPECT_EQ(Read(file), QByteArray("1,255\r\n3,1193046\r\n"));
    QAction* f1 = w->POM_CGH_Grouping_F[1];
    EXPECT_TRUE(f1->isVisible());
    EXPECT_EQ(f1->text(), QString(file).replace(QStringLiteral("&"), QStringLiteral("&&")));

    // The history item reads the file back: only its sets shown, in its colours.
    SetColors[1] = SetColors[3] = 0;
    for (int h = 1; h <= 4; ++h) CGHData.Hyb[size_t(h)].Active = 1;
    f1->trigger();
    EXPECT_EQ(ActiveSets(), (std::vector<int>{1, 3}));
    EXPECT_EQ(SetColors[3], 0x123456u);

    // A file that is gone changes nothing and enters no history.
    CGHData.Hyb[2].Active = 1;
    {
        MessageCapture messages;
        FileDialogAnswerer files({dir_.filePath(QStringLiteral("gone.txt"))});
        w->POM_CGH_Grouping_Load->trigger();
        EXPECT_EQ(messages.shown.size(), 1u);
    }
    EXPECT_EQ(ActiveSets(), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(w->POM_CGH_Grouping_F[2]->isVisible());

    // A line that does not read is left out with a note; the rest is shown.
    const QString loose = WriteFile(QDir(dir_.path()), QStringLiteral("loose.txt"), "abc,1\n2,7\n");
    {
        FileDialogAnswerer files({loose});
        w->POM_CGH_Grouping_Load->trigger();
    }
    EXPECT_EQ(ActiveSets(), (std::vector<int>{2}));
    EXPECT_TRUE(w->Info_Memo->toPlainText().contains(QStringLiteral("line 1 left out")));
    EXPECT_EQ(w->GroupFileHistory[1], loose);

    // Nine entries; a name in another case is there already, the tenth name drops the ninth.
    w->UpdateGroupingHistoryMenu(loose.toUpper());
    EXPECT_EQ(w->GroupFileHistory[3], QString());
    for (int n = 3; n <= 10; ++n) w->UpdateGroupingHistoryMenu(QStringLiteral("n%1").arg(n));
    EXPECT_EQ(w->GroupFileHistory[1], QStringLiteral("n10"));
    EXPECT_EQ(w->GroupFileHistory[9], loose);
    EXPECT_EQ(w->GroupFileHistory[10], QString());
    EXPECT_EQ(w->POM_CGH_Grouping_F[9]->data().toString(), loose);

    // The next start shows the stored history.
    w->close();
    w = std::make_unique<TfQuorbelView>();
    w->show();
    QApplication::processEvents();
    EXPECT_TRUE(w->POM_CGH_Grouping_F[9]->isVisible());
    EXPECT_EQ(w->POM_CGH_Grouping_F[1]->text(), QStringLiteral("n10"));
}

TEST_F(AnnotationCommandsTest, PatternFilesAndTheDataRange) {
    w->PatternNames = {QStringLiteral("1p36"), QStringLiteral("xq21")};
    w->PatternValues = {0.1, 2};
    const QString file = dir_.filePath(QStringLiteral("p.txt"));
    {
        FileDialogAnswerer files({file, file});
        w->POM_Ideogram_SavePattern->trigger();
        w->PatternNames.clear();
        w->PatternValues.clear();
        w->POM_Ideogram_LoadPattern->trigger();
        for (const FileDialogRequest& r : files.requests) {
            EXPECT_EQ(r.caption, QStringLiteral("Save pattern"));
            EXPECT_EQ(r.filter, QStringLiteral("Tab delimited text (*.txt)"));
        }
    }
    EXPECT_EQ(Read(file), QByteArray("1p36\t0.100000000\r\nxq21\t2.000000000\r\n"));
    EXPECT_EQ(w->PatternNames, QStringList({QStringLiteral("1p36"), QStringLiteral("xq21")}));
    EXPECT_EQ(w->PatternValues, (std::vector<double>{0.1, 2}));
    {
        MessageCapture messages;
        FileDialogAnswerer files(
            {WriteFile(QDir(dir_.path()), QStringLiteral("bad.txt"), "a\tb\n")});
        w->POM_Ideogram_LoadPattern->trigger();
        EXPECT_EQ(messages.shown.size(), 1u);
    }
    EXPECT_EQ(w->PatternNames.size(), 2);

    w->PaletteScaleKind = 3;
    {
        ModalAnswerer modal;
        modal.Expect<TInputDialog>([](TInputDialog& d) {
            EXPECT_EQ(d.Caption, QStringLiteral("Kelv -  Select display range for p-value"));
            d.FormShow();
            d.CB->setCurrentText(QStringLiteral("1,0.01"));
            d.Button_OKClick();
            return d.result();
        });
        w->POM_Ideogram_DataRange->trigger();
    }
    EXPECT_EQ(w->PaletteMin, 0.0f);
    EXPECT_EQ(w->PaletteMax, 2.0f);
    w->PaletteScaleKind = 4;
    {
        ModalAnswerer modal;
        MessageCapture messages;
        AnswerInput(modal, QStringLiteral("1;2"));
        AnswerInput(modal, QStringLiteral("-1,3"));
        w->POM_Ideogram_DataRange->trigger();
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(w->PaletteMax, 2.0f);
        w->POM_Ideogram_DataRange->trigger();
    }
    EXPECT_EQ(w->PaletteMin, -3.0f);
    EXPECT_EQ(w->PaletteMax, 3.0f);

    w->POM_Ideogram_PalCol[1]->trigger();
    tPalette whiteRed{};
    BuildColourPalette(whiteRed, 1);
    EXPECT_EQ(w->PaletteColours, whiteRed);
    EXPECT_TRUE(w->POM_Ideogram_PalCol[1]->isChecked());
    EXPECT_FALSE(w->POM_Ideogram_PalCol[2]->isChecked());
}

TEST_F(AnnotationCommandsTest, TheColourBarShowsEachNewPaletteAndRangeAtOnce) {
    w->Util_Demo_ColouredChromosomes->trigger();
    QApplication::processEvents();
    const QImage spectrum = w->PB_Colourbar->Image().copy();
    // The bar as the screen shows it: the colour at its right end, the labels below it.
    const auto rightEnd = [this] {
        const QImage& bar = w->PB_Colourbar->Image();
        return QColor(bar.pixel(bar.width() - 11, 20));
    };
    const auto labels = [this] {
        const QImage& bar = w->PB_Colourbar->Image();
        return bar.copy(0, 32, bar.width(), bar.height() - 32);
    };
    ASSERT_NE(rightEnd().green(), rightEnd().blue()); // the spectrum ends in orange

    w->POM_Ideogram_PalCol[1]->trigger();
    QApplication::processEvents();
    EXPECT_EQ(rightEnd().red(), 255); // white to red ends in red
    EXPECT_EQ(rightEnd().green(), rightEnd().blue());
    EXPECT_NE(w->PB_Colourbar->Image(), spectrum);

    const QImage before = labels();
    {
        ModalAnswerer modal;
        AnswerInput(modal, QStringLiteral("1,0.0001"));
        w->POM_Ideogram_DataRange->trigger();
    }
    QApplication::processEvents();
    EXPECT_NE(labels(), before);
}

TEST_F(AnnotationCommandsTest, TheDemonstrationsColourBarShowsThePaletteAndFollowsDrags) {
    w->Util_Demo_ColouredChromosomes->trigger();
    ASSERT_TRUE(w->Panel_Colourbar->isVisible());
    EXPECT_EQ(ColourBarLabels(w->PaletteScaleKind, w->PaletteMin, w->PaletteMax),
              (std::pair<std::string, std::string>{"1.0e+00", "1.0e-02"}));
    w->PB_Colourbar->repaint();
    const QImage bar = w->PB_Colourbar->Image();
    ASSERT_EQ(bar.size(), w->Panel_Colourbar->size());
    const int width = bar.width();
    const auto at = [&bar](int x, int y) { return FromQColor(QColor(bar.pixel(x, y))); };
    EXPECT_EQ(at(1, 20), 0u);        // the frame
    EXPECT_EQ(at(5, 20), 0xFFFFFFu); // inside it
    // Columns from left to right hold entries from 0 to 1000, near k at 10 + 0.3 k.
    const auto near = [&](int x, int k) {
        const TColor c = at(x, 20);
        for (int j = std::max(0, k - 10); j <= std::min(1000, k + 10); ++j)
            if (w->PaletteColours[size_t(j)] == c) return true;
        return false;
    };
    EXPECT_TRUE(near(10, 0));
    EXPECT_TRUE(near(10 + (width - 20) / 2, 500));
    EXPECT_TRUE(near(width - 11, 1000));
    // Labels below both ends, nothing written between them.
    const auto dark = [&](int x0, int x1) {
        int n = 0;
        for (int y = 32; y < bar.height() - 3; ++y)
            for (int x = x0; x < x1; ++x) n += QColor(bar.pixel(x, y)).lightness() < 100;
        return n;
    };
    EXPECT_GT(dark(10, 60), 10);
    EXPECT_GT(dark(width - 60, width - 10), 10);
    EXPECT_EQ(dark(120, width - 120), 0);

    // A drag moves the bar by the cursor's steps; with Shift it resizes, never to 20 pixels.
    const QPoint start = w->Panel_Colourbar->pos();
    QTest::mousePress(w->PB_Colourbar, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_TRUE(w->ColourBarDragging);
    const QPoint grip = w->PB_Colourbar->mapToGlobal(QPoint(50, 20));
    w->Panel_ColourbarMouseMove(grip + QPoint(30, 15));
    w->Panel_ColourbarMouseMove(grip + QPoint(35, 5));
    EXPECT_EQ(w->Panel_Colourbar->pos(), start + QPoint(35, 5));
    SetModifierOverride(std::nullopt, true);
    w->Panel_ColourbarMouseMove(w->Panel_Colourbar->mapToGlobal(QPoint(200, 40)));
    EXPECT_EQ(w->Panel_Colourbar->size(), QSize(200, 40));
    w->Panel_ColourbarMouseMove(w->Panel_Colourbar->mapToGlobal(QPoint(20, 21)));
    EXPECT_EQ(w->Panel_Colourbar->size(), QSize(200, 21));
    QTest::mouseRelease(w->PB_Colourbar, Qt::LeftButton, {}, QPoint(20, 21));
    EXPECT_FALSE(w->ColourBarDragging);
    w->Panel_ColourbarMouseMove(w->Panel_Colourbar->mapToGlobal(QPoint(100, 100)));
    EXPECT_EQ(w->Panel_Colourbar->size(), QSize(200, 21));
}

} // namespace
