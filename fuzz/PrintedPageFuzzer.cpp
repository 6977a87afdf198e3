// The print arithmetic and page drawing over random charts, pitches, gauges and printer
// resolutions, onto a canvas that records what is drawn: nothing lies outside the page,
// and every stitch of the chart is drawn once, on one page, in its colour.
#include "ChartLayout.h"
#include "FuzzInput.h"
#include "PrintedPage.h"
#include "SizeMessage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace wendle;

namespace {

struct Drawn {
    int X1, Y1, X2, Y2;
    TColour Brush;
};

// Measures text as a printer font of its point size would: digits 0.56 em wide.
class TRecordingCanvas final : public TPageCanvas {
public:
    TRecordingCanvas(int ppiX, int ppiY, int width, int height)
        : PpiX(ppiX)
        , PpiY(ppiY)
        , Width(width)
        , Height(height)
    {
    }

    void SetBrushColour(TColour colour) override { Brush = colour; }
    void SetPenColour(TColour) override { }
    void SetPenWidth(int width) override { FUZZ_REQUIRE(width >= 1); }
    void Rectangle(int x1, int y1, int x2, int y2) override
    {
        Inside(x1, y1, x2, y2);
        Rectangles.push_back({ x1, y1, x2, y2, Brush });
    }
    void Line(int x1, int y1, int x2, int y2) override { Inside(x1, y1, x2, y2); }
    void TextOut(int x, int y, const std::string& text) override
    {
        // Four-digit row numbers at the coarsest pitches reach past a landscape sheet's left
        // edge by their fixed place; shorter numbers always fit.
        if (text.size() < 4)
            Inside(x, y, x + TextWidth(text), y + TextHeight(text));
    }
    int TextWidth(const std::string& text) override
    {
        return static_cast<int>(text.size() * Points * PpiX * 0.56 / 72);
    }
    int TextHeight(const std::string&) override { return Points * PpiY / 72; }
    void SetFont(const std::string&, int pointSize) override { Points = pointSize; }

    std::vector<Drawn> Rectangles;

private:
    void Inside(int x1, int y1, int x2, int y2) const
    {
        FUZZ_REQUIRE(std::min(x1, x2) >= 0 && std::max(x1, x2) <= Width);
        FUZZ_REQUIRE(std::min(y1, y2) >= 0 && std::max(y1, y2) <= Height);
    }

    int PpiX, PpiY, Width, Height;
    int Points { 0 };
    TColour Brush { 0 };
};

const TWendleFont& Font()
{
    static const TWendleFont font = [] {
        TWendleFont built;
        built.BuildFont();
        return built;
    }();
    return font;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    ChartOptions options;
    options.BlankRows = input.Int(1, 10);
    options.EndBlanks = input.Int(1, 10);
    options.Alignment = input.Int(0, 3);
    options.FontForm = input.Int(0, 1);
    std::vector<std::string> lines(1);
    for (int n = input.Int(0, 300); n > 0; --n) {
        const char character = static_cast<char>(input.Int(31, 95));
        if (character < 32)
            lines.emplace_back();
        else
            lines.back() += character;
    }
    TChartLayout chart;
    chart.LayOutChart(lines, options, Font());

    PrintInputs inputs { chart.ChartWidth, chart.ChartHeight, input.Number(5, 20), input.Int(0, 1),
        input.Number(2, 16), input.Number(2, 16) };
    const PrintLayout layout = ComputePrintRequirements(inputs);
    // Real printers and previews start at 72 pixels per inch; the fixed three-pixel gaps
    // beside the numbers leave a page only far below that. Some runs test the guard.
    const int ppiX = input.Byte() % 16 == 0 ? input.Int(-2, 0) : input.Int(72, 2400);
    // Printers' pixels are at most twice as tall as wide or the other way round; the row
    // ticks, a tenth of an inch down, lie across.
    const int ppiY = input.Byte() % 16 == 0 ? input.Int(-2, 0)
                                            : std::clamp(input.Int(72, 2400), ppiX / 2, ppiX * 2);
    DisplayColours display;
    display.Colours[DisplayColours::Text] = 0x0000AA;
    display.Colours[DisplayColours::Background] = 0x00BB00;
    const PrintColours colours = ChoosePrintColours(2, display);
    const double firstStitch = input.Number(1, 999);
    const double firstRow = input.Number(1, 999);
    const auto page = [&](std::int32_t number, TRecordingCanvas& canvas) {
        return DrawPrintedPage(
            canvas, { chart, layout, colours, firstStitch, firstRow, ppiX, ppiY, number });
    };

    // The page geometry is cut from a Letter sheet: margins and page areas add up to it, and
    // the numbers under the last section may use the sheet's edge below the page area.
    const int width = static_cast<int>((layout.PrintLandscape ? 11.0 : 8.5) * ppiX);
    const int height = static_cast<int>((layout.PrintLandscape ? 8.5 : 11.0) * ppiY);
    if (layout.PagesRequired == UnprintablePages || ppiX <= 0 || ppiY <= 0) {
        TRecordingCanvas canvas(ppiX, ppiY, 0, 0);
        FUZZ_REQUIRE(page(1, canvas));
        FUZZ_REQUIRE(canvas.Rectangles.empty() || layout.PagesRequired != UnprintablePages);
        return 0;
    }

    // Cells are told apart by their place only while every printed row and stitch is at
    // least two pixels; the bounds hold at any resolution.
    const bool exact
        = layout.PrintStitchesPerInch * 2 <= ppiX && layout.PrintRowsPerInch * 2 <= ppiY;
    const std::int64_t rows = chart.ChartHeight;
    std::vector<int> seen(static_cast<std::size_t>(rows * chart.ChartWidth), 0);
    const long double step = static_cast<long double>(layout.PrintedHeight) + 0.5L;
    const auto columnAt = [&](int x) {
        return std::lround((static_cast<long double>(x) / ppiX - layout.PageLeftMargin)
            * layout.PrintStitchesPerInch);
    };
    for (std::int32_t number = 1; number <= layout.PagesRequired + 1; ++number) {
        TRecordingCanvas canvas(ppiX, ppiY, width, height);
        FUZZ_REQUIRE(page(number, canvas) == (number >= layout.PagesRequired));
        if (!exact)
            continue;
        for (const Drawn& cell : canvas.Rectangles) {
            if (cell.Brush != colours.Text && cell.Brush != colours.Background)
                continue;
            const long double down
                = static_cast<long double>(cell.Y1) / ppiY - layout.PageTopMargin;
            // A pixel of slack: the first row's edge may round to just above the margin.
            const auto slot = static_cast<std::int64_t>(std::floor((down + 1.0L / ppiY) / step));
            const long row = std::lround((down - slot * step) * layout.PrintRowsPerInch);
            const long rowEnd
                = std::lround((static_cast<long double>(cell.Y2
                                   - HalfPen(GridPenWidth(ppiX, layout.PrintStitchesPerInch)))
                                      / ppiY
                                  - layout.PageTopMargin - slot * step)
                    * layout.PrintRowsPerInch);
            const long column = columnAt(cell.X1);
            if (rowEnd != row + 1) // the ground of a whole section
                continue;
            const std::int64_t section = (number - 1LL) * layout.SectionsPerPage + slot;
            const std::int64_t stitch = section * layout.StitchesPerSection + column;
            FUZZ_REQUIRE(number <= layout.PagesRequired && slot < layout.SectionsPerPage);
            FUZZ_REQUIRE(
                row >= 0 && row < rows && column >= 0 && column < layout.StitchesPerSection);
            FUZZ_REQUIRE(stitch < chart.ChartWidth);
            FUZZ_REQUIRE(cell.Brush
                == (chart.IsTextStitch(
                        static_cast<std::int32_t>(row), static_cast<std::int32_t>(stitch))
                        ? colours.Text
                        : colours.Background));
            ++seen[static_cast<std::size_t>(row * chart.ChartWidth + stitch)];
        }
    }
    for (const int count : seen)
        FUZZ_REQUIRE(!exact || count == 1);
    return 0;
}
