#include "chart/PrintedPage.h"

#include "LaidOut.h"
#include "chart/PrintLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

using namespace wendle;

namespace {

// Records every drawing call as one line of text, with the brush, pen and width in force:
// "R x1,y1,x2,y2 brush/pen/width" for rectangles, "L" for lines, "T<text> x,y" for text.
// Text is 10 pixels a character wide and 20 high. With a size it also paints the calls into
// a raster as a canvas is told to: a rectangle's outline (w - 1) / 2 pixels before its
// border pixels, a line without its end pixel, text as a box of brush with one pen pixel.
struct TRecordingCanvas : TPageCanvas {
    TRecordingCanvas(int rasterWidth = 0, int rasterHeight = 0)
        : W(rasterWidth)
        , H(rasterHeight)
        , pixels(static_cast<std::size_t>(W) * H, Colour { 0x77, 0x77, 0x77 })
    {
    }
    void SetBrushColour(Colour colour) override { brush = colour; }
    void SetPenColour(Colour colour) override { pen = colour; }
    void SetPenWidth(int w) override { width = w; }
    void Rectangle(int x1, int y1, int x2, int y2) override
    {
        Add("R", x1, y1, x2, y2);
        const int before = (width - 1) / 2;
        Fill(x1 - before, y1 - before, x2 - before - 1 + width, y2 - before - 1 + width, pen);
        Fill(x1 - before + width, y1 - before + width, x2 - before - 1, y2 - before - 1, brush);
    }
    void Line(int x1, int y1, int x2, int y2) override
    {
        Add("L", x1, y1, x2, y2);
        const int before = (width - 1) / 2;
        if (y1 == y2)
            Fill(std::min(x1, x2 + 1), y1 - before, std::max(x1 + 1, x2), y1 - before + width, pen);
        else
            Fill(x1 - before, std::min(y1, y2 + 1), x1 - before + width, std::max(y1 + 1, y2), pen);
    }
    void TextOut(int x, int y, const std::string& s) override
    {
        Add("T" + s, x, y, 0, 0);
        Fill(x, y, x + TextWidth(s), y + 20, brush);
        Fill(x, y, x + 1, y + 1, pen);
    }
    int TextWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
    int TextHeight(const std::string&) override { return 20; }
    void SetFont(const std::string& n, int p) override { font = n + " " + std::to_string(p); }
    long Count(const std::string& call) const { return std::ranges::count(calls, call); }

    void Fill(int x1, int y1, int x2, int y2, Colour colour)
    {
        for (int y = std::max(y1, 0); y < std::min(y2, H); ++y)
            for (int x = std::max(x1, 0); x < std::min(x2, W); ++x)
                pixels[static_cast<std::size_t>(y) * W + x] = colour;
    }
    void Add(const std::string& kind, int x1, int y1, int x2, int y2)
    {
        char text[128];
        const auto hex = [](Colour c) { return (c.Red << 16) | (c.Green << 8) | c.Blue; };
        std::snprintf(text, sizeof text, "%s %d,%d,%d,%d %x/%x/%d", kind.c_str(), x1, y1, x2, y2,
            hex(brush), hex(pen), width);
        calls.push_back(text);
        if (kind[0] == 'T')
            texts.push_back(text);
    }

    int W, H;
    std::vector<Colour> pixels;
    std::vector<std::string> calls, texts;
    std::string font;
    bool last { false };
    Colour brush { 1, 2, 3 }, pen { 1, 2, 3 };
    int width { -1 };
};

// Page 1 drawn the plain way: a rectangle per stitch, row by row, each row's number before
// its stitches and each stitch's number after it, the outer edges last.
void DrawStitchByStitch(TPageCanvas& c, const PageRequest& q)
{
    const PrintLayout& l = q.Layout;
    const int pen = GridPenWidth(q.PpiX, l.PrintStitchesPerInch), half = HalfPen(pen);
    const int tick = TickLength(q.PpiY), height = q.Chart.ChartHeight;
    const Colour outline = q.Colours.Grid == q.Colours.Background ? q.Colours.Text : q.Colours.Grid;
    const auto paint = [&c](Colour brush, Colour penColour, int w) {
        c.SetBrushColour(brush), c.SetPenColour(penColour), c.SetPenWidth(w);
    };
    c.SetFont("Arial", PrintFontPoints(l.PrintStitchesPerInch));
    for (std::int32_t slot = 1; slot <= l.SectionsPerPage; ++slot) {
        const std::int64_t first = std::int64_t { slot - 1 } * l.StitchesPerSection;
        const std::int64_t n
            = std::min<std::int64_t>(l.StitchesPerSection, q.Chart.ChartWidth - first);
        const auto x = [&](std::int64_t i) { return SectionColumnX(l, q.PpiX, i); };
        const auto y = [&](std::int64_t j) { return SectionRowY(l, q.PpiY, j, slot); };
        const int right = x(n + 1) + half, bottom = y(height + 1) + half;
        if (n <= 0)
            break;
        paint(q.Colours.Background, q.Colours.Grid, pen), c.Rectangle(x(1), y(1), right, bottom);
        for (std::int32_t r = 1; r <= height; ++r) {
            const std::int64_t rowNumber = r + NumberOffset(q.FirstRowValue);
            const int mid = (y(r) + y(r + 1)) / 2;
            if (rowNumber % 10 == 0) {
                paint(WhiteColour, BlackColour, 1), c.Line(x(1) - 3, mid, x(1) - tick, mid);
                const std::string text = NumberText(rowNumber);
                c.TextOut(x(1) - tick - c.TextWidth(text) - 3, mid - 10, text);
            }
            for (std::int64_t col = 1; col <= n; ++col) {
                const bool stitch = q.Chart.Row(r - 1)[first + col - 1] != 0;
                paint(stitch ? q.Colours.Text : q.Colours.Background, outline, pen);
                c.Rectangle(x(col), y(r), x(col + 1) + half, y(r + 1) + half);
                const std::int64_t number = first + col + NumberOffset(q.FirstStitchValue);
                if (r == height && number % 10 == 0) {
                    const int xMid = (x(col) + x(col + 1)) / 2;
                    paint(WhiteColour, BlackColour, pen),
                        c.Line(xMid, y(r + 1) + 3, xMid, y(r + 1) + tick);
                    const std::string text = NumberText(number);
                    c.TextOut(xMid - c.TextWidth(text) / 2, y(r + 1) + tick + 3, text);
                }
            }
        }
        paint(BlackColour, BlackColour, pen), c.Rectangle(x(1), y(1), right, y(1) + half);
        c.Rectangle(x(1), y(height + 1), right, bottom);
        if (first == 0)
            c.Rectangle(x(1), y(1), x(1) + half, bottom);
        if (first + n == q.Chart.ChartWidth)
            c.Rectangle(x(n + 1), y(1), right, bottom);
    }
}

// A chart and its print layout at the default gauge and the pitch given.
struct Chart {
    Chart(const std::vector<std::string>& lines, int blankRows, double pitch = 12.0,
        LengthUnit unit = LengthUnit::Inch)
    {
        chart = test::LaidOut(lines, { .BlankRows = blankRows });
        layout = ComputePrintRequirements({ chart.ChartWidth, chart.ChartHeight, pitch, unit });
    }
    TRecordingCanvas Draw(PrintColours colours, std::optional<double> stitch = 1.0,
        std::optional<double> row = 1.0, std::int32_t page = 1, int ppiX = 600, int ppiY = 600,
        int rasterWidth = 0, int rasterHeight = 0, Numbering order = Numbering::Chart) const
    {
        TRecordingCanvas c(rasterWidth, rasterHeight);
        c.last
            = DrawPrintedPage(c, { chart, layout, colours, stitch, row, ppiX, ppiY, page, order });
        return c;
    }
    TChartLayout chart;
    PrintLayout layout;
};

const PrintColours BlackOnWhite = ChoosePrintColours(PrintColour::BlackOnWhite, {});

TEST(PrintedPageTest, PenTickFontNumbersColoursSectionsAndTheLastPage)
{
    // Pixels per inch, stitches per inch: pen, half pen, tick and points. At 600 and 12 the
    // pen is 3.125 and 12.5 points round to even; at 300 the pen is 1.5625, at 5 per inch 7.5;
    // at 20 per inch 7.5 points round to even; at 384 the pen is 2, a tie keeping the smaller
    // width; at 776 it is 4.04; a tick of 60.5 rounds to even.
    struct Pen {
        int ppi;
        float perInch;
        int pen, half, tick, points;
    } const pens[] { { 600, 12.0f, 3, 2, 60, 12 }, { 300, 12.0f, 1, 1, 30, 12 },
        { 600, 5.0f, 7, 4, 60, 30 }, { 600, 20.0f, 1, 1, 60, 8 }, { 384, 12.0f, 1, 1, 38, 12 },
        { 776, 12.0f, 5, 3, 78, 12 }, { 605, 12.0f, 3, 2, 60, 12 }, { 615, 12.0f, 3, 2, 62, 12 } };
    for (const Pen& p : pens)
        EXPECT_EQ(std::tuple(GridPenWidth(p.ppi, p.perInch), HalfPen(p.pen), TickLength(p.ppi),
                      PrintFontPoints(p.perInch)),
            std::tuple(p.pen, p.half, p.tick, p.points))
            << p.ppi << " ppi at " << p.perInch;
    const std::pair<std::optional<double>, std::int32_t> offsets[] { { std::nullopt, 0 },
        { NAN, 0 }, { 1.0, 0 }, { 28.0, 27 }, { 0.0, 0 }, { 999.0, 998 }, { 1000.0, 998 },
        { 2.5, 1 }, { 3.5, 3 } };
    for (const auto& [value, offset] : offsets)
        EXPECT_EQ(NumberOffset(value), offset) << value.value_or(-1);
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
    // In knitting order row 1 is the bottom row and stitch 1 the rightmost: row 8 of 17 is
    // numbered 10, and stitches 1, 11, 21 and 31 of 40 are 40, 30, 20 and 10.
    EXPECT_EQ(f.Draw(BlackOnWhite, 1.0, 1.0, 1, 600, 600, 0, 0, Numbering::Knitting).texts,
        (std::vector<std::string> { "T10 817,590,0,0 ffffff/0/1", "T40 915,1043,0,0 ffffff/0/3",
            "T30 1415,1043,0,0 ffffff/0/3", "T20 1915,1043,0,0 ffffff/0/3",
            "T10 2415,1043,0,0 ffffff/0/3" }));

    // 10001 x 17 in landscape: 110 stitches a section, 4 sections a page, 23 pages; each
    // section has 12 numbers, top and bottom bars, and the first and last one a bar at their
    // outer edge.
    const Chart wide({ std::string(5000, 'I') }, 6);
    ASSERT_EQ(wide.layout.PagesRequired, 23);
    // Whether the page is the last, and the count of numbers and of bars.
    struct PageCase {
        Chart chart;
        std::int32_t page;
        bool last;
        long numbers, bars;
        int ppiX = 600, ppiY = 600;
    } const pageCases[] { { wide, 1, false, 4 * 12, 4 * 2 + 1 }, { wide, 22, false, 48, 8 },
        { wide, 23, true, 2 * 12 + 11, 3 * 2 + 1 }, { wide, 24, true, 0, 0 },
        { wide, 0, false, 0, 0 }, { wide, 1, true, 0, 0, 0 }, { wide, 1, true, 0, 0, 600, -1 },
        { Chart(std::vector<std::string>(10, "I"), 10), 1, true, 0, 0 },
        // Exactly two sections: the third slot stays empty.
        { Chart({ std::string(109, 'I') + " " }, 6), 1, true, 24, 6 } };
    for (const PageCase& c : pageCases) {
        const TRecordingCanvas canvas
            = c.chart.Draw(BlackOnWhite, 1.0, 1.0, c.page, c.ppiX, c.ppiY);
        const long drawnBars = std::ranges::count_if(canvas.calls, [](const std::string& call) {
            return call.starts_with("R ") && call.ends_with(" 0/0/3");
        });
        EXPECT_EQ(std::tuple(canvas.last, std::ssize(canvas.texts), drawnBars),
            std::tuple(c.last, c.numbers, c.bars))
            << c.page << " of " << c.chart.chart.ChartWidth;
    }
    // Sections stack 1.7 inches apart; stitch 10000, in the last page's third section, is
    // numbered with four digits.
    const TRecordingCanvas lastPage = wide.Draw(BlackOnWhite, 1.0, 1.0, 23);
    EXPECT_EQ(lastPage.Count("R 600,1580,6102,1582 0/0/3"), 1) << "second section's top bar";
    EXPECT_EQ(lastPage.texts.back(), "T1000 5555,3303,0,0 ffffff/0/3");
}

TEST(PrintedPageTest, GivesThePixelsOfARectanglePerStitch)
{
    // Pens of 1 to 29 pixels, the numbers in and out of reach of the grid's area, the grid in
    // the background colour, section cuts, and a printer far finer across than down.
    const Chart hello({ "HELLO WORLD", "KNIT ME 1234" }, 1, 5.0);
    const Chart narrow({ "HI" }, 1, 20.0);
    const Chart cut({ std::string(60, 'W') }, 2, 2.0, LengthUnit::Centimetre);
    // Every chart ends in a blank row; without it the stitch-by-stitch last row shows text.
    Chart cropped = hello;
    cropped.chart.ChartHeight -= 1;
    const Colour abcdef { 0xAB, 0xCD, 0xEF }, paler { 0x12, 0x34, 0x56 };
    const DisplayColours sameGrid { { MaroonColour, abcdef, abcdef } };
    // The grid differs from the background only in the palette flag: it is not hidden.
    const DisplayColours flagDiffers { { Colour { 0x12, 0x34, 0x56, true }, abcdef, paler } };
    const PrintColours whiteOnBlack = ChoosePrintColours(PrintColour::WhiteOnBlack, {});
    const auto screen
        = [](const DisplayColours& d) { return ChoosePrintColours(PrintColour::Screen, d); };
    // The first stitch and row numbers; whether the page takes fewer calls (else the same
    // ones: where a row number reaches into the grid).
    struct Case {
        Chart chart;
        int ppiX, ppiY;
        PrintColours colours;
        double stitch, row;
        bool fewer;
    } const cases[] {
        { hello, 400, 100, whiteOnBlack, 1, 9, true },
        { hello, 600, 60, BlackOnWhite, 3, 1, true },
        { hello, 1000, 40, screen(sameGrid), 28, 8, true },
        { hello, 2400, 20, BlackOnWhite, 1, 10, false },
        { narrow, 96, 96, BlackOnWhite, 9, 9, true },
        { cut, 150, 150, screen(sameGrid), 5, 4, true },
        { cropped, 100, 100, BlackOnWhite, 1, 1, true },
        { narrow, 300, 300, screen(flagDiffers), 1, 1, true },
    };
    for (const Case& c : cases) {
        const int w = c.ppiX * 11, h = c.ppiY * 11;
        const TRecordingCanvas drawn
            = c.chart.Draw(c.colours, c.stitch, c.row, 1, c.ppiX, c.ppiY, w, h);
        TRecordingCanvas plain(w, h);
        DrawStitchByStitch(plain,
            { c.chart.chart, c.chart.layout, c.colours, c.stitch, c.row, c.ppiX, c.ppiY, 1 });
        long differ = 0;
        for (std::size_t i = 0; i < plain.pixels.size(); ++i)
            differ += plain.pixels[i] != drawn.pixels[i];
        EXPECT_EQ(differ, 0) << c.ppiX << " by " << c.ppiY << " ppi, pen "
                             << GridPenWidth(c.ppiX, c.chart.layout.PrintStitchesPerInch);
        EXPECT_EQ(drawn.texts, plain.texts);
        EXPECT_TRUE(c.fewer ? drawn.calls.size() < plain.calls.size() : drawn.calls == plain.calls)
            << drawn.calls.size() << " calls against " << plain.calls.size() << " at " << c.ppiX;
    }
}

} // namespace
