// The print arithmetic and page drawing over random charts, pitches, gauges and printer
// resolutions, onto a canvas that checks each call: nothing lies outside the sheet, the pen
// is never thinner than a pixel, lines run straight, and the last page is the one the
// layout counts. (That the pixels are those of a rectangle per stitch is tested exactly.)
#include "chart/ChartLayout.h"
#include "chart/PrintedPage.h"
#include "chart/SizeMessage.h"
#include "fuzz/FuzzInput.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace wendle;

namespace {

// Checks each call against a sheet of Width x Height pixels (none when Width < 0), and
// measures text as a printer font of its point size would: digits 0.56 em wide.
struct TSheetCanvas final : TPageCanvas {
    void SetBrushColour(Colour) override { }
    void SetPenColour(Colour) override { }
    void SetPenWidth(int width) override { FUZZ_REQUIRE(width >= 1); }
    void Rectangle(int x1, int y1, int x2, int y2) override
    {
        Inside(x1, y1, x2, y2), ++Rectangles;
    }
    void Line(int x1, int y1, int x2, int y2) override
    {
        Inside(x1, y1, x2, y2);
        FUZZ_REQUIRE(x1 == x2 || y1 == y2);
    }
    void TextOut(int x, int y, const std::string& text) override
    {
        // Four-digit row numbers at the coarsest pitches reach past a landscape sheet's left
        // edge by their fixed place; shorter numbers always fit.
        if (text.size() < 4)
            Inside(x, y, x + TextWidth(text), y + TextHeight(text));
    }
    int TextWidth(const std::string& text) override
    {
        return static_cast<int>(text.size() * Points * Sheet.PpiX * 0.56 / 72);
    }
    int TextHeight(const std::string&) override { return Points * Sheet.PpiY / 72; }
    void SetFont(const std::string&, int pointSize) override { Points = pointSize; }
    void Inside(int x1, int y1, int x2, int y2) const
    {
        FUZZ_REQUIRE(Sheet.Width < 0 || (std::min(x1, x2) >= 0 && std::max(x1, x2) <= Sheet.Width));
        FUZZ_REQUIRE(
            Sheet.Width < 0 || (std::min(y1, y2) >= 0 && std::max(y1, y2) <= Sheet.Height));
    }

    struct {
        int PpiX, PpiY, Width, Height;
    } Sheet {};
    int Points { 0 }, Rectangles { 0 };
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input { { data, size } };
    ChartOptions options;
    options.BlankRows = input.Int(1, 10);
    options.EndBlanks = input.Int(1, 10);
    options.Align = static_cast<Alignment>(input.Int(0, 3));
    options.Form = static_cast<FontForm>(input.Int(0, 1));
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

    const auto unit = static_cast<LengthUnit>(input.Int(0, 1));
    // A pitch or gauge the window's fields refuse can make rows far thinner than their
    // numbers are tall, or numbers wider than the margin; such pages need not keep to the
    // sheet, only draw without fault.
    bool accepted = true;
    const auto field = [&](const NumberSetting& setting) {
        const std::optional<double> value = input.Field(setting.Minimum, setting.Maximum);
        accepted = accepted && value && setting.Contains(*value);
        return value;
    };
    const PrintInputs inputs { chart.ChartWidth, chart.ChartHeight, field(PrintPitchSetting(unit)),
        unit, field(StitchesAcrossSetting), field(StitchesDownSetting) };
    const PrintLayout layout = ComputePrintRequirements(inputs);
    // Real printers and previews start at 72 pixels per inch; the fixed three-pixel gaps
    // beside the numbers leave a page only far below that. Some runs test the guard.
    const int ppiX = input.Byte() % 16 == 0 ? input.Int(-2, 0) : input.Int(72, 2400);
    // Printers' pixels are at most twice as tall as wide or the other way round; the row
    // ticks, a tenth of an inch down, lie across.
    const int ppiY = input.Byte() % 16 == 0 ? input.Int(-2, 0)
                                            : std::clamp(input.Int(72, 2400), ppiX / 2, ppiX * 2);
    const PrintColours colours = ChoosePrintColours(static_cast<PrintColour>(input.Int(0, 2)), {});
    const std::optional<double> firstStitch = input.Field(1, 999);
    const std::optional<double> firstRow = input.Field(1, 999);
    const auto page = [&](std::int32_t number, TSheetCanvas& canvas) {
        return DrawPrintedPage(
            canvas, { chart, layout, colours, firstStitch, firstRow, ppiX, ppiY, number });
    };

    // The page geometry is cut from a Letter sheet: margins and page areas add up to it, and
    // the numbers under the last section may use the sheet's edge below the page area.
    const int width = accepted ? static_cast<int>((layout.PrintLandscape ? 11.0 : 8.5) * ppiX) : -1;
    const int height = static_cast<int>((layout.PrintLandscape ? 8.5 : 11.0) * ppiY);
    if (layout.PagesRequired == UnprintablePages || ppiX <= 0 || ppiY <= 0) {
        TSheetCanvas canvas;
        canvas.Sheet = { ppiX, ppiY, 0, 0 };
        FUZZ_REQUIRE(page(1, canvas) && canvas.Rectangles == 0);
        return 0;
    }
    for (std::int32_t number = 1; number <= layout.PagesRequired + 1; ++number) {
        TSheetCanvas canvas;
        canvas.Sheet = { ppiX, ppiY, width, height };
        FUZZ_REQUIRE(page(number, canvas) == (number >= layout.PagesRequired));
        // Every section holds a stitch, so a page past the count draws nothing.
        FUZZ_REQUIRE(number <= std::max(layout.PagesRequired, 1) || canvas.Rectangles == 0);
    }
    return 0;
}
