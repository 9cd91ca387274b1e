#include "gdicanvas.h"

#include <QImage>
#include <gtest/gtest.h>
#include <string>

namespace {

// The image as rows of '.' (white) and '#' (anything else).
std::string Pixels(const QImage& image) {
    std::string s;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) s += image.pixel(x, y) == 0xFFFFFFFFu ? '.' : '#';
        s += '\n';
    }
    return s;
}

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(GdiCanvas, RectanglesLeaveOutTheirRightAndBottomEdges) {
    QImage image = Blank(8, 6);
    {
        GdiCanvas canvas(image);
        canvas.SetPen(0x0000FF);
        canvas.SetBrush(0x00FF00);
        canvas.Rectangle(5, 4, 1, 1); // corners in either order
    }
    EXPECT_EQ(Pixels(image), "........\n"
                             ".####...\n"
                             ".####...\n"
                             ".####...\n"
                             "........\n"
                             "........\n");
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(255, 0, 0)); // outline in the pen colour
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(0, 255, 0)); // inside in the brush colour
    EXPECT_EQ(QColor(image.pixel(4, 3)), QColor(255, 0, 0));
}

TEST(GdiCanvas, ClearBrushOutlinesAndNoPenFillsOnePixelLess) {
    QImage image = Blank(8, 6);
    {
        GdiCanvas canvas(image);
        canvas.SetPen(0);
        canvas.ClearBrush();
        canvas.Rectangle(0, 0, 5, 5);
        canvas.SetPen(0, Qt::NoPen);
        canvas.SetBrush(0);
        canvas.Rectangle(5, 0, 8, 3);
    }
    EXPECT_EQ(Pixels(image), "#######.\n"
                             "#...###.\n"
                             "#...#...\n"
                             "#...#...\n"
                             "#####...\n"
                             "........\n");
}

TEST(GdiCanvas, LinesLeaveOutTheirEndPoint) {
    QImage image = Blank(8, 8);
    {
        GdiCanvas canvas(image);
        canvas.MoveTo(1, 0);
        canvas.LineTo(5, 0); // right
        canvas.LineTo(5, 3); // down, from where the last line ended
        canvas.MoveTo(6, 7);
        canvas.LineTo(2, 7); // leftwards: the start is drawn, the end is not
        canvas.MoveTo(0, 2);
        canvas.LineTo(3, 5); // diagonal
        canvas.MoveTo(7, 7);
        canvas.LineTo(7, 7); // nothing
    }
    EXPECT_EQ(Pixels(image), ".#####..\n"
                             ".....#..\n"
                             "#....#..\n"
                             ".#......\n"
                             "..#.....\n"
                             "........\n"
                             "........\n"
                             "...####.\n");
}

} // namespace
