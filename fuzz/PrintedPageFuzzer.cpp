// The print arithmetic and page drawing over random charts, pitches, gauges and printer
// resolutions, onto a canvas that follows what each call paints at the middle pixel of
// every stitch: nothing lies outside the page, and every stitch of the chart shows its
// colour there on one page.
#include "ChartLayout.h"
#include "FuzzInput.h"
#include "PrintedPage.h"
#include "SizeMessage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace wendle;

namespace {

// The middle pixels of a page's stitches, slot by slot, and the colour last painted on each.
struct Middles {
    std::vector<int> Xs; ///< by column, all sections alike
    std::vector<std::vector<int>> Ys; ///< by slot, then row
    std::vector<TColour> Colours; ///< by slot, row and column
    std::int64_t Columns { 0 };

    void Paint(int x1, int y1, int x2, int y2, TColour colour)
    {
        const auto a = std::ranges::lower_bound(Xs, x1) - Xs.begin();
        const auto b = std::ranges::lower_bound(Xs, x2) - Xs.begin();
        for (std::size_t slot = 0; slot < Ys.size(); ++slot) {
            const auto& ys = Ys[slot];
            const auto top = std::ranges::lower_bound(ys, y1) - ys.begin();
            const auto bottom = std::ranges::lower_bound(ys, y2) - ys.begin();
            for (auto r = top; r < bottom; ++r)
                for (auto c = a; c < b; ++c)
                    Colours[(slot * ys.size() + r) * Columns + c] = colour;
        }
    }
};

// Paints as a canvas is told to: an outline (w - 1) / 2 pixels before the border pixels, a
// line without its end pixel, text on a box of brush. Measures text as a printer font of its
// point size would: digits 0.56 em wide.
class TRecordingCanvas final : public TPageCanvas {
public:
    TRecordingCanvas(int ppiX, int ppiY, int width, int height, Middles& middles)
        : PpiX(ppiX)
        , PpiY(ppiY)
        , Width(width)
        , Height(height)
        , Seen(middles)
    {
    }

    void SetBrushColour(TColour colour) override { Brush = colour; }
    void SetPenColour(TColour colour) override { Pen = colour; }
    void SetPenWidth(int width) override
    {
        FUZZ_REQUIRE(width >= 1);
        PenWidth = width;
    }
    void Rectangle(int x1, int y1, int x2, int y2) override
    {
        Inside(x1, y1, x2, y2);
        const int b = (PenWidth - 1) / 2;
        Seen.Paint(x1 - b, y1 - b, x2 - 1 - b + PenWidth, y2 - 1 - b + PenWidth, Pen);
        Seen.Paint(x1 - b + PenWidth, y1 - b + PenWidth, x2 - 1 - b, y2 - 1 - b, Brush);
    }
    void Line(int x1, int y1, int x2, int y2) override
    {
        Inside(x1, y1, x2, y2);
        FUZZ_REQUIRE(x1 == x2 || y1 == y2);
        const int b = (PenWidth - 1) / 2;
        if (y1 == y2)
            Seen.Paint(std::min(x1, x2 + 1), y1 - b, std::max(x1 + 1, x2), y1 - b + PenWidth, Pen);
        else
            Seen.Paint(x1 - b, std::min(y1, y2 + 1), x1 - b + PenWidth, std::max(y1 + 1, y2), Pen);
    }
    void TextOut(int x, int y, const std::string& text) override
    {
        // Four-digit row numbers at the coarsest pitches reach past a landscape sheet's left
        // edge by their fixed place; shorter numbers always fit.
        if (text.size() < 4)
            Inside(x, y, x + TextWidth(text), y + TextHeight(text));
        Seen.Paint(x, y, x + TextWidth(text), y + TextHeight(text), Brush);
    }
    int TextWidth(const std::string& text) override
    {
        return static_cast<int>(text.size() * Points * PpiX * 0.56 / 72);
    }
    int TextHeight(const std::string&) override { return Points * PpiY / 72; }
    void SetFont(const std::string&, int pointSize) override { Points = pointSize; }

private:
    void Inside(int x1, int y1, int x2, int y2) const
    {
        if (Width < 0)
            return;
        FUZZ_REQUIRE(std::min(x1, x2) >= 0 && std::max(x1, x2) <= Width);
        FUZZ_REQUIRE(std::min(y1, y2) >= 0 && std::max(y1, y2) <= Height);
    }

    int PpiX, PpiY, Width, Height;
    Middles& Seen;
    int Points { 0 };
    int PenWidth { 1 };
    TColour Brush { 0 }, Pen { 0 };
};

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
    chart.LayOutChart(lines, options, FuzzFont());

    const int unit = input.Int(0, 1);
    const PitchLimits limits = PrintScaleLimits(unit);
    PrintInputs inputs { chart.ChartWidth, chart.ChartHeight,
        input.Number(limits.Minimum, limits.Maximum), unit, input.Number(2, 16),
        input.Number(2, 16) };
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
    int width = static_cast<int>((layout.PrintLandscape ? 11.0 : 8.5) * ppiX);
    int height = static_cast<int>((layout.PrintLandscape ? 8.5 : 11.0) * ppiY);
    // A pitch or gauge the window's fields refuse can make rows far thinner than their
    // numbers are tall, or numbers wider than the margin; such pages need not keep to the
    // sheet, only draw without fault.
    if (!(std::min(inputs.StitchesAcross, inputs.StitchesDown) >= 2
            && std::max(inputs.StitchesAcross, inputs.StitchesDown) <= 16
            && inputs.PitchValue >= limits.Minimum && inputs.PitchValue <= limits.Maximum))
        width = -1;
    Middles middles;
    if (layout.PagesRequired == UnprintablePages || ppiX <= 0 || ppiY <= 0) {
        TRecordingCanvas canvas(ppiX, ppiY, 0, 0, middles);
        FUZZ_REQUIRE(page(1, canvas)); // and nothing drawn, as the sheet has no room
        return 0;
    }

    // A stitch's middle pixel lies inside its outline while every printed stitch and row is
    // a few pixels more than two pens; the bounds hold at any resolution.
    const int pen = GridPenWidth(ppiX, layout.PrintStitchesPerInch);
    const bool exact = layout.PrintStitchesPerInch * (2 * pen + 3) <= ppiX
        && layout.PrintRowsPerInch * (2 * pen + 3) <= ppiY;
    const std::int64_t rows = chart.ChartHeight;
    const std::int64_t across = layout.StitchesPerSection;
    const std::int64_t columns = std::min<std::int64_t>(across, chart.ChartWidth);
    std::vector<int> seen(static_cast<std::size_t>(rows * chart.ChartWidth), 0);
    for (std::int32_t number = 1; number <= layout.PagesRequired + 1; ++number) {
        const std::int64_t firstSection = (number - 1LL) * layout.SectionsPerPage;
        middles = { {}, {}, {}, columns };
        for (std::int64_t c = 1; exact && c <= columns; ++c)
            middles.Xs.push_back(
                (SectionColumnX(layout, ppiX, c) + SectionColumnX(layout, ppiX, c + 1)) / 2);
        for (std::int32_t slot = 1; exact && slot <= layout.SectionsPerPage; ++slot) {
            if ((firstSection + slot - 1) * across >= chart.ChartWidth)
                break;
            auto& ys = middles.Ys.emplace_back();
            for (std::int64_t r = 1; r <= rows; ++r)
                ys.push_back(
                    (SectionRowY(layout, ppiY, r, slot) + SectionRowY(layout, ppiY, r + 1, slot))
                    / 2);
        }
        middles.Colours.assign(middles.Ys.size() * rows * columns, 0x01000000);
        TRecordingCanvas canvas(ppiX, ppiY, width, height, middles);
        FUZZ_REQUIRE(page(number, canvas) == (number >= layout.PagesRequired));
        for (std::size_t slot = 0; slot < middles.Ys.size(); ++slot)
            for (std::int64_t r = 0; r < rows; ++r)
                for (std::int64_t c = 0; c < columns; ++c) {
                    const std::int64_t stitch = (firstSection + slot) * across + c;
                    if (stitch >= chart.ChartWidth)
                        break;
                    const bool text = chart.IsTextStitch(
                        static_cast<std::int32_t>(r), static_cast<std::int32_t>(stitch));
                    FUZZ_REQUIRE(middles.Colours[(slot * rows + r) * columns + c]
                        == (text ? colours.Text : colours.Background));
                    ++seen[static_cast<std::size_t>(r * chart.ChartWidth + stitch)];
                }
    }
    for (const int count : seen)
        FUZZ_REQUIRE(!exact || count == 1);
    return 0;
}
