#include "render/PainterCanvas.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace wendle;

namespace {

constexpr QRgb Grey = 0xFF808080, Red = 0xFFFF0000, Blue = 0xFF0000FF;

TEST(PainterCanvasTest, ShapesKeepToTheirPixelsOnAnyScaleAndTextFollowsPixelsPerInch)
{
    // At 600 pixels per inch onto a grey image, brush red, pen blue; text right of the shapes.
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Grey);
    int width = 0, height = 0, ink = 0, ground = 0;
    QPainter painter(&image);
    TPainterCanvas c(painter, 600);
    c.SetBrushColour(RedColour), c.SetPenColour({ 0, 0, 255, true }); // a palette-relative blue
    c.SetFont("Arial", 12), c.TextOut(100, 10, "X");
    width = c.TextWidth("X"), height = c.TextHeight("X");
    c.SetPenWidth(0), c.Rectangle(10, 10, 20, 15), c.Line(10, 50, 20, 50), c.Line(20, 60, 10, 60);
    c.Line(10, 100, 30, 120); // slanted, as the painter draws it, end included
    // A pen of 3 spreads one pixel to each side of the border pixels and of a line; a
    // rectangle without width draws nothing.
    c.SetPenWidth(3), c.Rectangle(50, 50, 70, 60), c.Line(40, 80, 40, 90), c.Line(30, 90, 30, 80);
    c.Rectangle(80, 10, 80, 20);
    // A rectangle's second corner and a line's end are exclusive.
    const std::tuple<int, int, QRgb> probes[] { { 10, 10, Blue }, { 19, 14, Blue }, { 11, 11, Red },
        { 18, 13, Red }, { 20, 12, Grey }, { 15, 15, Grey }, { 9, 12, Grey }, { 49, 55, Blue },
        { 51, 55, Blue }, { 52, 55, Red }, { 48, 55, Grey }, { 70, 55, Blue }, { 71, 55, Grey },
        { 60, 49, Blue }, { 60, 61, Grey }, { 10, 50, Blue }, { 19, 50, Blue }, { 20, 50, Grey },
        { 9, 50, Grey }, { 20, 60, Blue }, { 10, 60, Grey }, { 39, 80, Blue }, { 41, 85, Blue },
        { 42, 85, Grey }, { 40, 90, Grey }, { 30, 90, Blue }, { 30, 80, Grey }, { 80, 15, Grey },
        { 20, 110, Blue }, { 30, 120, Blue }, { 21, 110, Grey } };
    for (const auto& [x, y, colour] : probes)
        EXPECT_EQ(image.pixel(x, y), colour) << x << "," << y;

    // 12 points at 600 pixels per inch are 100 pixels; the line height is a little more. The
    // text's box is filled with the brush.
    EXPECT_TRUE(height >= 95 && height <= 140) << height;
    for (int y = 10; y < 10 + height; ++y)
        for (int x = 100; x < 100 + width; ++x) {
            ink += image.pixel(x, y) == Blue;
            ground += image.pixel(x, y) == Red;
        }
    EXPECT_GT(ink, 100);
    EXPECT_GT(ground, width * height / 3);

    // A reduced view, 280 printer pixels onto 40 device pixels: a rectangle outlined one
    // printer pixel wide and six lines as wide, each a seventh of a device pixel, keep a
    // device pixel each.
    QImage small(40, 40, QImage::Format_RGB32);
    small.fill(Grey);
    QPainter reduced(&small);
    reduced.setWindow(0, 0, 280, 280);
    TPainterCanvas r(reduced, 600);
    r.SetBrushColour(RedColour), r.SetPenColour({ 0, 0, 255 }), r.Rectangle(0, 0, 71, 71);
    for (int x = 100; x < 280; x += 30)
        r.Line(x, 100, x, 250);
    const QRgb* across = reinterpret_cast<const QRgb*>(small.constScanLine(30)); // the lines
    EXPECT_EQ(std::tuple(small.pixel(0, 5), small.pixel(1, 5), small.pixel(8, 5), small.pixel(9, 5),
                  small.pixel(10, 5), std::count(across, across + 40, Blue)),
        std::tuple(Blue, Red, Red, Blue, Grey, std::ptrdiff_t { 6 }));
}

} // namespace
