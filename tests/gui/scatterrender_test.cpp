#include "gdicanvas.h"
#include "scatterrender.h"
#include "scatterview.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0), kBlue = qRgb(0, 0, 255);

ScatterPlotData TwoPoints() {
    ScatterPlotData d;
    SetSeriesLength(d, 1, 2);
    d.Series[1].Values[1][1] = 2;
    d.Series[1].Values[2][1] = 3;
    d.Series[1].Values[1][2] = 12;
    d.Series[1].Values[2][2] = 13;
    UpdateSeriesRange(d, 1);
    return d;
}

TEST(ScatterRender, PointWriterDrawsAsGdiSquares) {
    for (const QPoint& at : {QPoint(10, 10), QPoint(0, 5), QPoint(19, 19), QPoint(-1, 3)}) {
        QImage direct(20, 20, QImage::Format_RGB32), gdi(20, 20, QImage::Format_RGB32);
        direct.fill(qRgb(9, 99, 199));
        gdi.fill(qRgb(9, 99, 199));
        WritePointSquare(direct, at.x(), at.y(), qRgb(255, 0, 0));
        {
            GdiCanvas c(gdi);
            c.SetPen(0x0000FF);
            c.SetBrush(0xFFFFFF);
            c.Rectangle(at.x() - 2, at.y() - 2, at.x() + 2, at.y() + 2);
        }
        EXPECT_EQ(direct, gdi) << at.x() << "," << at.y();
    }
}

TEST(ScatterRender, AxesRefuseLogScalesThatCannotHold) {
    ScatterPlotData d = TwoPoints();
    ScatterStyle style;
    style.logX = style.symmetric = true;
    ScatterAxes a = ScatterAxesFor(d, style, 100, 50);
    EXPECT_FALSE(style.symmetric); // only one axis is logarithmic
    EXPECT_EQ(a.minX, 0.0f);
    EXPECT_FLOAT_EQ(a.maxX, std::log10(12.0f));
    EXPECT_EQ(a.minY, 3.0f);
    EXPECT_FLOAT_EQ(a.scaleY, 5.0f);
    d.Series[1].Values[1][1] = -1;
    UpdateSeriesRange(d, 1);
    ScatterAxesFor(d, style, 100, 50);
    EXPECT_FALSE(style.logX); // a negative minimum unticks Log-X

    ScatterPlotData empty;
    style.logX = style.logY = true;
    a = ScatterAxesFor(empty, style, 100, 50);
    EXPECT_TRUE(a.empty);
    EXPECT_TRUE(style.logX);
    EXPECT_EQ(a.minX, 0.0f);
    EXPECT_EQ(a.maxY, 1.0f);
    EXPECT_EQ(a.scaleX, 100.0f);
}

TEST(ScatterRender, PointsSelectionAndDiagonals) {
    ScatterPlotData d;
    SetSeriesLength(d, 1, 3);
    const float xs[] = {2, 12, 7.2f}, ys[] = {3, 13, 7.2f};
    for (int i = 1; i <= 3; ++i) {
        d.Series[1].Values[1][i] = xs[i - 1];
        d.Series[1].Values[2][i] = ys[i - 1];
    }
    d.Series[1].Flags[1] = 1;
    UpdateSeriesRange(d, 1);
    ScatterStyle style;
    style.mainDiagonal = style.sideDiagonals = false;
    QImage plot(100, 100, QImage::Format_RGB32);
    PaintScatterPlot(plot, d, ScatterAxesFor(d, style, 100, 100), style);
    // 10 pixels per unit: (7.2, 7.2) at (52, 58), (2, 3) at the lower-left corner.
    EXPECT_EQ(plot.pixel(50, 56), kBlack);
    EXPECT_EQ(plot.pixel(53, 59), kBlack);
    EXPECT_EQ(plot.pixel(51, 57), kWhite);
    EXPECT_EQ(plot.pixel(52, 58), kWhite);
    EXPECT_EQ(plot.pixel(54, 58), kWhite);
    EXPECT_EQ(plot.pixel(1, 98), kBlue);  // selected
    EXPECT_EQ(plot.pixel(0, 50), kBlack); // frame
    EXPECT_EQ(plot.pixel(30, 70), kWhite);

    style.mainDiagonal = style.sideDiagonals = true;
    PaintScatterPlot(plot, d, ScatterAxesFor(d, style, 100, 100), style);
    EXPECT_EQ(plot.pixel(30, 70), kBlue); // the main diagonal keeps the selection's pen
    EXPECT_EQ(plot.pixel(30, 67), qRgb(255, 192, 192)); // twofold: log10(2) x 10 = 3 pixels
    EXPECT_EQ(plot.pixel(30, 73), qRgb(255, 192, 192));
}

TEST(ScatterRender, TicksOnLogAndLinearAxesNoneWhenEmpty) {
    ScatterPlotData d;
    SetSeriesLength(d, 1, 2);
    d.Series[1].Values[1] = std::vector<float>(12, 0);
    d.Series[1].Values[1][1] = 1;
    d.Series[1].Values[1][2] = 1000;
    d.Series[1].Values[2][2] = 50;
    UpdateSeriesRange(d, 1);
    ScatterStyle style;
    style.logX = true;
    const QRect plot(40, 2, 300, 100);
    QImage canvas(400, 160, QImage::Format_RGB32);
    canvas.fill(kWhite);
    const ScatterAxes a = ScatterAxesFor(d, style, plot.width(), plot.height());
    PaintScatterTicks(canvas, plot, d, a, style);
    const int yb = plot.top() + plot.height();
    for (int e = 0; e <= 2; ++e) EXPECT_EQ(canvas.pixel(40 + e * 100, yb + 2), kBlack) << e;
    EXPECT_EQ(canvas.pixel(40 + 50, yb + 2), kWhite);
    // y runs 0..50: ticks of 10 at every 20 pixels, left of the plot.
    for (int i = 0; i <= 4; ++i) EXPECT_EQ(canvas.pixel(37, yb - i * 20), kBlack) << i;
    EXPECT_EQ(canvas.pixel(37, yb - 10), kWhite);

    ScatterPlotData empty;
    QImage blank(400, 160, QImage::Format_RGB32);
    blank.fill(kWhite);
    PaintScatterTicks(blank, plot, empty, ScatterAxesFor(empty, style, 300, 100), style);
    for (int y = yb; y < 160; ++y)
        for (int x = 0; x < 400; ++x) ASSERT_EQ(blank.pixel(x, y), kWhite) << x << "," << y;
}

TEST(ScatterRender, HiddenViewerRendersToBitmap) {
    TfScatterView view;
    view.resize(500, 420);
    view.FormResize();
    ASSERT_FALSE(view.isVisible());
    EXPECT_EQ(view.PaintBox2->width(), view.PaintBox2->height());
    EXPECT_GT(view.PaintBox2->width(), 100);
    view.SetSeriesLength(1, 1);
    view.Series[1].Values[1][1] = 5;
    view.Series[1].Values[2][1] = 5;
    view.UpdateSeriesRange(1);
    QImage bitmap;
    view.RenderToBitmap(bitmap);
    EXPECT_EQ(bitmap.size(), view.PaintBox1->size() - QSize(2, 2));
    EXPECT_EQ(bitmap.pixel(2, bitmap.height() - 2), kWhite);
    // The plot's frame and the point at its lower-left corner.
    const QPoint corner = view.PaintBox2->geometry().bottomLeft() - QPoint(1, 1);
    EXPECT_EQ(bitmap.pixel(corner + QPoint(0, -5)), kBlack);
    EXPECT_EQ(bitmap.pixel(corner + QPoint(10, 0)), kBlack);
}

} // namespace
