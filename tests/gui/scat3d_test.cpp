// The 3D plot window: commands, auto-rotation, mouse, tool bar, rendering, siblings, lifetime.
#include "../../bench/fcs_file_writer.h"
#include "installviewers.h"
#include "plotviewers.h"
#include "random.h"
#include "registry.h"
#include "scat3dtest.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <bit>
#include <cmath>
#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace {

using Scat3DWindow = Scat3DWindowTest;

TEST_F(Scat3DWindow, CommandsThroughTheBusHoldTheirArgumentsInRange) {
    TScatPlot_3D p;
    Fill(p.Series, 8);
    const auto send = [&p](int code, intptr_t arg) { ToolBus::Send(p.Handle(), code, arg); };
    p.View.Zoom = 2;
    send(105, 40);
    EXPECT_EQ(p.View.PanX, 80);
    p.View.Zoom = 1;
    send(106, 40);
    EXPECT_EQ(p.View.PanY, 40);
    send(109, 150);
    EXPECT_FLOAT_EQ(p.View.Tilde, 1.5f);
    send(100, 758); // a fast drag's sum: reduced, not read past the tables
    send(101, -5);
    send(102, 360); // kept: 360 has its own table entry
    EXPECT_EQ(p.View.AngleX, 38);
    EXPECT_EQ(p.View.AngleY, 355);
    EXPECT_EQ(p.View.AngleZ, 360);
    send(13, 8);
    send(11, 101);
    send(12, -1);
    send(1, 101);
    EXPECT_EQ(p.Series.DimSeries[3], 8);
    EXPECT_EQ(p.Series.DimSeries[1], 1);
    EXPECT_EQ(p.Series.DimSeries[2], 2);
    send(202, 501); // the cube of a larger percentage overflows
    send(209, 300);
    EXPECT_EQ(p.Series.SeriesView[8].ZoomPercent, 100);
    EXPECT_EQ(p.Series.SeriesView[6].ZoomPercent, 300);
    send(302, 101);
    send(402, 50);
    EXPECT_EQ(p.Series.SeriesView[8].LowerPercent, 0);
    EXPECT_EQ(p.Series.SeriesView[8].UpperPercent, 50);
    EXPECT_EQ(PlotSeries[8].UpperThreshold, 2); // halfway along 1..3
    send(1003, 1);
    send(503, 0);
    EXPECT_TRUE(p.Series.SeriesView[8].LogScale);
    EXPECT_FALSE(p.Series.DataSetVisible[3]);
}

TEST_F(Scat3DWindow, AutoRotationSkipsZeroRocksAndStopsItsTimer) {
    TScatPlot_3D p;
    const auto send = [&p](int code, intptr_t arg) { ToolBus::Send(p.Handle(), code, arg); };
    p.View.AngleX = 359;
    p.View.AngleY = 0;
    p.AutoRotation[1].Backwards = -1;
    p.AutoRotation[0].Running = 1;
    send(122, 1); // one step
    EXPECT_EQ(p.View.AngleX, 1);
    EXPECT_EQ(p.View.AngleY, 359);
    EXPECT_TRUE(p.TimerRunning());
    send(130, 0); // an interval below 1 stops the timer
    EXPECT_FALSE(p.TimerRunning());
    send(130, 50);
    EXPECT_TRUE(p.TimerRunning());
    p.AutoRotation[0].Running = 0;
    send(122, 0); // nothing moves: the timer stops
    EXPECT_FALSE(p.TimerRunning());

    TScatPlot_3D rock;
    ToolBus::Send(rock.Handle(), 131, 3);
    ToolBus::Send(rock.Handle(), 121, 1);
    std::vector<int> angles{rock.View.AngleX};
    for (int i = 0; i < 12; ++i) {
        rock.Timer1Timer();
        angles.push_back(rock.View.AngleX);
    }
    EXPECT_EQ(angles, (std::vector<int>{1, 2, 3, 4, 3, 2, 1, 2, 3, 4, 3, 2, 1}));
}

TEST_F(Scat3DWindow, ClosingAPlotStopsItsRotation) {
    PlotStandIn other;
    TScatPlot_3D p;
    Fill(p.Series, 3);
    p.show();
    p.ControlesClick();
    ControlWindow()->SE_AutoRotSpeed->setValue(1);
    ControlWindow()->SB_AutoRot[1]->click();
    ASSERT_TRUE(p.TimerRunning());
    p.close();
    EXPECT_EQ(p.AutoRotation[1].Running, 0);
    EXPECT_FALSE(p.TimerRunning());
    other.got.clear();
    QTest::qWait(20);
    EXPECT_TRUE(other.got.empty()); // the open plots are no longer redrawn
}

TEST_F(Scat3DWindow, MouseRotatesByTheDragAndDrawsPolygonsOfThreeOrMoreVertices) {
    TScatPlot_3D p;
    p.resize(600, 500);
    p.show();
    QWidget* s = p.Scene;
    QTest::mousePress(s, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(s, QPoint(100, 100)); // the first move only records the position
    QTest::mouseMove(s, QPoint(110, 105));
    EXPECT_EQ(p.View.AngleX, 5);
    EXPECT_EQ(p.View.AngleZ, 10);
    p.View.AngleX = 358;
    QTest::mouseMove(s, QPoint(110, 110));
    EXPECT_EQ(p.View.AngleX, 3);
    QTest::mouseMove(s, QPoint(910, 110));
    EXPECT_EQ(p.View.AngleZ, 90); // 10 + 800
    QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(910, 110));
    EXPECT_EQ(p.LastMouseX, -1);

    QTest::mouseClick(s, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(p.RoiSlot, 0);
    EXPECT_TRUE(p.RoiPolygons[1].empty());

    QTest::mousePress(s, Qt::RightButton, {}, QPoint(10, 10));
    for (const QPoint at : {QPoint(60, 10), QPoint(61, 11), QPoint(60, 60), QPoint(10, 60)})
        QTest::mouseMove(s, at);
    QTest::mouseRelease(s, Qt::RightButton, {}, QPoint(10, 62));
    EXPECT_EQ(p.RoiSlot, 1);
    EXPECT_EQ(p.RoiPolygons[1],
              (std::vector<QPoint>{{60, 10}, {60, 10}, {60, 60}, {10, 62}, {60, 10}}));
    EXPECT_EQ(QColor(p.ROI_Image.pixel(50, 45)), QColor(Qt::white));
    EXPECT_EQ(QColor(p.ROI_Image.pixel(5, 5)), QColor(Qt::black));
}

TEST_F(Scat3DWindow, ToolBarStepsAndClampsZoomTildeAndAngles) {
    TScatPlot_3D p;
    p.View.Tilde = 1.95f;
    p.TB_TildeZDownClick();
    EXPECT_EQ(p.View.Tilde, 2.0f);
    p.View.Tilde = 0.15f;
    p.TB_TildeZUpClick();
    EXPECT_EQ(p.View.Tilde, 0.0f);
    p.View.Zoom = 0.15f;
    p.TB_ZoomOutClick();
    EXPECT_FLOAT_EQ(p.View.Zoom, 0.1f);
    p.TB_ZoomInClick();
    p.TB_ZoomInClick();
    EXPECT_FLOAT_EQ(p.View.Zoom, 0.3f);
    p.TB_RotClick(1, -5);
    EXPECT_EQ(p.View.AngleY, 359);
    QTest::keyClick(&p, Qt::Key_F7);
    EXPECT_FLOAT_EQ(p.View.Zoom, 0.4f);
    p.POM_Gate_[3]->trigger();
    p.POM_Gate_[5]->trigger();
    EXPECT_EQ(p.View.GateBits, 0b10100u);
    EXPECT_EQ(p.SelectedGate, 5);
    p.POM_Gate_[0]->trigger(); // "None"
    EXPECT_EQ(p.View.GateBits, 0u);
    EXPECT_EQ(p.SelectedGate, 0);
}

TEST_F(Scat3DWindow, SettingsUnderTheCallersKeyAreReadOnShowAndWrittenOnClose) {
    const QString path = QStringLiteral("Software\\Scat3DTest");
    {
        RegKey key;
        ASSERT_TRUE(key.OpenKey(path, true));
        key.WriteInteger(QStringLiteral("Left"), 100000); // beyond the screen
        key.WriteInteger(QStringLiteral("Top"), 40);
        key.WriteInteger(QStringLiteral("Background color"), int(RGBColor(0, 255, 0)));
        key.WriteInteger(QStringLiteral("Color scheme"), 2);
    }
    TScatPlot_3D p;
    p.RegistryKey = path;
    p.View.AxesColour = RGBColor(1, 2, 3);
    p.show();
    EXPECT_EQ(p.geometry().left(), 10);
    EXPECT_EQ(p.geometry().top(), 40);
    EXPECT_EQ(p.View.Background, RGBColor(0, 255, 0));
    EXPECT_EQ(p.View.AxesColour, 0u); // black unless stored
    EXPECT_EQ(p.View.Palette[0], qRgb(255, 255, 255));
    p.View.AxesColour = RGBColor(0, 0, 255);
    p.close();
    RegKey key;
    ASSERT_TRUE(key.OpenKey(path, false));
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Axes color"), -1), int(RGBColor(0, 0, 255)));
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Color scheme"), -1), 2);
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Left"), -1), 10);
    Registry::DeleteKey(path);
}

TEST_F(Scat3DWindow, SeriesLoadFromPastedTextAndFilesWithinTheirLineLimits) {
    TScatPlot_3D p;
    QApplication::clipboard()->setText(QStringLiteral("1\r\n\r\n3"));
    p.PasteSeries(1);
    EXPECT_EQ(PlotSeries[1].Values, (std::vector<float>{0, 1, 0, 3})); // an empty line reads 0
    EXPECT_EQ(PlotSeries[1].Name, "Pasted X");
    EXPECT_EQ(p.Series.PointCount, 3);

    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    p.LoadSixSeries(write("six.txt", QByteArray("1\t2\t3\t4\t5\t6\n") +
                                         QByteArray("7\n").repeated(24))); // 60 bytes
    EXPECT_EQ(p.Series.PointCount, 10);
    EXPECT_EQ(PlotSeries[6].Count, 10);
    EXPECT_EQ(PlotSeries[6].Name, "Pasted 6");
    EXPECT_EQ(PlotSeries[6].Values[1], 6);
    EXPECT_EQ(PlotSeries[2].Values[2], 0);

    MessageCapture box;
    p.LoadSixSeries(dir.filePath(QStringLiteral("missing.txt")));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, QStringLiteral("Could not open ") +
                                     dir.filePath(QStringLiteral("missing.txt")) +
                                     QStringLiteral("\nI/O-error=2"));
    EXPECT_EQ(p.Series.PointCount, 10); // nothing changed
    EXPECT_EQ(PlotSeries[6].Count, 10);

    FileDialogAnswerer dialog(
        {write("cells.fcs", QByteArray::fromStdString(fcsfile::FixedLayoutFile(4)))});
    p.ImportFCSClick();
    EXPECT_EQ(dialog.requests[0].caption, QStringLiteral("Select FCS 2.0 formatted data file"));
    EXPECT_EQ(p.Series.PointCount, 4);
    EXPECT_EQ(PlotSeries[1].Name, "FSC-H");
    EXPECT_EQ(PlotSeries[5].Name, "FL3-H");
    EXPECT_EQ(PlotSeries[5].Values.size(), 5u);
    EXPECT_EQ(PlotSeries[6].Name, "Pasted 6"); // record 6 stays

    ResetRandom();
    p.PositiveRandomDataClick();
    EXPECT_EQ(PlotSeries[10].Name, "Data10");
    EXPECT_EQ(PlotSeries[10].Count, 10000);
    EXPECT_EQ(p.Series.PointCount, 10000);
    ResetRandom();
    EXPECT_EQ(PlotSeries[1].Values[1], float(65535 * std::sin(RandomUnit() * 1.557)));
}

TEST_F(Scat3DWindow, RendersWhenShownWithTheCountInItsCaption) {
    TScatPlot_3D p;
    Fill(p.Series, 6);
    p.resize(400, 300);
    p.show();
    p.FormPaint();
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Parnwick - 3D Scatter plot : 3 DP"));
    EXPECT_EQ(p.SceneImage.size(), p.Scene->size());
    const int renders = p.RenderCount;
    p.FormPaint(); // nothing changed: the cached scene serves
    EXPECT_EQ(p.RenderCount, renders);
    p.hide();
    p.Series.PointCount = 2;
    p.Repaint();
    p.FormPaint();
    EXPECT_EQ(p.RenderCount, renders);
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Parnwick - 3D Scatter plot : 3 DP"));
}

TEST_F(Scat3DWindow, ARotationRepaintsTheOtherPlotsOnceWithoutEchoes) {
    PlotStandIn other;
    TScatPlot_3D a;
    Fill(a.Series, 6);
    a.View.AngleY = 33;
    a.show();
    const std::unique_ptr<TScatPlot_3D> made(a.NewWindowClick());
    TScatPlot_3D& b = *made;
    EXPECT_EQ(b.View.AngleY, 33);
    EXPECT_EQ(b.Series.PointCount, 3);
    EXPECT_EQ(b.pos(), a.pos() + QPoint(50, 50));
    Settle();
    other.got.clear();
    const int renders = b.RenderCount;
    ToolBus::Send(a.Handle(), 100, 20);
    Settle();
    EXPECT_EQ(other.got, (std::vector<std::pair<int, intptr_t>>{{0, 1}}));
    EXPECT_EQ(b.RenderCount, renders + 1);
}

TEST_F(Scat3DWindow, PicturesGoToJpegFilesAndThePrinter) {
    TScatPlot_3D p;
    Fill(p.Series, 6);
    p.resize(300, 250);
    p.show();
    QTemporaryDir dir;
    const QString jpeg = dir.filePath(QStringLiteral("3D_ScatPlot.jpg"));
    p.SaveJpeg(jpeg);
    QFile f(jpeg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xC0", 2))); // baseline frame
    jpeg_decompress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(int(info.image_width), p.Scene->width());
    EXPECT_EQ(int(info.image_height), p.Scene->height());
    EXPECT_EQ(info.num_components, 3);
    EXPECT_FALSE(info.progressive_mode);
    jpeg_destroy_decompress(&info);

    p.Edit_CopyImageClick();
    EXPECT_EQ(QApplication::clipboard()->image().size(), p.Scene->size());

    MessageCapture box;
    p.SaveJpeg(dir.filePath(QStringLiteral("no/such/folder/x.jpg")));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_TRUE(box.shown[0].text.startsWith(QStringLiteral("Could not save ")));

    const QString pdf = dir.filePath(QStringLiteral("plot.pdf"));
    const PrinterDialogHook previous = SetPrintDialogHook([&pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    p.PrintClick();
    SetPrintDialogHook(previous);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(4) == "%PDF");
}

TEST_F(Scat3DWindow, TheLastCloseReleasesTheValuesAndLaterCommandsFindNone) {
    const int before = PlotWindowCount;
    auto p = std::make_unique<TScatPlot_3D>();
    Fill(p->Series, 6, 1000);
    p->show();
    p->ControlesClick();
    TSC3D_Controls* c = ControlWindow();
    ASSERT_TRUE(c);
    EXPECT_EQ(PlotWindowCount, before + 1);
    p->close();
    p->close(); // counted once
    EXPECT_EQ(PlotWindowCount, before);
    if (before == 0) {
        EXPECT_EQ(PlotSeries[1].Count, 0);
        EXPECT_TRUE(PlotSeries[1].Values.empty());
        EXPECT_EQ(PlotSeries[1].Name, "s1");
    }
    ToolBus::Send(c->PlotHandle, 1, 1);
    c->Button_SetGateClick(); // code 600 over the emptied table
    EXPECT_EQ(PlotGates.MaskCount, 1000);
    p.reset();
    EXPECT_EQ(PlotWindowCount, before);
}

TEST_F(Scat3DWindow, TheGroupSelectorsRequestOpensOnePlotWithItsSeries) {
    InstallPlotViewers();
    Plot3DRequest request;
    for (const char* name : {"cond A", "cond B", "cond C"})
        request.Series.push_back({QString::fromLatin1(name), {1, 2, 3, 4}});
    const QWidgetList before = QApplication::topLevelWidgets();
    RequestPlot3D(nullptr, request);
    std::vector<TScatPlot_3D*> opened;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* plot = qobject_cast<TScatPlot_3D*>(w); plot && !before.contains(w))
            opened.push_back(plot);
    ASSERT_EQ(opened.size(), 1u);
    std::unique_ptr<TScatPlot_3D> plot(opened[0]);
    EXPECT_TRUE(plot->isVisible());
    EXPECT_EQ(PlotSeries[1].Name, "cond A");
    EXPECT_EQ(PlotSeries[3].Name, "cond C");
    EXPECT_EQ(PlotSeries[4].Count, 0);
    EXPECT_EQ(plot->Series.DimSeries[3], 3);
    EXPECT_EQ(plot->Series.PointCount, 4);
    PlotViewers() = PlotViewerHandlers{};
}

} // namespace
