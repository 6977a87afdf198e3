#include "chart/StitchDisplay.h"

#include "LaidOut.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

using namespace wendle;

namespace {

TEST(StitchCellHeightTest, RoundsAtTheGeometricMeanAndRefusesUnusableGauges)
{
    struct Case {
        std::optional<double> across, down;
        int cellWidth;
        std::optional<int> height;
    } const cases[] = { { 6.0, 7.5, 4, 3 }, // 3.2: 10.24 < 12
        { 6.0, 7.5, 12, 10 }, // 9.6: 92.16 >= 90
        { 2.0, 16.0, 3, 1 }, // 0.375 has no lower neighbour
        { 16.0, 2.0, 12, 96 }, { 3.47, 1.0, 1, 4 }, { 3.46, 1.0, 1, 3 }, // mean of 3, 4: 3.464
        { 1048576.0, 1.0, 1, 1048576 }, { 1048577.0, 1.0, 1, {} }, // beyond a screen
        { std::nullopt, 7.5, 4, {} }, { 6.0, std::nullopt, 4, {} }, { 0.0, 7.5, 4, {} },
        { NAN, 7.5, 4, {} }, { 6.0, 7.5, 0, {} }, { 1e300, 1e-300, 4, {} } };
    for (const Case& c : cases)
        EXPECT_EQ(StitchCellHeight(c.across, c.down, c.cellWidth), c.height)
            << c.across.value_or(-1) << "/" << c.down.value_or(-1);
}

// The display as drawing every cell gives it: each cell a rectangle from (cW, rH) to
// ((c+1)W + 1, (r+1)H + 1), right and bottom exclusive, its outline in the pen colour and
// its inside in the brush colour, later cells drawn over earlier ones.
std::vector<std::uint32_t> ReferenceDisplay(
    const TChartLayout& chart, const DisplayColours& colours, int w, int h)
{
    const int width = chart.ChartWidth * w + 1;
    std::vector<std::uint32_t> pixels(
        static_cast<std::size_t>(width) * (chart.ChartHeight * h + 1));
    const auto [background, text, grid] = colours.Colours;
    for (int r = 0; r < chart.ChartHeight; ++r) {
        for (int c = 0; c < chart.ChartWidth; ++c) {
            const Colour brush = chart.IsTextStitch(r, c) ? text : background;
            const Colour pen = grid == background ? brush : grid;
            for (int y = r * h; y <= (r + 1) * h; ++y)
                for (int x = c * w; x <= (c + 1) * w; ++x) {
                    const bool outline
                        = x == c * w || x == (c + 1) * w || y == r * h || y == (r + 1) * h;
                    pixels[static_cast<std::size_t>(y) * width + x]
                        = (outline ? pen : brush).Argb();
                }
        }
    }
    return pixels;
}

TEST(StitchDisplayTest, EveryExposedRectangleMatchesDrawingEveryCell)
{
    const TChartLayout chart = test::LaidOut({ "HI &", "W!" });
    // A grid in the background colour is hidden; without the palette flag it is not the same.
    Colour plainCream = CreamColour;
    plainCream.PaletteRelative = false;
    const std::tuple<Colour, int, int> cases[] = { { MaroonColour, 4, 3 }, { MaroonColour, 3, 1 },
        { CreamColour, 5, 4 }, { plainCream, 12, 10 } };
    std::mt19937 random(7);
    for (const auto& [grid, w, h] : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << grid.Argb() << " " << w << "x" << h);
        DisplayColours colours;
        colours.Colours[DisplayColours::GridLines] = grid;
        const int width = chart.ChartWidth * w + 1, height = chart.ChartHeight * h + 1;
        const auto whole = ReferenceDisplay(chart, colours, w, h);
        for (int trial = 0; trial < 100; ++trial) {
            // The first trial is the whole display; the others are parts, some past its edges.
            const auto pick = [&](int low, int high, int whole) {
                return trial ? std::uniform_int_distribution(low, high)(random) : whole;
            };
            const int left = pick(-3, width, 0), top = pick(-3, height, 0);
            const int rw = pick(1, 40, width), rh = pick(1, 40, height);
            std::vector<std::uint32_t> part(static_cast<std::size_t>(rw) * rh, 0xDEADBEEF);
            RenderStitchDisplay(chart, colours, w, h, left, top, rw, rh, part.data(), rw);
            for (int y = top; y < top + rh; ++y)
                for (int x = left; x < left + rw; ++x) {
                    const bool inside = x >= 0 && y >= 0 && x < width && y < height;
                    ASSERT_EQ(part[static_cast<std::size_t>(y - top) * rw + x - left],
                        inside ? whole[static_cast<std::size_t>(y) * width + x] : 0xDEADBEEF)
                        << "trial " << trial << " at " << x << "," << y;
                }
        }
    }
    // Nothing is drawn for a chart not laid out, or for cells without width or height.
    const TChartLayout unlaid;
    for (const auto& [shown, w, h] :
        { std::tuple { &unlaid, 4, 3 }, { &chart, 0, 3 }, { &chart, 4, 0 } }) {
        std::vector<std::uint32_t> pixels(100, 0xDEADBEEF);
        RenderStitchDisplay(*shown, DisplayColours {}, w, h, 0, 0, 10, 10, pixels.data(), 10);
        EXPECT_EQ(pixels, std::vector<std::uint32_t>(100, 0xDEADBEEF)) << w << "x" << h;
    }
}

// "I  I" with a word gap of 5 floats 9 stitches from column 2 in rows 1 to 5; at 4 x 3 pixels a
// cell, row r's outline spans pixel rows 3r to 3r + 3. Only the rows that reach into the pixel
// rows asked for are outlined.
TEST(StitchDisplayTest, FloatOutlinesFollowTheGridLinesOfTheRowsInView)
{
    const TChartLayout chart = test::LaidOut({ "I  I" }, { .BlankRows = 1, .WordGap = 5 });
    for (const auto& [limit, top, bottom, first, last] :
        { std::array { 8, 0, 100, 1, 5 }, { 9, 0, 100, 1, 0 }, { 8, 0, 3, 1, 0 }, { 8, 6, 9, 1, 2 },
            { 8, 7, 9, 2, 2 }, { 8, 18, 19, 5, 5 }, { 8, 19, 100, 1, 0 } }) {
        std::vector<PixelRect> outlines;
        for (int r = first; r <= last; ++r)
            outlines.push_back({ 8, 3 * r, 37, 4 });
        EXPECT_EQ(FloatOutlines(chart, limit, 4, 3, top, bottom), outlines)
            << limit << ": " << top << "-" << bottom;
    }
}

} // namespace
