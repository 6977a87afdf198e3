#include "PrintedPage.h"

#include "BlankValue.h"
#include "SizeMessage.h"
#include "WendleFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace wendle;

namespace {

// Records every drawing call as one line of text, with the brush, pen and width in force:
// "R x1,y1,x2,y2 brush/pen/width" for rectangles, "L" for lines, "T<text> x,y" for text.
// Text is 10 pixels a character wide and 20 high.
struct TRecordingCanvas : TPageCanvas {
    void SetBrushColour(TColour colour) override { brush = colour; }
    void SetPenColour(TColour colour) override { pen = colour; }
    void SetPenWidth(int w) override { width = w; }
    void Rectangle(int x1, int y1, int x2, int y2) override { Add("R", x1, y1, x2, y2); }
    void Line(int x1, int y1, int x2, int y2) override { Add("L", x1, y1, x2, y2), ++lines; }
    void TextOut(int x, int y, const std::string& s) override { Add("T" + s, x, y, 0, 0); }
    int TextWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
    int TextHeight(const std::string&) override { return 20; }
    void SetFont(const std::string& n, int p) override { font = n + " " + std::to_string(p); }
    long Count(const std::string& call) const { return std::ranges::count(calls, call); }

    std::vector<std::string> calls, texts;
    std::string font;
    bool last { false };

    void Add(const std::string& kind, int x1, int y1, int x2, int y2)
    {
        char text[128];
        std::snprintf(text, sizeof text, "%s %d,%d,%d,%d %x/%x/%d", kind.c_str(), x1, y1, x2, y2,
            brush, pen, width);
        calls.push_back(text);
        if (kind[0] == 'T')
            texts.push_back(text);
    }
    TColour brush { 0x123 }, pen { 0x123 };
    int width { -1 }, lines { 0 };
};

// A chart of I glyphs, each one stitch wide, and its print layout at the defaults.
struct Chart {
    Chart(const std::vector<std::string>& lines, int blankRows)
    {
        TWendleFont font;
        font.BuildFont();
        chart.LayOutChart(lines, ChartOptions { .BlankRows = blankRows }, font);
        layout = ComputePrintRequirements({ chart.ChartWidth, chart.ChartHeight });
    }
    TRecordingCanvas Draw(PrintColours colours, double stitch = 1.0, double row = 1.0,
        std::int32_t page = 1, int ppiX = 600, int ppiY = 600) const
    {
        TRecordingCanvas c;
        c.last = DrawPrintedPage(c, { chart, layout, colours, stitch, row, ppiX, ppiY, page });
        return c;
    }
    TChartLayout chart;
    PrintLayout layout;
};

const PrintColours BlackOnWhite = ChoosePrintColours(0, {});

TEST(PrintedPageTest, PenTickFontNumbersColoursSectionsAndTheLastPage)
{
    // Pixels per inch, stitches per inch: pen, half pen, tick and points. At 600 and 12 the
    // pen is 3.125 and 12.5 points round to even; at 300 the pen is 1.5625, at 5 per inch 7.5;
    // at 20 per inch 7.5 points round to even; at 384 the pen is 2, a tie keeping the smaller
    // width; at 776 it is 4.04; a tick of 60.5 rounds to even.
    const std::tuple<int, float, int, int, int, int> cases[] { { 600, 12.0f, 3, 2, 60, 12 },
        { 300, 12.0f, 1, 1, 30, 12 }, { 600, 5.0f, 7, 4, 60, 30 }, { 600, 20.0f, 1, 1, 60, 8 },
        { 384, 12.0f, 1, 1, 38, 12 }, { 776, 12.0f, 5, 3, 78, 12 }, { 605, 12.0f, 3, 2, 60, 12 },
        { 615, 12.0f, 3, 2, 62, 12 } };
    for (const auto& [ppi, perInch, pen, half, tick, points] : cases)
        EXPECT_EQ(std::tuple(GridPenWidth(ppi, perInch), HalfPen(pen), TickLength(ppi),
                      PrintFontPoints(perInch)),
            std::tuple(pen, half, tick, points))
            << ppi << " ppi at " << perInch;
    const std::pair<double, std::int32_t> offsets[] { { FxSpEmptyValue, 0 }, { NAN, 0 }, { 1.0, 0 },
        { 28.0, 27 }, { 0.0, 0 }, { 999.0, 998 }, { 1000.0, 998 }, { 2.5, 1 }, { 3.5, 3 } };
    for (const auto& [value, offset] : offsets)
        EXPECT_EQ(NumberOffset(value), offset) << value;
    EXPECT_EQ(NumberText(9999), "9999");
    EXPECT_EQ(NumberText(10000), "1000");

    // 40 x 17 in portrait: stitch c spans 900 + 50 (c - 1), row r 300 + 40 (r - 1), the chart
    // ends at 980.
    const Chart f({ std::string(19, 'I') + " " }, 6);
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
    const std::tuple<PrintColours, std::string, std::string, std::string> colourCases[] {
        { BlackOnWhite, "ffffff/0", "0/0", "ffffff/0" },
        { ChoosePrintColours(1, sameGrid), "0/ffffff", "ffffff/ffffff", "0/ffffff" },
        { ChoosePrintColours(2, sameGrid), "2123456/2123456", "abcdef/abcdef", "2123456/abcdef" },
        { ChoosePrintColours(2, flagDiffers), "2123456/123456", "abcdef/123456", "2123456/123456" },
    };
    const std::vector<std::string> border { "R 900,300,2902,302 0/0/3", "R 900,980,2902,982 0/0/3",
        "R 900,300,902,982 0/0/3", "R 2900,300,2902,982 0/0/3" };
    for (const auto& [colours, ground, text, blank] : colourCases) {
        const TRecordingCanvas drawn = f.Draw(colours);
        EXPECT_EQ(drawn.calls.front(), "R 900,300,2902,982 " + ground + "/3");
        EXPECT_EQ(drawn.Count("R 950,540,1002,582 " + text + "/3"), 1);
        EXPECT_EQ(drawn.Count("R 900,300,952,342 " + blank + "/3"), 1);
        EXPECT_EQ(std::vector(drawn.calls.end() - 4, drawn.calls.end()), border);
        EXPECT_EQ(drawn.texts.front(), "T10 817,670,0,0 ffffff/0/1");
    }

    // 10001 x 17 in landscape: 110 stitches a section, 4 sections a page, 23 pages; each
    // section has a ground, its cells, top and bottom bars, 12 numbers, and the first and
    // last one a bar at their outer edge.
    const Chart wide({ std::string(5000, 'I') }, 6);
    ASSERT_EQ(wide.layout.PagesRequired, 23);
    const std::size_t full = 1 + 110 * 17 + 2 + 12;
    // Chart, page, pixels per inch across and down: whether it is the last page, and the
    // count of font, rectangle and text calls.
    const std::tuple<Chart, std::int32_t, int, int, bool, std::size_t> pageCases[] {
        { wide, 1, 600, 600, false, 4 * full + 1 + 1 }, { wide, 22, 600, 600, false, 4 * full + 1 },
        { wide, 23, 600, 600, true, 2 * full + (1 + 101 * 17 + 3 + 11) + 1 },
        { wide, 24, 600, 600, true, 1 }, { wide, 0, 600, 600, false, 0 },
        { wide, 1, 0, 600, true, 0 }, { wide, 1, 600, -1, true, 0 },
        { Chart(std::vector<std::string>(10, "I"), 10), 1, 600, 600, true, 0 }
    };
    for (const auto& [chart, page, ppiX, ppiY, last, calls] : pageCases) {
        const TRecordingCanvas canvas = chart.Draw(BlackOnWhite, 1.0, 1.0, page, ppiX, ppiY);
        EXPECT_EQ(std::pair(canvas.last, canvas.calls.size() - canvas.lines + !canvas.font.empty()),
            std::pair(last, calls))
            << page << " of " << chart.chart.ChartWidth;
    }
    // Sections stack 1.7 inches apart; stitch 10000, in the last page's third section, is
    // numbered with four digits.
    const TRecordingCanvas lastPage = wide.Draw(BlackOnWhite, 1.0, 1.0, 23);
    EXPECT_EQ(lastPage.Count("R 600,1580,6102,1582 0/0/3"), 1) << "second section's top bar";
    EXPECT_EQ(lastPage.texts.back(), "T1000 5555,3303,0,0 ffffff/0/3");
}

} // namespace
