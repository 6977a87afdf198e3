#include "PrintedPage.h"

#include "BlankValue.h"
#include "SizeMessage.h"
#include "WendleFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>

using namespace wendle;

namespace {

// Records every drawing call as one line of text, with the brush, pen and width in force:
// "R x1,y1,x2,y2 brush/pen/width" for rectangles, "L" for lines, "T<text> x,y" for text.
// Text is 10 pixels a character wide and 20 high.
class TRecordingCanvas : public TPageCanvas {
public:
    void SetBrushColour(TColour colour) override { brush = colour; }
    void SetPenColour(TColour colour) override { pen = colour; }
    void SetPenWidth(int w) override { width = w; }
    void Rectangle(int x1, int y1, int x2, int y2) override { Add("R", x1, y1, x2, y2); }
    void Line(int x1, int y1, int x2, int y2) override { Add("L", x1, y1, x2, y2); }
    void TextOut(int x, int y, const std::string& text) override { Add("T" + text, x, y, 0, 0); }
    int TextWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
    int TextHeight(const std::string&) override { return 20; }
    void SetFont(const std::string& name, int points) override
    {
        font = name + " " + std::to_string(points);
    }

    long Count(const std::string& call) const
    {
        return std::count(calls.begin(), calls.end(), call);
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(texts),
            [](const std::string& call) { return call[0] == 'T'; });
        return texts;
    }

    std::vector<std::string> calls;
    std::string font;

private:
    void Add(const std::string& kind, int x1, int y1, int x2, int y2)
    {
        char text[128];
        std::snprintf(text, sizeof text, "%s %d,%d,%d,%d %x/%x/%d", kind.c_str(), x1, y1, x2, y2,
            brush, pen, width);
        calls.push_back(text);
    }
    TColour brush { 0x123 }, pen { 0x123 };
    int width { -1 };
};

// A chart of I glyphs, each one stitch wide, and its print layout at the defaults.
struct Chart {
    Chart(const std::vector<std::string>& lines, int blankRows)
    {
        TWendleFont font;
        font.BuildFont();
        ChartOptions options;
        options.BlankRows = blankRows;
        chart.LayOutChart(lines, options, font);
        layout = ComputePrintRequirements({ chart.ChartWidth, chart.ChartHeight });
    }
    TRecordingCanvas Draw(PrintColours colours, double firstStitch = 1.0, double firstRow = 1.0,
        std::int32_t page = 1) const
    {
        TRecordingCanvas canvas;
        DrawPrintedPage(canvas, { chart, layout, colours, firstStitch, firstRow, 600, 600, page });
        return canvas;
    }
    TChartLayout chart;
    PrintLayout layout;
};

const PrintColours BlackOnWhite = ChoosePrintColours(0, {});

TEST(PrintedPageTest, PenTickAndFontFollowResolutionAndScale)
{
    struct Case {
        int ppi;
        float perInch;
        int pen, half, tick, points;
    } const cases[] {
        { 600, 12.0f, 3, 2, 60, 12 }, // t 3.125, 12.5 points round to even
        { 300, 12.0f, 1, 1, 30, 12 }, // t 1.5625
        { 600, 5.0f, 7, 4, 60, 30 }, // t 7.5
        { 600, 20.0f, 1, 1, 60, 8 }, // 7.5 points round to even
        { 384, 12.0f, 1, 1, 38, 12 }, // t 2: a tie keeps the smaller width
        { 776, 12.0f, 5, 3, 78, 12 }, // t 4.04
        { 605, 12.0f, 3, 2, 60, 12 }, // tick 60.5 rounds to even
        { 615, 12.0f, 3, 2, 62, 12 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ppi) + " ppi at " + std::to_string(c.perInch));
        EXPECT_EQ(GridPenWidth(c.ppi, c.perInch), c.pen);
        EXPECT_EQ(HalfPen(c.pen), c.half);
        EXPECT_EQ(TickLength(c.ppi), c.tick);
        EXPECT_EQ(PrintFontPoints(c.perInch), c.points);
    }
}

TEST(PrintedPageTest, NumberOffsetsAndTexts)
{
    const std::pair<double, std::int32_t> cases[] { { FxSpEmptyValue, 0 },
        { std::numeric_limits<double>::quiet_NaN(), 0 }, { 1.0, 0 }, { 28.0, 27 }, { 0.0, 0 },
        { 999.0, 998 }, { 1000.0, 998 }, { 2.5, 1 }, { 3.5, 3 } };
    for (const auto& [value, offset] : cases)
        EXPECT_EQ(NumberOffset(value), offset) << value;
    EXPECT_EQ(NumberText(9999), "9999");
    EXPECT_EQ(NumberText(10000), "1000");
}

TEST(PrintedPageTest, NumbersTicksAndTheirPlaces)
{
    // 40 x 17 in portrait: stitch c spans 900 + 50 (c - 1), row r 300 + 40 (r - 1), the chart
    // ends at 980.
    const Chart f({ std::string(19, 'I') + " " }, 6);
    const std::vector<std::string> fromOne { "T10 817,670,0,0 ffffff/0/1",
        "T10 1365,1043,0,0 ffffff/0/3", "T20 1865,1043,0,0 ffffff/0/3",
        "T30 2365,1043,0,0 ffffff/0/3", "T40 2865,1043,0,0 ffffff/0/3" };
    EXPECT_EQ(f.Draw(BlackOnWhite).Texts(), fromOne);
    EXPECT_EQ(f.Draw(BlackOnWhite, FxSpEmptyValue, FxSpEmptyValue).Texts(), fromOne);
    // Rows 3 and 13 are numbered 10 and 20; stitches 3, 13 ... 30, 40 ...
    const TRecordingCanvas canvas = f.Draw(BlackOnWhite, 28.0, 8.0);
    EXPECT_EQ(canvas.Texts(),
        (std::vector<std::string> { "T10 817,390,0,0 ffffff/0/1", "T20 817,790,0,0 ffffff/0/1",
            "T30 1015,1043,0,0 ffffff/0/3", "T40 1515,1043,0,0 ffffff/0/3",
            "T50 2015,1043,0,0 ffffff/0/3", "T60 2515,1043,0,0 ffffff/0/3" }));
    EXPECT_EQ(canvas.font, "Arial 12");
    EXPECT_EQ(canvas.Count("L 897,400,840,400 ffffff/0/1"), 1);
    EXPECT_EQ(canvas.Count("L 1025,983,1025,1040 ffffff/0/3"), 1);
}

TEST(PrintedPageTest, TwoSectionsShareThePageAndItsHeavyBars)
{
    // 140 x 55: two portrait sections of 70 on one page, the second 2500 pixels lower.
    const Chart f({ std::string(69, 'I') + " ", "I", "I" }, 10);
    ASSERT_EQ(f.layout.SectionsPerPage, 2);
    const TRecordingCanvas canvas = f.Draw(BlackOnWhite);
    const std::pair<const char*, long> bars[] { { "R 900,300,4402,302 0/0/3",
                                                    1 }, // first section: top, bottom, left
        { "R 900,2500,4402,2502 0/0/3", 1 }, { "R 900,300,902,2502 0/0/3", 1 },
        { "R 4400,300,4402,2502 0/0/3", 0 }, { "R 900,2800,4402,2802 0/0/3", 1 },
        { "R 900,5000,4402,5002 0/0/3", 1 }, { "R 900,2800,902,5002 0/0/3", 0 },
        { "R 4400,2800,4402,5002 0/0/3", 1 }, // second section: top, bottom, right
        { "T50 817,2270,0,0 ffffff/0/1", 1 }, { "T50 817,4770,0,0 ffffff/0/1", 1 },
        { "T70 4365,2563,0,0 ffffff/0/3", 1 }, { "T80 1365,5063,0,0 ffffff/0/3", 1 },
        { "T140 4360,5063,0,0 ffffff/0/3", 1 } };
    for (const auto& [call, count] : bars)
        EXPECT_EQ(canvas.Count(call), count) << call;
}

TEST(PrintedPageTest, ColoursOfGroundCellsAndBorder)
{
    const Chart f({ std::string(19, 'I') + " " }, 6);
    DisplayColours sameGrid;
    sameGrid.Colours[DisplayColours::Background] = 0x02123456;
    sameGrid.Colours[DisplayColours::Text] = 0xABCDEF;
    sameGrid.Colours[DisplayColours::GridLines] = 0x02123456;
    DisplayColours flagDiffers = sameGrid;
    flagDiffers.Colours[DisplayColours::GridLines] = 0x123456;
    // The ground, a text stitch (row 7, stitch 2), a blank one (row 1, stitch 1), the last bar.
    const std::pair<PrintColours, std::vector<std::string>> cases[] {
        { BlackOnWhite,
            { "R 900,300,2902,982 ffffff/0/3", "R 950,540,1002,582 0/0/3",
                "R 900,300,952,342 ffffff/0/3", "R 2900,300,2902,982 0/0/3" } },
        { ChoosePrintColours(1, sameGrid),
            { "R 900,300,2902,982 0/ffffff/3", "R 950,540,1002,582 ffffff/ffffff/3",
                "R 900,300,952,342 0/ffffff/3", "R 2900,300,2902,982 0/0/3" } },
        { ChoosePrintColours(2, sameGrid),
            { "R 900,300,2902,982 2123456/2123456/3", "R 950,540,1002,582 abcdef/abcdef/3",
                "R 900,300,952,342 2123456/abcdef/3", "R 2900,300,2902,982 0/0/3" } },
        { ChoosePrintColours(2, flagDiffers),
            { "R 900,300,2902,982 2123456/123456/3", "R 950,540,1002,582 abcdef/123456/3",
                "R 900,300,952,342 2123456/123456/3", "R 2900,300,2902,982 0/0/3" } },
    };
    for (const auto& [colours, expected] : cases) {
        const TRecordingCanvas canvas = f.Draw(colours);
        EXPECT_EQ(canvas.calls.front(), expected[0]);
        EXPECT_EQ(canvas.Count(expected[1]), 1) << expected[1];
        EXPECT_EQ(canvas.Count(expected[2]), 1) << expected[2];
        EXPECT_EQ(canvas.calls.back(), expected[3]);
    }
}

TEST(PrintedPageTest, LastPageAndPagesWithoutSections)
{
    // 10001 x 17 in landscape: 110 stitches a section, 4 sections a page, 23 pages.
    const Chart wide({ std::string(5000, 'I') }, 6);
    ASSERT_EQ(wide.layout.PagesRequired, 23);
    Chart empty({}, 6);
    empty.chart = TChartLayout {};
    empty.layout = ComputePrintRequirements({ 0, 0 });
    const Chart tall({ "I", "I", "I", "I", "I", "I", "I", "I", "I", "I" }, 10);
    struct Case {
        const Chart& f;
        int ppiX, ppiY;
        std::int32_t page;
        bool last;
        std::size_t calls; // the font, rectangles and texts
    } const cases[] {
        { wide, 600, 600, 22, false, 4 * (1 + 110 * 17 + 2 + 12) + 1 },
        { wide, 600, 600, 23, true, 2 * (1 + 110 * 17 + 2 + 12) + (1 + 101 * 17 + 3 + 11) + 1 },
        { wide, 600, 600, 24, true, 1 },
        { wide, 600, 600, 0, false, 0 },
        { wide, 0, 600, 1, true, 0 },
        { wide, 600, -1, 1, true, 0 },
        { empty, 600, 600, 1, true, 1 },
        { tall, 600, 600, 1, true, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.page) + " at " + std::to_string(c.f.chart.ChartWidth));
        TRecordingCanvas canvas;
        EXPECT_EQ(DrawPrintedPage(canvas,
                      { c.f.chart, c.f.layout, BlackOnWhite, 1.0, 1.0, c.ppiX, c.ppiY, c.page }),
            c.last);
        const auto calls = std::count_if(canvas.calls.begin(), canvas.calls.end(),
            [](const std::string& call) { return call[0] != 'L'; });
        EXPECT_EQ(static_cast<std::size_t>(calls) + !canvas.font.empty(), c.calls);
    }
    // Stitch 10000, in the last page's third section, is numbered with four digits.
    EXPECT_EQ(
        wide.Draw(BlackOnWhite, 1.0, 1.0, 23).Texts().back(), "T1000 5555,3303,0,0 ffffff/0/3");
}

} // namespace
