#include "PainterCanvas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace wendle;

namespace {

constexpr QRgb Grey = 0xFF808080;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;

struct Probe {
    int x, y;
    QRgb colour;
};

// Draws through a canvas at 600 pixels per inch onto a grey image and checks pixels.
class PainterCanvasTest : public ::testing::Test {
protected:
    PainterCanvasTest() { image.fill(Grey); }

    void Expect(std::initializer_list<Probe> probes)
    {
        for (const Probe& p : probes) {
            SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
            EXPECT_EQ(image.pixel(p.x, p.y), p.colour);
        }
    }

    QImage image { 200, 200, QImage::Format_RGB32 };
};

TEST_F(PainterCanvasTest, RectangleFillsInsideAndOutlinesItsBorderPixels)
{
    {
        QPainter painter(&image);
        TPainterCanvas canvas(painter, 600);
        canvas.SetBrushColour(0x0000FF); // 0x00BBGGRR: red
        canvas.SetPenColour(0x02FF0000); // blue, palette flag set
        canvas.SetPenWidth(1);
        canvas.Rectangle(10, 10, 20, 15);
        canvas.SetPenWidth(3);
        canvas.Rectangle(50, 50, 70, 60);
    }
    Expect({ { 10, 10, Blue }, { 19, 14, Blue }, { 19, 12, Blue }, { 15, 14, Blue },
        { 11, 11, Red }, { 18, 13, Red }, { 20, 12, Grey }, { 15, 15, Grey }, { 9, 12, Grey },
        { 15, 9, Grey } });
    // A pen of 3 spreads one pixel to each side of the border pixels.
    Expect({ { 49, 55, Blue }, { 51, 55, Blue }, { 52, 55, Red }, { 48, 55, Grey },
        { 70, 55, Blue }, { 71, 55, Grey }, { 67, 55, Red }, { 60, 49, Blue }, { 60, 60, Blue },
        { 60, 61, Grey }, { 60, 57, Red } });
}

TEST_F(PainterCanvasTest, LineIncludesItsStartAndExcludesItsEnd)
{
    {
        QPainter painter(&image);
        TPainterCanvas canvas(painter, 600);
        canvas.SetPenColour(0xFF0000);
        canvas.SetPenWidth(1);
        canvas.Line(10, 50, 20, 50);
        canvas.Line(20, 60, 10, 60);
        canvas.Line(30, 10, 30, 20);
        canvas.SetPenWidth(3);
        canvas.Line(40, 80, 40, 90);
    }
    Expect({ { 10, 50, Blue }, { 19, 50, Blue }, { 20, 50, Grey }, { 9, 50, Grey },
        { 15, 49, Grey }, { 15, 51, Grey }, { 20, 60, Blue }, { 11, 60, Blue }, { 10, 60, Grey },
        { 30, 10, Blue }, { 30, 19, Blue }, { 30, 20, Grey }, { 39, 85, Blue }, { 41, 85, Blue },
        { 42, 85, Grey }, { 40, 90, Grey } });
}

TEST(PainterCanvasTextTest, TextSizeFollowsPixelsPerInchOnOpaqueGround)
{
    QImage image(800, 300, QImage::Format_RGB32);
    image.fill(Grey);
    QPainter painter(&image);
    TPainterCanvas fine(painter, 600);
    fine.SetFont("Arial", 12);
    const int height = fine.TextHeight("X");
    const int width = fine.TextWidth("X");
    // 12 points at 600 pixels per inch are 100 pixels.
    EXPECT_GE(height, 90);
    EXPECT_LE(height, 140);
    TPainterCanvas coarse(painter, 300);
    coarse.SetFont("Arial", 12);
    EXPECT_NEAR(coarse.TextHeight("X"), height / 2.0, 4.0);
    EXPECT_GT(fine.TextWidth("XXXX"), 3 * width);

    fine.SetBrushColour(0x00FFFF); // yellow ground
    fine.SetPenColour(0x0000FF); // red text
    fine.TextOut(10, 10, "X");
    painter.end();
    int ink = 0, ground = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool inBox = x >= 10 && x < 10 + width && y >= 10 && y < 10 + height;
            ink += inBox && pixel == Red;
            ground += inBox && pixel == 0xFFFFFF00;
            outside += !inBox && pixel != Grey;
        }
    EXPECT_GT(ink, 100);
    EXPECT_GT(ground, width * height / 3);
    EXPECT_LT(outside, width * 2); // at most a fringe of the glyph box
}

} // namespace
