#include "guitest.h"
#include "imageview.h"
#include "paintpane.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <zlib.h>

namespace {

// A 200 x 100 pathway picture with its image map: genes TP53/MYC at (20,20)-(60,40), a compound
// circle at (150,50) radius 10; both in the sub-folder `sub` of the temporary folder if given.
struct PathwayFiles {
    QTemporaryDir dir;
    QString folder;
    QString png;
    explicit PathwayFiles(const QString& sub = {})
        : folder(sub.isEmpty() ? dir.path() : dir.filePath(sub)),
          png(folder + QStringLiteral("/hsa04110.png")) {
        QDir().mkpath(folder);
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.save(png, "PNG");
        QFile map(folder + QStringLiteral("/hsa04110.html"));
        map.open(QIODevice::WriteOnly);
        map.write("<map>\n<area shape=rect\tcoords=20,20,60,40\thref=\"/entry/hsa:7157\"\t"
                  "title=\"7157 (TP53), 4609 (MYC)\" />\n"
                  "<area shape=circle\tcoords=150,50,10\thref=\"/entry/C00031\"\t"
                  "title=\"C00031 (D-Glucose)\" />\n</map>\n");
    }
};

// Closing frees the window (deferred); let that happen now.
void Close(QPointer<TImageView>& view) {
    view->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
}

QPointer<TImageView> Open() {
    auto* view = new TImageView;
    view->resize(500, 400);
    view->show();
    return view;
}

TEST(ImageView, PngWithMapMarksPastedGenes) {
    PathwayFiles files;
    QPointer<TImageView> view = Open();
    ASSERT_TRUE(view->LoadImage(2, files.png));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Kelv - ") + files.png);
    ASSERT_EQ(view->AreaCount(), 2);
    EXPECT_EQ(view->Areas[1].X1, 140);
    EXPECT_EQ(view->Areas[0].Link, "https://www.kegg.jp/entry/hsa:7157");
    EXPECT_TRUE(view->Memo->toPlainText().contains(QStringLiteral("1\tTP53 MYC ")));

    view->PendingText = QStringLiteral("TP53 2.5 0.001\nTP53 1.5 0.003\n");
    view->PasteGeneList(12);
    EXPECT_TRUE(view->PendingText.isEmpty());
    ASSERT_EQ(view->Genes.GeneList.size(), 1u);
    EXPECT_FLOAT_EQ(view->Genes.RegulationMeans[0], 2.0f);
    EXPECT_FLOAT_EQ(view->Genes.PValueMeans[0], 0.002f);
    EXPECT_TRUE(view->Memo->toPlainText().contains(QStringLiteral("TP53\t2.000\t2.0E-3")));
    // A red band five pixels wide around (17,17)-(63,43); inside and outside stay white.
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(view->Picture.pixel(15, 30), red);
    EXPECT_EQ(view->Picture.pixel(19, 30), red);
    EXPECT_EQ(view->Picture.pixel(14, 30), qRgb(255, 255, 255));
    EXPECT_EQ(view->Picture.pixel(20, 30), qRgb(255, 255, 255));
    EXPECT_EQ(view->Picture.pixel(64, 30), red);
    EXPECT_EQ(view->Picture.pixel(40, 44), red);
    EXPECT_EQ(view->BackUp_Image.pixel(15, 30), qRgb(255, 255, 255));

    // The track bar starts again from the unmarked picture; a plain list outlines in black.
    QApplication::clipboard()->setText(QStringLiteral("MYC"));
    view->Edit_PasteGeneListClick(0);
    EXPECT_EQ(view->Picture.pixel(15, 30), qRgb(0, 0, 0));
    const std::pair<int, const char*> positions[] = {
        {0, "1.0E+00"},  {9, "1.0E-01"},  {18, "1.0E-02"}, {27, "1.0E-03"}, {88, "3.0E-10"},
        {89, "0.0E+00"}, {90, "2.0E-10"}, {91, "1.0E-10"}, {92, "0.0E+00"}};
    EXPECT_EQ(view->Edit_pValue->text(), QStringLiteral("1.00E-02"));
    for (const auto& [position, text] : positions) {
        view->TrackBar_pValue->setValue(position);
        EXPECT_EQ(view->Edit_pValue->text(), QString::fromLatin1(text));
    }
    EXPECT_FLOAT_EQ(view->PThreshold, 0.0f);
    EXPECT_EQ(view->Picture.pixel(15, 30), qRgb(0, 0, 0)); // redrawn: the threshold marks all
    EXPECT_TRUE(view->StatusPanel1->text().isEmpty());
    Close(view);
}

TEST(ImageView, MouseShowsAreasAtAnyZoomAndDoubleClickOpensTheirLink) {
    PathwayFiles files;
    QPointer<TImageView> view = Open();
    ASSERT_TRUE(view->LoadImage(2, files.png));
    view->ApplyZoom(2); // 240 x 120
    EXPECT_EQ(view->ZoomedSize(), QSize(240, 120));
    QStringList opened;
    SetShellOpenHook([&](const QString& target) {
        opened << target;
        return true;
    });
    QTest::mouseMove(view->Image1, QPoint(36, 36)); // picture (30, 30)
    EXPECT_EQ(view->HitArea, 1);
    EXPECT_EQ(view->StatusPanel1->text(), QStringLiteral("TP53 MYC "));
    view->Image1DblClick();
    QTest::mouseMove(view->Image1, QPoint(180, 60)); // picture (150, 50): the circle
    EXPECT_EQ(view->StatusPanel1->text(), QStringLiteral("D-Glucose"));
    view->PendingText = QStringLiteral("MYC");
    view->PasteGeneList(10);
    QTest::mouseMove(view->Image1, QPoint(36, 36));
    EXPECT_EQ(view->StatusPanel1->text(), QStringLiteral("Hits: MYC ; KEGG: TP53 MYC "));
    QTest::mouseMove(view->Image1, QPoint(100, 100));
    EXPECT_EQ(view->HitArea, 0);
    EXPECT_TRUE(view->StatusPanel1->text().isEmpty());
    view->Image1DblClick();
    SetShellOpenHook({});
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://www.kegg.jp/entry/hsa:7157")});
    Close(view);
}

TEST(ImageView, ZoomStepsAndScrollRangeFollowTheZoomedSize) {
    QPointer<TImageView> view = Open();
    QImage mosaic(1050, 950, QImage::Format_Mono);
    mosaic.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mosaic.fill(0);
    for (int x = 0; x < 1050; ++x) mosaic.setPixel(x, 475, 1);
    view->SetPicture(mosaic);
    view->setWindowTitle(QStringLiteral("Kelv - Scatter plot scan - matrix"));
    view->ApplyZoom(-3);
    EXPECT_EQ(view->Picture.format(), QImage::Format_Mono);
    EXPECT_EQ(view->ZoomedSize(), QSize(875, 792));
    EXPECT_TRUE(view->Memo->toPlainText().endsWith(QStringLiteral("875x792; 1050x950")));
    const int viewWidth = view->Image1->width();
    EXPECT_EQ(view->SB_Hor->maximum(), 875 - viewWidth);
    view->ToolButton3Click();
    EXPECT_EQ(view->ZoomLevel, -4);
    for (int i = 0; i < 104; ++i) view->ToolButton2Click();
    EXPECT_EQ(view->ZoomLevel, 1); // past 100 back to 1
    view->ApplyZoom(100);
    EXPECT_EQ(view->SB_Hor->maximum(), 11550 - viewWidth);
    EXPECT_EQ(view->SB_Vert->maximum(), 10450 - view->Image1->height());

    // The black row of the 1-bit picture reaches the screen where the zoom puts it.
    view->ApplyZoom(1);
    view->SB_Vert->setValue(400);
    const QImage shown = view->Image1->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(10, 75)), QColor(Qt::black));
    EXPECT_EQ(QColor(shown.pixel(10, 74)), QColor(Qt::white));

    // A handed-in picture is its own backup: the track bar redraws it, never blanks it.
    view->TrackBar_pValue->setValue(30);
    EXPECT_EQ(view->Picture.pixel(5, 475), qRgb(0, 0, 0));
    EXPECT_EQ(view->Picture.format(), QImage::Format_Mono);
    Close(view);
}

TEST(ImageView, BrokenOrHugePicturesLeaveTheViewAsItWas) {
    PathwayFiles files;
    QPointer<TImageView> view = Open();
    ASSERT_TRUE(view->LoadImage(2, files.png));
    view->ApplyZoom(5);
    QByteArray whole;
    {
        QFile f(files.png);
        f.open(QIODevice::ReadOnly);
        whole = f.readAll();
    }
    // A PNG header of 100,000 x 100,000 pixels (its checksum made right) and a cut file.
    QByteArray huge = whole.left(33);
    const char side[4] = {0, 1, char(0x86), char(0xA0)};
    huge.replace(16, 4, side, 4);
    huge.replace(20, 4, side, 4);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.constData() + 12), 17);
    for (int i = 0; i < 4; ++i) huge[29 + i] = char(crc >> (24 - 8 * i));
    const QString hugeFile = files.dir.filePath(QStringLiteral("huge.png"));
    const QString cutFile = files.dir.filePath(QStringLiteral("cut.png"));
    const QString bmpFile = files.dir.filePath(QStringLiteral("fake.bmp"));
    {
        QFile f(hugeFile);
        f.open(QIODevice::WriteOnly);
        f.write(huge + whole.mid(33));
        QFile c(cutFile);
        c.open(QIODevice::WriteOnly);
        c.write(whole.left(whole.size() / 2));
        QFile b(bmpFile);
        b.open(QIODevice::WriteOnly);
        b.write("BM not really");
    }
    MessageCapture messages;
    for (const QString& file : {hugeFile, cutFile}) EXPECT_FALSE(view->LoadImage(2, file));
    EXPECT_FALSE(view->LoadImage(1, bmpFile));
    view->HandleDroppedImage({files.png, cutFile});
    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_TRUE(messages.shown[1].text.contains(cutFile));
    EXPECT_EQ(messages.shown[1].icon, MsgIcon::Stop);
    EXPECT_EQ(view->FileName, files.png);
    EXPECT_EQ(view->AreaCount(), 2);
    EXPECT_EQ(view->ZoomLevel, 5);
    EXPECT_EQ(view->Picture.size(), QSize(200, 100));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Kelv - ") + files.png);

    // Saved as BMP, read back through the BMP decoder at level -2.
    const QString saved = files.dir.filePath(QStringLiteral("saved.bmp"));
    const auto previous = SetFileDialogHook([&](const FileDialogRequest& r) {
        if (r.selectedFilter) *r.selectedFilter = r.filter.section(QStringLiteral(";;"), 0, 0);
        return saved;
    });
    view->File_SaveAsClick();
    view->File_OpenClick();
    SetFileDialogHook(previous);
    EXPECT_EQ(view->FileName, saved);
    EXPECT_EQ(view->ZoomLevel, -2);
    EXPECT_EQ(view->AreaCount(), 0);
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Image viewer - ") + saved);
    Close(view);
}

TEST(ImageView, PValuePanelAndPasteItemsShowWithTheWindow) {
    QPointer<TImageView> view = Open();
    QCoreApplication::processEvents(); // the tool bar lays out
    EXPECT_TRUE(view->Panel_pValue->isVisible());
    EXPECT_FALSE(view->TrackBar_pValue->visibleRegion().isEmpty()); // laid out in the tool bar
    EXPECT_TRUE(view->Edit_PasteRegulationList->isVisible());
    QPointer<TImageView> plain = new TImageView;
    plain->ShowPValuePanel = 0;
    plain->show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(plain->Panel_pValue->isVisible());
    EXPECT_FALSE(plain->Edit_PasteGeneList->isVisible());
    Close(plain);
    Close(view);
}

TEST(ImageView, TruncatedBmpIsRefusedWithTheStopBox) {
    PathwayFiles files;
    QPointer<TImageView> view = Open();
    ASSERT_TRUE(view->LoadImage(2, files.png));
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString whole = files.dir.filePath(QStringLiteral("whole.bmp"));
    picture.save(whole, "BMP");
    QFile full(whole);
    full.open(QIODevice::ReadOnly);
    const QString cut =
        WriteFile(QDir(files.dir.path()), QStringLiteral("cut.bmp"), full.readAll().chopped(100));
    MessageCapture messages;
    DropFiles(*view, {cut});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(messages.shown[0].text.contains(cut));
    EXPECT_EQ(view->FileName, files.png);
    EXPECT_EQ(view->AreaCount(), 2);
    DropFiles(*view, {whole});
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(view->FileName, whole);
    EXPECT_EQ(view->Picture.pixel(50, 0), qRgb(255, 0, 0));
    Close(view);
}

TEST(ImageView, OnlyThePicturesExtensionNamesItsMap) {
    PathwayFiles files(QStringLiteral("x.png.d"));
    QPointer<TImageView> view = Open();
    DropFiles(*view, {files.png});
    EXPECT_EQ(view->FileName, files.png);
    EXPECT_EQ(view->AreaCount(), 2);

    // A picture named without ".png" has no map, even one whose own bytes hold an area line.
    QFile png(files.png);
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    const QString bare = WriteFile(QDir(files.folder), QStringLiteral("pathway"),
                                   png.readAll() + "\n<area shape=rect\tcoords=0,0,9,9\n");
    {
        FileDialogAnswerer dialog(
            {FileDialogAnswer(bare, QStringLiteral("PortableNetworkGraphics (*.png)"))});
        view->File_OpenClick();
    }
    EXPECT_EQ(view->FileName, bare);
    EXPECT_EQ(view->AreaCount(), 0);
    Close(view);
}

} // namespace
