#include "StitchDisplay.h"

#include "BlankValue.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace wendle;

namespace {

TEST(StitchCellHeightTest, RoundsAtTheGeometricMean)
{
    EXPECT_EQ(StitchCellHeight(6.0, 7.5, 4), 3); // 3.2: 10.24 < 12
    EXPECT_EQ(StitchCellHeight(6.0, 7.5, 12), 10); // 9.6: 92.16 >= 90
    EXPECT_EQ(StitchCellHeight(2.0, 16.0, 3), 1); // 0.375 has no lower neighbour
    EXPECT_EQ(StitchCellHeight(16.0, 2.0, 12), 96);
    EXPECT_EQ(StitchCellHeight(6.0, 6.0, 7), 7);
    // 3.47 lies above the geometric mean of 3 and 4 (3.464), 3.46 below it.
    EXPECT_EQ(StitchCellHeight(3.47, 1.0, 1), 4);
    EXPECT_EQ(StitchCellHeight(3.46, 1.0, 1), 3);
}

TEST(StitchCellHeightTest, UnusableGaugeGivesNoHeight)
{
    EXPECT_EQ(StitchCellHeight(FxSpEmptyValue, 7.5, 4), std::nullopt);
    EXPECT_EQ(StitchCellHeight(6.0, FxSpEmptyValue, 4), std::nullopt);
    EXPECT_EQ(StitchCellHeight(6.0, 0.0, 4), std::nullopt);
    EXPECT_EQ(StitchCellHeight(-6.0, 7.5, 4), std::nullopt);
    EXPECT_EQ(StitchCellHeight(1e300, 1e-300, 4), std::nullopt);
}

TEST(StitchDisplaySizeTest, OneMorePixelThanTheCells)
{
    TChartLayout chart;
    TWendleFont font;
    font.BuildFont();
    // 49 I glyphs and a trailing blank give 100 stitches; six blank rows give 17 rows.
    ChartOptions options;
    options.BlankRows = 6;
    chart.LayOutChart(std::vector<std::string> { std::string(49, 'I') + " " }, options, font);
    ASSERT_EQ(chart.ChartWidth, 100);
    ASSERT_EQ(chart.ChartHeight, 17);
    const DisplaySize size = StitchDisplaySize(chart, 4, 3);
    EXPECT_EQ(size.Width, 401);
    EXPECT_EQ(size.Height, 52);
}

// The display as drawing every cell gives it: each cell a rectangle from (cW, rH) to
// ((c+1)W + 1, (r+1)H + 1), right and bottom exclusive, its outline in the pen colour and
// its inside in the brush colour, later cells drawn over earlier ones.
std::vector<std::uint32_t> ReferenceDisplay(
    const TChartLayout& chart, const DisplayColours& colours, int w, int h)
{
    const int width = chart.ChartWidth * w + 1;
    const int height = chart.ChartHeight * h + 1;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0);
    const TColour background = colours.Colours[0];
    const TColour grid = colours.Colours[2];
    for (int r = 0; r < chart.ChartHeight; ++r) {
        for (int c = 0; c < chart.ChartWidth; ++c) {
            const TColour brush = chart.IsTextStitch(r, c) ? colours.Colours[1] : background;
            const TColour pen = grid == background ? brush : grid;
            const int left = c * w, top = r * h, right = (c + 1) * w + 1, bottom = (r + 1) * h + 1;
            for (int y = top; y < bottom; ++y) {
                for (int x = left; x < right; ++x) {
                    const bool outline = x == left || x == right - 1 || y == top || y == bottom - 1;
                    pixels[static_cast<std::size_t>(y) * width + x] = ToArgb(outline ? pen : brush);
                }
            }
        }
    }
    return pixels;
}

class StitchRasterTest : public ::testing::Test {
protected:
    StitchRasterTest()
    {
        font.BuildFont();
        chart.LayOutChart(std::vector<std::string> { "HI &", "W!" }, ChartOptions {}, font);
    }

    std::vector<std::uint32_t> Render(int w, int h, int left, int top, int width, int height) const
    {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0xDEADBEEF);
        RenderStitchDisplay(chart, colours, w, h, left, top, width, height, pixels.data(), width);
        return pixels;
    }

    TWendleFont font;
    TChartLayout chart;
    DisplayColours colours;
};

TEST_F(StitchRasterTest, MatchesDrawingEveryCellWithGridLines)
{
    for (const auto& [w, h] : { std::pair { 4, 3 }, std::pair { 3, 1 }, std::pair { 12, 10 } }) {
        const auto expected = ReferenceDisplay(chart, colours, w, h);
        const int width = chart.ChartWidth * w + 1;
        const int height = chart.ChartHeight * h + 1;
        EXPECT_EQ(Render(w, h, 0, 0, width, height), expected) << w << "x" << h;
    }
}

TEST_F(StitchRasterTest, GridColourEqualToBackgroundHidesEveryLine)
{
    colours.Colours[DisplayColours::GridLines] = colours.Colours[DisplayColours::Background];
    const auto expected = ReferenceDisplay(chart, colours, 4, 3);
    const auto pixels = Render(4, 3, 0, 0, chart.ChartWidth * 4 + 1, chart.ChartHeight * 3 + 1);
    EXPECT_EQ(pixels, expected);
    // Neighbouring text stitches merge: no grid colour anywhere.
    for (const std::uint32_t pixel : pixels)
        EXPECT_NE(pixel, ToArgb(MaroonColour));
}

TEST_F(StitchRasterTest, SameColourWithoutThePaletteFlagStillDrawsTheGrid)
{
    colours.Colours[DisplayColours::GridLines] = CreamColour & 0x00FFFFFF;
    const auto expected = ReferenceDisplay(chart, colours, 4, 3);
    const int width = chart.ChartWidth * 4 + 1;
    const auto pixels = Render(4, 3, 0, 0, width, chart.ChartHeight * 3 + 1);
    EXPECT_EQ(pixels, expected);
    // H's top-left stitch is column 1, row 2; with column 3 its row-2 stitches are text,
    // and the line between rows 2 and 3 under column 1 shows in the cream grid colour.
    EXPECT_EQ(pixels[static_cast<std::size_t>(3 * 3) * width + 4 + 2], ToArgb(CreamColour));
    EXPECT_EQ(pixels[static_cast<std::size_t>(2 * 3 + 1) * width + 4 + 1], ToArgb(BlackColour));
}

TEST_F(StitchRasterTest, AnyExposedRectangleMatchesTheWholePicture)
{
    const int w = 5, h = 4;
    const int width = chart.ChartWidth * w + 1;
    const int height = chart.ChartHeight * h + 1;
    const auto whole = ReferenceDisplay(chart, colours, w, h);
    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        const int left = std::uniform_int_distribution(-3, width)(random);
        const int top = std::uniform_int_distribution(-3, height)(random);
        const int rw = std::uniform_int_distribution(1, 40)(random);
        const int rh = std::uniform_int_distribution(1, 40)(random);
        const auto part = Render(w, h, left, top, rw, rh);
        for (int y = 0; y < rh; ++y) {
            for (int x = 0; x < rw; ++x) {
                const int px = left + x, py = top + y;
                const std::uint32_t expected = (px >= 0 && py >= 0 && px < width && py < height)
                    ? whole[static_cast<std::size_t>(py) * width + px]
                    : 0xDEADBEEF; // outside the display: untouched
                ASSERT_EQ(part[static_cast<std::size_t>(y) * rw + x], expected)
                    << "trial " << trial << " at " << px << "," << py;
            }
        }
    }
}

TEST(ToArgbTest, SwapsRedAndBlueAndDropsTheFlag)
{
    EXPECT_EQ(ToArgb(CreamColour), 0xFFFFFBF0u);
    EXPECT_EQ(ToArgb(MaroonColour), 0xFF800000u);
    EXPECT_EQ(ToArgb(0x00FF0000), 0xFF0000FFu);
}

} // namespace
