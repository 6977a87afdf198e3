#include "chart/PrintedPage.h"
#include "chart/PrintLayout.h"

#include "chart/BlankValue.h"
#include "chart/SizeMessage.h"
#include "chart/WendleFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace wendle;

namespace {

TEST(PrintLayoutTest, SectionsPagesAndOrientation)
{
    // Five to twenty stitches per inch; by default 12 across and 15 rows down.
    EXPECT_EQ(PrintScaleLimits(0).Minimum, 5.0);
    EXPECT_EQ(PrintScaleLimits(0).Maximum, 20.0);
    EXPECT_EQ(PrintScaleLimits(1).Minimum, 1.968503937007874);
    EXPECT_EQ(PrintScaleLimits(1).Maximum, 7.874015748031496);
    const PrintLayout byDefault = ComputePrintRequirements({ 100, 17 });
    EXPECT_EQ(byDefault.PrintStitchesPerInch, 12.0f);
    EXPECT_EQ(byDefault.PrintRowsPerInch, 15.0f);
    EXPECT_NEAR(byDefault.PrintedHeight, 1.1333f, 1e-4);
    constexpr std::int32_t U = UnprintablePages;
    struct Case {
        const char* name;
        PrintInputs inputs;
        bool landscape, tooTall, usable;
        std::int32_t stitches, sections, pages;
    } const cases[] {
        // Portrait 78 cut to 70 (2 sections), landscape 114 uncut (1 section): landscape.
        { "100x17", { 100, 17 }, true, false, true, 114, 4, 1 },
        // Only a section wider than the chart is left uncut.
        { "78x17 fits portrait", { 78, 17 }, false, false, true, 78, 6, 1 },
        { "79x17 cut to tens", { 79, 17 }, true, false, true, 114, 4, 1 },
        { "40x17 tie keeps portrait", { 40, 17 }, false, false, true, 78, 6, 1 },
        // 8 inches tall: landscape holds no section, so portrait, cut to 70.
        { "100x120 portrait only", { 100, 120 }, false, false, true, 70, 1, 2 },
        // Two sections per portrait page, one per landscape page.
        { "140x60 fewer portrait pages", { 140, 60 }, false, false, true, 70, 2, 1 },
        { "110x60 fewer landscape sections", { 110, 60 }, true, false, true, 114, 1, 1 },
        { "142 rows fit", { 100, 142 }, false, false, true, 70, 1, 2 },
        { "143 rows too tall", { 100, 143 }, false, true, true, 70, 0, U },
        { "empty chart", { 0, 17 }, false, false, true, 78, 6, 0 },
        { "widest chart", { INT32_MAX, 17 }, true, false, true, 110, 4, 4880645 },
        // 7.874.. per cm is 20 per inch: portrait 130 holds the chart, a tie with landscape.
        { "cm at its maximum", { 100, 17, 20.0 / 2.54, 1 }, false, false, true, 130, 8, 1 },
        { "blank pitch", { 100, 17, FxSpEmptyValue }, false, false, false, 0, 0, U },
        { "NaN pitch", { 100, 17, NAN }, false, false, false, 0, 0, U },
        { "infinite pitch", { 100, 17, INFINITY }, false, false, false, 0, 0, U },
        { "negative pitch", { 100, 17, -12.0 }, false, false, false, 0, 0, U },
        { "zero across", { 100, 17, 12.0, 0, 0.0 }, false, false, false, 0, 0, U },
        { "negative down", { 100, 17, 12.0, 0, 6.0, -7.5 }, false, false, false, 0, 0, U },
        { "negative both ways", { 100, 17, 12.0, 0, -6.0, -7.5 }, false, false, false, 0, 0, U },
        { "rows overflow", { 100, 17, 12.0, 0, 1e-300, 1e300 }, false, false, false, 0, 0, U },
        { "rows vanish", { 100, 17, 12.0, 0, 1e300, 1e-300 }, false, false, false, 0, 0, U },
        { "rows vanish, no rows", { 100, 0, 12.0, 0, 1e300, 1e-300 }, false, false, false, 0, 0,
            U },
        // Six stitches across the page, cut to tens: no section holds a stitch.
        { "pitch too coarse", { 100, 17, 1.0 }, false, false, false, 0, 0, U },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintLayout layout = ComputePrintRequirements(c.inputs);
        EXPECT_EQ(std::tuple(layout.PrintLandscape, layout.TooTall, layout.InputsUsable,
                      layout.StitchesPerSection, layout.SectionsPerPage, layout.PagesRequired),
            std::tuple(c.landscape, c.tooTall, c.usable, c.stitches, c.sections, c.pages));
    }
}

// Records every drawing call as one line of text, with the brush, pen and width in force:
// "R x1,y1,x2,y2 brush/pen/width" for rectangles, "L" for lines, "T<text> x,y" for text.
// Text is 10 pixels a character wide and 20 high. With a size it also paints the calls into
// a raster as a canvas is told to: a rectangle's outline (w - 1) / 2 pixels before its
// border pixels, a line without its end pixel, text as a box of brush with one pen pixel.
struct TRecordingCanvas : TPageCanvas {
    TRecordingCanvas(int rasterWidth = 0, int rasterHeight = 0)
        : W(rasterWidth)
        , H(rasterHeight)
        , pixels(static_cast<std::size_t>(W) * H, 0x00777777)
    {
    }
    void SetBrushColour(TColour colour) override { brush = colour; }
    void SetPenColour(TColour colour) override { pen = colour; }
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

    void Fill(int x1, int y1, int x2, int y2, TColour colour)
    {
        for (int y = std::max(y1, 0); y < std::min(y2, H); ++y)
            for (int x = std::max(x1, 0); x < std::min(x2, W); ++x)
                pixels[static_cast<std::size_t>(y) * W + x] = colour;
    }
    void Add(const std::string& kind, int x1, int y1, int x2, int y2)
    {
        char text[128];
        std::snprintf(text, sizeof text, "%s %d,%d,%d,%d %x/%x/%d", kind.c_str(), x1, y1, x2, y2,
            brush, pen, width);
        calls.push_back(text);
        if (kind[0] == 'T')
            texts.push_back(text);
    }

    int W, H;
    std::vector<TColour> pixels;
    std::vector<std::string> calls, texts;
    std::string font;
    bool last { false };
    TColour brush { 0x123 }, pen { 0x123 };
    int width { -1 };
};

// Page 1 drawn the plain way: a rectangle per stitch, row by row, each row's number before
// its stitches and each stitch's number after it, the outer edges last.
void DrawStitchByStitch(TPageCanvas& c, const PageRequest& q)
{
    const PrintLayout& l = q.Layout;
    const int pen = GridPenWidth(q.PpiX, l.PrintStitchesPerInch), half = HalfPen(pen);
    const int tick = TickLength(q.PpiY), height = q.Chart.ChartHeight;
    const TColour outline
        = q.Colours.Grid == q.Colours.Background ? q.Colours.Text : q.Colours.Grid;
    const auto paint = [&c](TColour brush, TColour penColour, int w) {
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
                paint(0xFFFFFF, 0, 1), c.Line(x(1) - 3, mid, x(1) - tick, mid);
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
                    paint(0xFFFFFF, 0, pen), c.Line(xMid, y(r + 1) + 3, xMid, y(r + 1) + tick);
                    const std::string text = NumberText(number);
                    c.TextOut(xMid - c.TextWidth(text) / 2, y(r + 1) + tick + 3, text);
                }
            }
        }
        paint(0, 0, pen), c.Rectangle(x(1), y(1), right, y(1) + half);
        c.Rectangle(x(1), y(height + 1), right, bottom);
        if (first == 0)
            c.Rectangle(x(1), y(1), x(1) + half, bottom);
        if (first + n == q.Chart.ChartWidth)
            c.Rectangle(x(n + 1), y(1), right, bottom);
    }
}

// A chart and its print layout at the default gauge and the pitch given.
struct Chart {
    Chart(const std::vector<std::string>& lines, int blankRows, double pitch = 12.0, int unit = 0)
    {
        TWendleFont font;
        font.BuildFont();
        chart.LayOutChart(lines, ChartOptions { .BlankRows = blankRows }, font);
        layout = ComputePrintRequirements({ chart.ChartWidth, chart.ChartHeight, pitch, unit });
    }
    TRecordingCanvas Draw(PrintColours colours, double stitch = 1.0, double row = 1.0,
        std::int32_t page = 1, int ppiX = 600, int ppiY = 600, int rasterWidth = 0,
        int rasterHeight = 0) const
    {
        TRecordingCanvas c(rasterWidth, rasterHeight);
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

    // 10001 x 17 in landscape: 110 stitches a section, 4 sections a page, 23 pages; each
    // section has 12 numbers, top and bottom bars, and the first and last one a bar at their
    // outer edge.
    const Chart wide({ std::string(5000, 'I') }, 6);
    ASSERT_EQ(wide.layout.PagesRequired, 23);
    // Chart, page, pixels per inch across and down: whether it is the last page, and the
    // count of numbers and of bars.
    const std::tuple<Chart, std::int32_t, int, int, bool, long, long> pageCases[] {
        { wide, 1, 600, 600, false, 4 * 12, 4 * 2 + 1 }, { wide, 22, 600, 600, false, 48, 8 },
        { wide, 23, 600, 600, true, 2 * 12 + 11, 3 * 2 + 1 }, { wide, 24, 600, 600, true, 0, 0 },
        { wide, 0, 600, 600, false, 0, 0 }, { wide, 1, 0, 600, true, 0, 0 },
        { wide, 1, 600, -1, true, 0, 0 },
        { Chart(std::vector<std::string>(10, "I"), 10), 1, 600, 600, true, 0, 0 },
        // Exactly two sections: the third slot stays empty.
        { Chart({ std::string(109, 'I') + " " }, 6), 1, 600, 600, true, 24, 6 }
    };
    for (const auto& [chart, page, ppiX, ppiY, last, numbers, bars] : pageCases) {
        const TRecordingCanvas canvas = chart.Draw(BlackOnWhite, 1.0, 1.0, page, ppiX, ppiY);
        const long drawnBars = std::ranges::count_if(canvas.calls, [](const std::string& call) {
            return call.starts_with("R ") && call.ends_with(" 0/0/3");
        });
        EXPECT_EQ(std::tuple(canvas.last, std::ssize(canvas.texts), drawnBars),
            std::tuple(last, numbers, bars))
            << page << " of " << chart.chart.ChartWidth;
    }
    // Sections stack 1.7 inches apart; stitch 10000, in the last page's third section, is
    // numbered with four digits.
    const TRecordingCanvas lastPage = wide.Draw(BlackOnWhite, 1.0, 1.0, 23);
    EXPECT_EQ(lastPage.Count("R 600,1580,6102,1582 0/0/3"), 1) << "second section's top bar";
    EXPECT_EQ(lastPage.texts.back(), "T1000 5555,3303,0,0 ffffff/0/3");
}

TEST(PrintedPageTest, GivesThePixelsOfARectanglePerStitch)
{
    // Pens of 1 to 9 pixels, the numbers in and out of reach of the grid's area, the grid in
    // the background colour, section cuts, and a printer far finer across than down.
    const Chart hello({ "HELLO WORLD", "KNIT ME 1234" }, 1, 5.0);
    const Chart narrow({ "HI" }, 1, 20.0);
    const Chart cut({ std::string(60, 'W') }, 2, 2.0, 1);
    // Every chart ends in a blank row; without it the stitch-by-stitch last row shows text.
    Chart cropped = hello;
    cropped.chart.ChartHeight -= 1;
    const DisplayColours sameGrid { { 0x000080, 0xABCDEF, 0xABCDEF } };
    // The grid differs from the background only in the palette flag: it is not hidden.
    const DisplayColours flagDiffers { { 0x02123456, 0xABCDEF, 0x123456 } };
    // Chart, pixels per inch across and down, colours, first stitch and row numbers: whether
    // it takes fewer calls (else the same ones: where a row number reaches into the grid).
    const std::tuple<Chart, int, int, PrintColours, double, double, bool> cases[] {
        { hello, 72, 72, BlackOnWhite, 1, 1, true },
        { hello, 200, 200, BlackOnWhite, 8, 5, true },
        { hello, 400, 100, ChoosePrintColours(1, {}), 1, 9, true },
        { hello, 600, 60, BlackOnWhite, 3, 1, true },
        { hello, 1000, 40, ChoosePrintColours(2, sameGrid), 28, 8, true },
        { hello, 2400, 20, BlackOnWhite, 1, 10, false },
        { narrow, 96, 96, BlackOnWhite, 9, 9, true },
        { cut, 150, 150, ChoosePrintColours(2, sameGrid), 5, 4, true },
        { cropped, 100, 100, BlackOnWhite, 1, 1, true },
        { narrow, 300, 300, ChoosePrintColours(2, flagDiffers), 1, 1, true },
    };
    for (const auto& [chart, ppiX, ppiY, colours, stitch, row, fewer] : cases) {
        const int w = ppiX * 11, h = ppiY * 11;
        const TRecordingCanvas drawn = chart.Draw(colours, stitch, row, 1, ppiX, ppiY, w, h);
        TRecordingCanvas plain(w, h);
        DrawStitchByStitch(
            plain, { chart.chart, chart.layout, colours, stitch, row, ppiX, ppiY, 1 });
        long differ = 0;
        for (std::size_t i = 0; i < plain.pixels.size(); ++i)
            differ += plain.pixels[i] != drawn.pixels[i];
        EXPECT_EQ(differ, 0) << ppiX << " by " << ppiY << " ppi, pen "
                             << GridPenWidth(ppiX, chart.layout.PrintStitchesPerInch);
        EXPECT_EQ(drawn.texts, plain.texts);
        EXPECT_TRUE(fewer ? drawn.calls.size() < plain.calls.size() : drawn.calls == plain.calls)
            << drawn.calls.size() << " calls against " << plain.calls.size() << " at " << ppiX;
    }
}

} // namespace
