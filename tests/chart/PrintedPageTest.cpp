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
    void Line(int x1, int y1, int x2, int y2) override { Add("L", x1, y1, x2, y2), ++lines; }
    void TextOut(int x, int y, const std::string& text) override
    {
        Add("T" + text, x, y, 0, 0), texts.push_back(calls.back());
    }
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

    std::vector<std::string> calls, texts;
    std::size_t lines { 0 };
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
    // Draws a page, and remembers whether it was reported as the last.
    TRecordingCanvas Draw(PrintColours colours, double firstStitch = 1.0, double firstRow = 1.0,
        std::int32_t page = 1, int ppiX = 600, int ppiY = 600) const
    {
        TRecordingCanvas canvas;
        last = DrawPrintedPage(
            canvas, { chart, layout, colours, firstStitch, firstRow, ppiX, ppiY, page });
        return canvas;
    }
    TChartLayout chart;
    PrintLayout layout;
    mutable bool last { false };
};

const PrintColours BlackOnWhite = ChoosePrintColours(0, {});

TEST(PrintedPageTest, PenTickFontAndNumbersFollowResolutionAndScale)
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
    const std::pair<double, std::int32_t> offsets[] { { FxSpEmptyValue, 0 },
        { std::numeric_limits<double>::quiet_NaN(), 0 }, { 1.0, 0 }, { 28.0, 27 }, { 0.0, 0 },
        { 999.0, 998 }, { 1000.0, 998 }, { 2.5, 1 }, { 3.5, 3 } };
    for (const auto& [value, offset] : offsets)
        EXPECT_EQ(NumberOffset(value), offset) << value;
    EXPECT_EQ(NumberText(9999), "9999");
    EXPECT_EQ(NumberText(10000), "1000");
}

TEST(PrintedPageTest, NumbersTicksColoursAndBorderOfASection)
{
    // 40 x 17 in portrait: stitch c spans 900 + 50 (c - 1), row r 300 + 40 (r - 1), the chart
    // ends at 980.
    const Chart f({ std::string(19, 'I') + " " }, 6);
    EXPECT_EQ(f.Draw(BlackOnWhite).texts,
        (std::vector<std::string> { "T10 817,670,0,0 ffffff/0/1", "T10 1365,1043,0,0 ffffff/0/3",
            "T20 1865,1043,0,0 ffffff/0/3", "T30 2365,1043,0,0 ffffff/0/3",
            "T40 2865,1043,0,0 ffffff/0/3" }));
    // Rows 3 and 13 are numbered 10 and 20; stitches 3, 13 ... 30, 40 ...
    const TRecordingCanvas canvas = f.Draw(BlackOnWhite, 28.0, 8.0);
    EXPECT_EQ(canvas.texts,
        (std::vector<std::string> { "T10 817,390,0,0 ffffff/0/1", "T20 817,790,0,0 ffffff/0/1",
            "T30 1015,1043,0,0 ffffff/0/3", "T40 1515,1043,0,0 ffffff/0/3",
            "T50 2015,1043,0,0 ffffff/0/3", "T60 2515,1043,0,0 ffffff/0/3" }));
    EXPECT_EQ(canvas.font, "Arial 12");
    EXPECT_EQ(canvas.Count("L 897,400,840,400 ffffff/0/1"), 1);
    EXPECT_EQ(canvas.Count("L 1025,983,1025,1040 ffffff/0/3"), 1);

    // The ground, a text stitch (row 7, stitch 2) and a blank one (row 1, stitch 1) in the
    // colours chosen; the border stays black, the numbers black on white.
    const DisplayColours sameGrid { { 0x02123456, 0xABCDEF, 0x02123456 } };
    const DisplayColours flagDiffers { { 0x02123456, 0xABCDEF, 0x123456 } };
    const struct {
        PrintColours colours;
        std::string ground, text, blank;
    } cases[] {
        { BlackOnWhite, "ffffff/0", "0/0", "ffffff/0" },
        { ChoosePrintColours(1, sameGrid), "0/ffffff", "ffffff/ffffff", "0/ffffff" },
        { ChoosePrintColours(2, sameGrid), "2123456/2123456", "abcdef/abcdef", "2123456/abcdef" },
        { ChoosePrintColours(2, flagDiffers), "2123456/123456", "abcdef/123456", "2123456/123456" },
    };
    const std::vector<std::string> border { "R 900,300,2902,302 0/0/3", "R 900,980,2902,982 0/0/3",
        "R 900,300,902,982 0/0/3", "R 2900,300,2902,982 0/0/3" };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ground);
        const TRecordingCanvas drawn = f.Draw(c.colours);
        EXPECT_EQ(drawn.calls.front(), "R 900,300,2902,982 " + c.ground + "/3");
        EXPECT_EQ(drawn.Count("R 950,540,1002,582 " + c.text + "/3"), 1);
        EXPECT_EQ(drawn.Count("R 900,300,952,342 " + c.blank + "/3"), 1);
        EXPECT_EQ(std::vector(drawn.calls.end() - 4, drawn.calls.end()), border);
        EXPECT_EQ(drawn.texts.front(), "T10 817,670,0,0 ffffff/0/1");
    }
}

TEST(PrintedPageTest, SectionsLastPageAndPagesWithoutSections)
{
    // 10001 x 17 in landscape: 110 stitches a section, 4 sections a page, 23 pages; each
    // section has a ground, its cells, top and bottom bars, 12 numbers, and the first and
    // last one a bar at their outer edge.
    const Chart wide({ std::string(5000, 'I') }, 6);
    ASSERT_EQ(wide.layout.PagesRequired, 23);
    Chart empty({}, 6);
    empty.chart = TChartLayout {};
    empty.layout = ComputePrintRequirements({ 0, 0 });
    const Chart tall(std::vector<std::string>(10, "I"), 10);
    const std::size_t full = 1 + 110 * 17 + 2 + 12;
    struct Case {
        const Chart& f;
        std::int32_t page;
        int ppiX, ppiY;
        bool last;
        std::size_t calls; // the font, rectangles and texts
    } const cases[] {
        { wide, 1, 600, 600, false, 4 * full + 1 + 1 },
        { wide, 22, 600, 600, false, 4 * full + 1 },
        { wide, 23, 600, 600, true, 2 * full + (1 + 101 * 17 + 3 + 11) + 1 },
        { wide, 24, 600, 600, true, 1 },
        { wide, 0, 600, 600, false, 0 },
        { wide, 1, 0, 600, true, 0 },
        { wide, 1, 600, -1, true, 0 },
        { empty, 1, 600, 600, true, 1 },
        { tall, 1, 600, 600, true, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.page) + " at " + std::to_string(c.f.chart.ChartWidth));
        const TRecordingCanvas canvas = c.f.Draw(BlackOnWhite, 1.0, 1.0, c.page, c.ppiX, c.ppiY);
        EXPECT_EQ(c.f.last, c.last);
        EXPECT_EQ(canvas.calls.size() - canvas.lines + !canvas.font.empty(), c.calls);
    }
    // Sections stack 1.7 inches apart; stitch 10000, in the last page's third section, is
    // numbered with four digits.
    const TRecordingCanvas last = wide.Draw(BlackOnWhite, 1.0, 1.0, 23);
    EXPECT_EQ(last.Count("R 600,1580,6102,1582 0/0/3"), 1) << "second section's top bar";
    EXPECT_EQ(last.texts.back(), "T1000 5555,3303,0,0 ffffff/0/3");
}

} // namespace
