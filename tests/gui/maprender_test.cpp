#include "mainglobals.h"
#include "maptestwindow.h"
#include "palette.h"

#include <QColor>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

const QColor kWhite(255, 255, 255), kBlack(0, 0, 0);

using MapRenderTest = MapWindowTest;

TEST_F(MapRenderTest, WithoutAnIdeogramTheMapIsWhite) {
    LoadBands({});
    const QImage& image = Render();
    ASSERT_EQ(image.size(), w->MapView_PB1->size());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ASSERT_EQ(image.pixel(x, y), 0xFFFFFFFFu);
    EXPECT_EQ(w->ShownLongestChromosome, 1);
    EXPECT_FLOAT_EQ(w->MapScale, float(image.height() - 40));
}

TEST_F(MapRenderTest, BandsShowTheirDensityGreyInsideTheArms) {
    LoadBands(SmallIdeogram());
    GenomeLayout.BandResolution = 100;
    const QImage& image = Render();
    const MapGeometry& g = w->MapLayout;
    EXPECT_EQ(w->MapScale, g.Scale());
    EXPECT_EQ(w->ShownLongestArm, 1000);
    EXPECT_EQ(w->ChromosomePitch, 60);
    // Chromosome 1's ideogram: columns 45..59 (band names take 45 pixels).
    const int a36 = 20 + g.AlongPixel(1, 1), b36 = 20 + g.AlongPixel(1, 500);
    const int m36 = (a36 + b36) / 2;
    EXPECT_EQ(At(image, 45, m36), kBlack); // density 0: black outline, white inside
    EXPECT_EQ(At(image, 46, m36), kWhite);
    EXPECT_EQ(At(image, 59, m36), kBlack);
    EXPECT_EQ(At(image, 60, m36), kWhite); // right edge left out
    EXPECT_EQ(At(image, 52, a36), kBlack);
    const int m35 = 20 + (g.AlongPixel(1, 501) + g.AlongPixel(1, 1000)) / 2;
    EXPECT_EQ(At(image, 45, m35), kBlack);          // the arm's outline
    EXPECT_EQ(At(image, 46, m35), QColor(5, 5, 5)); // density 100, inset by one
    EXPECT_EQ(At(image, 58, m35), QColor(5, 5, 5));
    EXPECT_EQ(At(image, 59, m35), kBlack);
    const int m21 = 30 + (g.AlongPixel(1, 1001) + g.AlongPixel(1, 2000)) / 2;
    EXPECT_EQ(At(image, 52, m21), QColor(130, 130, 130)); // density 50, on the q arm
    // The centromere mark between the arms: a white box across the middle third.
    const int q = 30 + g.AlongPixel(1, 1001);
    EXPECT_EQ(At(image, 50, q - 5), kBlack);
    EXPECT_EQ(At(image, 52, q - 5), kWhite);
    EXPECT_EQ(At(image, 54, q - 5), kBlack);
    EXPECT_EQ(At(image, 55, q - 5), kWhite);
    EXPECT_EQ(At(image, 52, q - 9), kBlack);
    // Chromosome 2 starts one pitch on, its centromere on the same line.
    EXPECT_EQ(g.AlongPixel(2, 401), g.AlongPixel(1, 1001));
    EXPECT_EQ(At(image, 60 + 45, m21), kBlack);
    EXPECT_EQ(At(image, 60 + 46, m21), kWhite);

    // Without band names the ideogram moves 35 pixels in and the pitch shrinks to 35.
    w->POM_Ideogram_BandNamesClick();
    const QImage& moved = Render();
    EXPECT_EQ(At(moved, 11, m35), QColor(5, 5, 5));
    EXPECT_EQ(At(moved, 46, m35), kWhite);
    EXPECT_EQ(w->ChromosomePitch, 35);
}

TEST_F(MapRenderTest, LyingChromosomesRunAlongTheWidth) {
    LoadBands(SmallIdeogram());
    GenomeLayout.BandResolution = 100;
    w->TB_SetOrientationClick();
    const QImage& image = Render();
    const MapGeometry& g = w->MapLayout;
    const int H = image.height();
    EXPECT_FLOAT_EQ(g.Scale(), float(image.width() - 40) / 2000.0f);
    const int m35 = 20 + (g.AlongPixel(1, 501) + g.AlongPixel(1, 1000)) / 2;
    // Across offsets count up from the bottom: the ideogram spans rows H - 60 .. H - 46.
    EXPECT_EQ(At(image, m35, H - 46), kBlack);
    EXPECT_EQ(At(image, m35, H - 47), QColor(5, 5, 5));
    EXPECT_EQ(At(image, m35, H - 59), QColor(5, 5, 5));
    EXPECT_EQ(At(image, m35, H - 60), kBlack);
    EXPECT_EQ(At(image, m35, H - 45), kWhite);
}

TEST_F(MapRenderTest, ColouredChromosomesTakeTheirPatternColour) {
    LoadBands(SmallIdeogram());
    GenomeLayout.BandResolution = 100;
    BuildColourPalette(w->PaletteColours, 1);
    w->ColouredChromosomeMode = true;
    w->PatternNames = {QStringLiteral("1p36")};
    w->PatternValues = {0.5f};
    const QImage& image = Render();
    const MapGeometry& g = w->MapLayout;
    const int m36 = 20 + (g.AlongPixel(1, 1) + g.AlongPixel(1, 500)) / 2;
    const int m35 = 20 + (g.AlongPixel(1, 501) + g.AlongPixel(1, 1000)) / 2;
    // 0.5 of 0..4 is entry 125; every band is outlined in its fill, inset by one.
    EXPECT_EQ(At(image, 46, m36), ToQColor(w->PaletteColours[125]));
    EXPECT_EQ(At(image, 46, m36), QColor(255, 224, 224));
    EXPECT_EQ(At(image, 52, m36), QColor(255, 224, 224));
    EXPECT_EQ(At(image, 46, m35), QColor(5, 5, 5)); // not in the pattern: its grey
}

TEST_F(MapRenderTest, ThePaintSetsTheResolutionMenu) {
    LoadBands(SmallIdeogram(), 2);
    Render();
    EXPECT_FALSE(w->POM_Ideogram_Resolution->menuAction()->isVisible());
    LoadBands(SmallIdeogram(), 1);
    Render();
    EXPECT_TRUE(w->POM_Ideogram_Resolution->menuAction()->isVisible());
}

TEST_F(MapRenderTest, TheImageIsRebuiltOnlyWhenWhatItShowsChanges) {
    LoadBands(SmallIdeogram());
    Render();
    QImage& image = w->MapView_PB1->Image();
    const auto mark = [&] { image.setPixel(0, 0, 0xFFFF0000u); };
    const auto marked = [&] { return image.pixel(0, 0) == 0xFFFF0000u; };
    mark();
    Render();
    QTest::mouseMove(w->MapView_PB1, QPoint(30, 30));
    w->MapView_PB1->update();
    QApplication::processEvents();
    EXPECT_TRUE(marked()) << "a paint without changes copies the image";

    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"zoom", [&] { w->Zoom = 3; }},
        {"scroll", [&] { w->MapView_SB_V->setValue(100); }},
        {"tick", [&] { w->POM_Genes_View->setChecked(true); }},
        {"gene kind", [&] { w->POM_Gene[4]->setChecked(true); }},
        {"set colour", [&] { SetColors[3] = 0x123456; }},
        {"data", [] { BumpDataVersion(); }},
        {"palette", [&] { w->PaletteColours[7] = 1; }},
        {"size", [&] { w->resize(800, 650); }},
        {"annotation keys", [] { ShownAnnotationKeys.Key[1] = 2; }},
        {"top margin", [&] { w->MapTopMargin = 25; }},
    };
    for (const auto& [name, change] : changes) {
        mark();
        change();
        QApplication::processEvents();
        Render();
        EXPECT_FALSE(marked()) << name;
    }
}

TEST_F(MapRenderTest, TheMapSavesAsPng) {
    LoadBands(SmallIdeogram());
    const QImage& image = Render();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("map.png"));
    ASSERT_TRUE(w->MapView_PB1->SaveImage(file));
    const QImage read(file);
    EXPECT_EQ(read.size(), image.size());
    EXPECT_EQ(read.pixel(52, 40), image.pixel(52, 40));
    EXPECT_FALSE(w->MapView_PB1->SaveImage(dir.filePath(QStringLiteral("no/such/dir/map.png"))));
}

TEST(Palette, KindsFillTheirEntries) {
    tPalette p;
    p.fill(0xABCDEF);
    BuildColourPalette(p, 2);
    EXPECT_EQ(ToQColor(p[0]), QColor(255, 255, 255));
    EXPECT_EQ(ToQColor(p[255]), QColor(0, 0, 255));
    EXPECT_EQ(ToQColor(p[511]), QColor(0, 255, 0));
    EXPECT_EQ(ToQColor(p[767]), QColor(255, 255, 0));
    EXPECT_EQ(ToQColor(p[768]), QColor(255, 255, 0));
    EXPECT_EQ(ToQColor(p[1023]), QColor(255, 0, 0));
    EXPECT_EQ(p[1024], 0xABCDEFu);
    BuildColourPalette(p, 1);
    EXPECT_EQ(ToQColor(p[0]), QColor(255, 255, 255));
    EXPECT_EQ(ToQColor(p[512]), QColor(255, 128, 128)); // 127.5 rounds to even
    EXPECT_EQ(ToQColor(p[1024]), QColor(255, 0, 0));
    p.fill(0xABCDEF);
    BuildColourPalette(p, 3);
    EXPECT_EQ(ToQColor(p[0]), QColor(0, 255, 0));
    EXPECT_EQ(ToQColor(p[256]), QColor(0, 128, 0));
    EXPECT_EQ(p[512], 0xABCDEFu);
    EXPECT_EQ(ToQColor(p[513]), QColor(0, 0, 0));
    EXPECT_EQ(ToQColor(p[1024]), QColor(255, 0, 0));
    const tPalette before = p;
    BuildColourPalette(p, 4);
    EXPECT_EQ(p, before);
}

TEST(Palette, ValuesPickEntriesWithinTheRange) {
    EXPECT_EQ(PaletteIndex(0.5, 1, 0, 4), 125);
    EXPECT_EQ(PaletteIndex(2.5, 2, 2, 6), 125);    // measured from the palette's minimum
    EXPECT_EQ(PaletteIndex(0.5, 1, 0, 0.5f), 500); // ranges below 1 count as 1
    EXPECT_EQ(PaletteIndex(10, 1, 0, 4), 1000);
    EXPECT_EQ(PaletteIndex(-1, 1, 0, 4), 0);
    EXPECT_EQ(PaletteIndex(0.01, 3, 0, 4), 500); // -log10 0.01 = 2
    EXPECT_EQ(PaletteIndex(0, 3, 0, 4), 1000);   // the most significant colour
    EXPECT_EQ(PaletteIndex(-0.5, 3, 0, 4), 0);
    EXPECT_EQ(PaletteIndex(2, 4, 0, -4), 768);
    EXPECT_EQ(PaletteIndex(-10, 4, 0, 4), 0);
    EXPECT_EQ(PaletteIndex(1, 4, 0, 0), 512); // no range: the neutral entry
    EXPECT_EQ(PaletteIndex(std::nan(""), 1, 0, 4), 0);
    EXPECT_EQ(PaletteIndex(std::nan(""), 4, 0, 4), 512);
    EXPECT_EQ(PaletteIndex(1, 5, 0, 4), -1);
}

} // namespace
