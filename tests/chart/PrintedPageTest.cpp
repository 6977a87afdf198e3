#include "PrintedPage.h"

#include "BlankValue.h"
#include "SizeMessage.h"
#include "WendleFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace wendle;

namespace {

constexpr TColour White = 0xFFFFFF;
constexpr TColour Black = 0x000000;

struct Drawn {
    std::string Kind; // "rect", "line" or "text"
    int X1, Y1, X2, Y2;
    std::string Text;
    TColour Brush, Pen;
    int PenWidth;
};

// Records every drawing call with the brush, pen and width in force at the time. Text is
// 10 pixels a character wide and 20 high.
class TRecordingCanvas : public TPageCanvas {
public:
    void SetBrushColour(TColour colour) override { brush = colour; }
    void SetPenColour(TColour colour) override { pen = colour; }
    void SetPenWidth(int width) override { penWidth = width; }
    void Rectangle(int x1, int y1, int x2, int y2) override { Add("rect", x1, y1, x2, y2, ""); }
    void Line(int x1, int y1, int x2, int y2) override { Add("line", x1, y1, x2, y2, ""); }
    void TextOut(int x, int y, const std::string& text) override { Add("text", x, y, 0, 0, text); }
    int TextWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
    int TextHeight(const std::string&) override { return 20; }
    void SetFont(const std::string& name, int points) override
    {
        font = name + " " + std::to_string(points);
    }

    std::vector<Drawn> Of(const std::string& kind) const
    {
        std::vector<Drawn> result;
        std::copy_if(drawn.begin(), drawn.end(), std::back_inserter(result),
            [&kind](const Drawn& d) { return d.Kind == kind; });
        return result;
    }
    // The rectangle drawn last with exactly these corners.
    const Drawn* RectAt(int x1, int y1, int x2, int y2) const
    {
        const Drawn* found = nullptr;
        for (const Drawn& d : drawn)
            if (d.Kind == "rect" && d.X1 == x1 && d.Y1 == y1 && d.X2 == x2 && d.Y2 == y2)
                found = &d;
        return found;
    }

    std::vector<Drawn> drawn;
    std::string font;

private:
    void Add(const char* kind, int x1, int y1, int x2, int y2, const std::string& text)
    {
        drawn.push_back({ kind, x1, y1, x2, y2, text, brush, pen, penWidth });
    }
    TColour brush { 0x123 }, pen { 0x123 };
    int penWidth { -1 };
};

// A chart of I glyphs, one stitch wide each: the first line's width and the line count set
// the chart's size.
TChartLayout MakeChart(const std::vector<std::string>& lines, int blankRows)
{
    TWendleFont font;
    font.BuildFont();
    ChartOptions options;
    options.BlankRows = blankRows;
    TChartLayout chart;
    chart.LayOutChart(lines, options, font);
    return chart;
}

struct PageFixture {
    TChartLayout chart;
    PrintLayout layout;
};

PageFixture Chart(const std::vector<std::string>& lines, int blankRows)
{
    PageFixture f { MakeChart(lines, blankRows), {} };
    f.layout = ComputePrintRequirements({ f.chart.ChartWidth, f.chart.ChartHeight });
    return f;
}

std::vector<std::string> Texts(const TRecordingCanvas& canvas)
{
    std::vector<std::string> texts;
    for (const Drawn& d : canvas.Of("text"))
        texts.push_back(d.Text + "@" + std::to_string(d.X1) + "," + std::to_string(d.Y1));
    return texts;
}

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
        { 600, 20.0f, 1, 1, 60, 8 }, // t 1.875, 7.5 points round to even
        { 384, 12.0f, 1, 1, 38, 12 }, // t 2: a tie keeps the smaller width
        { 768, 12.0f, 3, 2, 77, 12 }, // t 4: tie again
        { 776, 12.0f, 5, 3, 78, 12 }, // t 4.04
        { 605, 12.0f, 3, 2, 60, 12 }, // tick 60.5 rounds to even
        { 615, 12.0f, 3, 2, 62, 12 }, // tick 61.5 rounds to even
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
    struct Case {
        double value;
        std::int32_t offset;
    } const cases[] {
        { FxSpEmptyValue, 0 },
        { std::numeric_limits<double>::quiet_NaN(), 0 },
        { 1.0, 0 },
        { 28.0, 27 },
        { 0.0, 0 },
        { -5.0, 0 },
        { 999.0, 998 },
        { 1000.0, 998 },
        { 2.5, 1 },
        { 3.5, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(NumberOffset(c.value), c.offset);
    }
    EXPECT_EQ(NumberText(9999), "9999");
    EXPECT_EQ(NumberText(10000), "1000");
    EXPECT_EQ(NumberText(123456), "1234");
}

TEST(PrintedPageTest, PositionsOnAPortraitPage)
{
    const PageFixture f = Chart({ std::string(19, 'I') + " " }, 6); // 40 x 17, portrait
    ASSERT_FALSE(f.layout.PrintLandscape);
    EXPECT_EQ(SectionColumnX(f.layout, 600, 1), 900);
    EXPECT_EQ(SectionColumnX(f.layout, 600, 2), 950);
    EXPECT_EQ(SectionRowY(f.layout, 600, 1, 1), 300);
    EXPECT_EQ(SectionRowY(f.layout, 600, 2, 1), 340);
    EXPECT_EQ(SectionRowY(f.layout, 600, 18, 1), 980);
    // The next section starts 1.1333 + 0.5 inches lower.
    EXPECT_EQ(SectionRowY(f.layout, 600, 1, 2), 1280);
}

TEST(PrintedPageTest, NumbersTicksAndTheirPlaces)
{
    const PageFixture f = Chart({ std::string(19, 'I') + " " }, 6); // 40 x 17, portrait
    struct Case {
        double firstStitch, firstRow;
        std::vector<std::string> texts;
    } const cases[] {
        // Row 10 spans 660..700; stitch c spans 900 + 50 (c - 1) and the chart ends at 980.
        { 1.0, 1.0,
            { "10@817,670", "10@1365,1043", "20@1865,1043", "30@2365,1043", "40@2865,1043" } },
        { FxSpEmptyValue, FxSpEmptyValue,
            { "10@817,670", "10@1365,1043", "20@1865,1043", "30@2365,1043", "40@2865,1043" } },
        // Rows 3 and 13 are numbered 10 and 20; stitches 3, 13 ... 30, 40 ...
        { 28.0, 8.0,
            { "10@817,390", "20@817,790", "30@1015,1043", "40@1515,1043", "50@2015,1043",
                "60@2515,1043" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstStitch);
        TRecordingCanvas canvas;
        DrawPrintedPage(canvas,
            { f.chart, f.layout, ChoosePrintColours(0, {}), c.firstStitch, c.firstRow, 600, 600,
                1 });
        EXPECT_EQ(Texts(canvas), c.texts);
        EXPECT_EQ(canvas.font, "Arial 12");
        for (const Drawn& text : canvas.Of("text")) {
            EXPECT_EQ(text.Brush, White);
            EXPECT_EQ(text.Pen, Black);
        }
    }
    TRecordingCanvas canvas;
    DrawPrintedPage(
        canvas, { f.chart, f.layout, ChoosePrintColours(0, {}), 1.0, 1.0, 600, 600, 1 });
    const std::vector<Drawn> lines = canvas.Of("line");
    ASSERT_EQ(lines.size(), 5u);
    // The row tick is a pen of width 1; the stitch ticks keep the grid pen.
    EXPECT_EQ(lines[0].X1, 897);
    EXPECT_EQ(lines[0].Y1, 680);
    EXPECT_EQ(lines[0].X2, 840);
    EXPECT_EQ(lines[0].Y2, 680);
    EXPECT_EQ(lines[0].PenWidth, 1);
    EXPECT_EQ(lines[1].X1, 1375);
    EXPECT_EQ(lines[1].Y1, 983);
    EXPECT_EQ(lines[1].X2, 1375);
    EXPECT_EQ(lines[1].Y2, 1040);
    EXPECT_EQ(lines[1].PenWidth, 3);
}

TEST(PrintedPageTest, TwoSectionsShareThePageAndItsHeavyBars)
{
    // 140 x 55: two portrait sections of 70 on one page.
    const PageFixture f = Chart({ std::string(69, 'I') + " ", "I", "I" }, 10);
    ASSERT_EQ(f.layout.SectionsPerPage, 2);
    ASSERT_EQ(f.layout.StitchesPerSection, 70);
    ASSERT_EQ(f.layout.PagesRequired, 1);
    TRecordingCanvas canvas;
    EXPECT_TRUE(DrawPrintedPage(
        canvas, { f.chart, f.layout, ChoosePrintColours(0, {}), 1.0, 1.0, 600, 600, 1 }));
    struct Bar {
        int x1, y1, x2, y2;
        bool drawn;
    } const bars[] {
        { 900, 300, 4402, 302, true }, // first section: top, bottom, left
        { 900, 2500, 4402, 2502, true },
        { 900, 300, 902, 2502, true },
        { 4400, 300, 4402, 2502, false },
        { 900, 2800, 4402, 2802, true }, // second section: top, bottom, right
        { 900, 5000, 4402, 5002, true },
        { 900, 2800, 902, 5002, false },
        { 4400, 2800, 4402, 5002, true },
    };
    for (const Bar& bar : bars) {
        SCOPED_TRACE(std::to_string(bar.x1) + "," + std::to_string(bar.y1));
        const Drawn* rect = canvas.RectAt(bar.x1, bar.y1, bar.x2, bar.y2);
        ASSERT_EQ(rect != nullptr, bar.drawn);
        if (rect) {
            EXPECT_EQ(rect->Brush, Black);
            EXPECT_EQ(rect->Pen, Black);
            EXPECT_EQ(rect->PenWidth, 3);
        }
    }
    // Both sections carry five row numbers; stitch numbers run on across the cut.
    const std::vector<std::string> texts = Texts(canvas);
    const std::vector<Drawn> numbers = canvas.Of("text");
    EXPECT_EQ(
        std::count_if(numbers.begin(), numbers.end(), [](const Drawn& d) { return d.X1 == 817; }),
        10);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "70@4365,2563"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "80@1365,5063"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "140@4360,5063"), texts.end());
}

TEST(PrintedPageTest, ColoursOfGroundCellsAndBorder)
{
    const PageFixture f = Chart({ std::string(19, 'I') + " " }, 6); // 40 x 17
    DisplayColours sameGrid;
    sameGrid.Colours[DisplayColours::Background] = 0x02123456;
    sameGrid.Colours[DisplayColours::Text] = 0x00ABCDEF;
    sameGrid.Colours[DisplayColours::GridLines] = 0x02123456;
    DisplayColours flagDiffers = sameGrid;
    flagDiffers.Colours[DisplayColours::GridLines] = 0x00123456;
    struct Case {
        const char* name;
        PrintColours colours;
        TColour textBrush, backgroundBrush, cellPen;
    } const cases[] {
        { "black on white", ChoosePrintColours(0, sameGrid), Black, White, Black },
        { "white on black", ChoosePrintColours(1, sameGrid), White, Black, White },
        { "screen, grid as background", ChoosePrintColours(2, sameGrid), 0x00ABCDEF, 0x02123456,
            0x00ABCDEF },
        { "screen, flag byte differs", ChoosePrintColours(2, flagDiffers), 0x00ABCDEF, 0x02123456,
            0x00123456 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingCanvas canvas;
        DrawPrintedPage(canvas, { f.chart, f.layout, c.colours, 1.0, 1.0, 600, 600, 1 });
        const Drawn& ground = canvas.drawn.front();
        EXPECT_EQ(ground.Kind, "rect");
        EXPECT_EQ(ground.X2, 2902);
        EXPECT_EQ(ground.Y2, 982);
        EXPECT_EQ(ground.Brush, c.backgroundBrush);
        EXPECT_EQ(ground.Pen, c.colours.Grid);
        EXPECT_EQ(ground.PenWidth, 3);
        // Row 7, stitch 2 is the middle of the first I; row 1, stitch 1 is blank.
        const Drawn* text = canvas.RectAt(950, 540, 1002, 582);
        const Drawn* blank = canvas.RectAt(900, 300, 952, 342);
        ASSERT_NE(text, nullptr);
        ASSERT_NE(blank, nullptr);
        EXPECT_EQ(text->Brush, c.textBrush);
        EXPECT_EQ(blank->Brush, c.backgroundBrush);
        EXPECT_EQ(text->Pen, c.cellPen);
        EXPECT_EQ(blank->Pen, c.cellPen);
        EXPECT_EQ(blank->PenWidth, 3);
        const Drawn& lastBar = canvas.drawn.back();
        EXPECT_EQ(lastBar.Brush, Black);
        EXPECT_EQ(lastBar.Pen, Black);
    }
}

TEST(PrintedPageTest, LastPageAndPagesWithoutSections)
{
    // 10001 x 17 in landscape: 110 stitches a section, 4 sections a page, 23 pages.
    const PageFixture wide = Chart({ std::string(5000, 'I') }, 6);
    ASSERT_EQ(wide.layout.PagesRequired, 23);
    PageFixture empty;
    empty.layout = ComputePrintRequirements({ 0, 0 });
    ASSERT_EQ(empty.layout.PagesRequired, 0);
    const PageFixture tall = Chart({ "I", "I", "I", "I", "I", "I", "I", "I", "I", "I" }, 10);
    ASSERT_EQ(tall.layout.PagesRequired, UnprintablePages);
    struct Case {
        const char* name;
        const PageFixture& f;
        int ppiX, ppiY;
        std::int32_t page;
        bool last;
        std::size_t rects; // 0: none
    } const cases[] {
        { "page 1", wide, 600, 600, 1, false, 4 * (1 + 110 * 17 + 2) + 1 },
        { "page 22", wide, 600, 600, 22, false, 4 * (1 + 110 * 17 + 2) },
        { "page 23", wide, 600, 600, 23, true, 2 * (1 + 110 * 17 + 2) + 1 + 101 * 17 + 3 },
        { "past the end", wide, 600, 600, 24, true, 0 },
        { "page 0", wide, 600, 600, 0, false, 0 },
        { "no ppi across", wide, 0, 600, 1, true, 0 },
        { "no ppi down", wide, 600, -1, 1, true, 0 },
        { "empty chart", empty, 600, 600, 1, true, 0 },
        { "too tall", tall, 600, 600, 1, true, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingCanvas canvas;
        const bool last = DrawPrintedPage(canvas,
            { c.f.chart, c.f.layout, ChoosePrintColours(0, {}), 1.0, 1.0, c.ppiX, c.ppiY, c.page });
        EXPECT_EQ(last, c.last);
        EXPECT_EQ(canvas.Of("rect").size(), c.rects);
    }
    // The last page holds stitches 9901 to 10001 in its third section; stitch 10000 is
    // numbered with its first four digits.
    TRecordingCanvas canvas;
    DrawPrintedPage(
        canvas, { wide.chart, wide.layout, ChoosePrintColours(0, {}), 1.0, 1.0, 600, 600, 23 });
    const std::vector<std::string> texts = Texts(canvas);
    EXPECT_EQ(texts.back(), "1000@5555,3303");
}

} // namespace
