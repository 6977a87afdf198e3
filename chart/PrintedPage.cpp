#include "chart/PrintedPage.h"

#include "chart/Settings.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace wendle {

namespace {

    // Far beyond any sheet, yet small enough that adding pens, ticks and text widths to a
    // coordinate never overflows an int.
    constexpr long double PixelLimit = 1 << 29;

    // The gap in pixels between a tick and its number, and between the chart and a tick.
    constexpr int NumberGap = 3;

    int RoundPixel(long double value)
    {
        if (std::isnan(value))
            return 0;
        return static_cast<int>(std::nearbyint(std::clamp(value, -PixelLimit, PixelLimit)));
    }

    bool IsDrawable(const PageRequest& request)
    {
        const PrintLayout& layout = request.Layout;
        return request.PpiX > 0 && request.PpiY > 0 && layout.SectionsPerPage > 0
            && layout.StitchesPerSection > 0 && std::isfinite(layout.PrintStitchesPerInch)
            && layout.PrintStitchesPerInch > 0.0f && std::isfinite(layout.PrintRowsPerInch)
            && layout.PrintRowsPerInch > 0.0f && std::isfinite(layout.PrintedHeight);
    }

    // What stays the same for every section of a page.
    struct PageStyle {
        PrintColours Colours;
        Colour OutlineColour;
        int PenWidth;
        int Half;
        int Tick;
        std::int32_t FirstStitchOffset;
        std::int32_t FirstRowOffset;
    };

    // Where a canvas puts an outline's pixels about the border pixel it runs along.
    int PenBefore(int penWidth) { return (penWidth - 1) / 2; }

    // The pixels, along one axis, of a stitch's inside.
    struct Span {
        int Begin;
        int End;
        bool Empty() const { return End <= Begin; }
    };

    // Along one axis, the part of each of n stitches' insides that no later stitch's outline
    // covers: stitch i is drawn from edges[i] to edges[i + 1] + Half, and the outline of the
    // one after it starts PenBefore ahead of edges[i + 1]. The last stitch keeps its whole
    // inside unless \a lastFollowed.
    std::vector<Span> VisibleInsides(
        const std::vector<int>& edges, std::int64_t n, const PageStyle& style, bool lastFollowed)
    {
        const int before = PenBefore(style.PenWidth);
        std::vector<Span> spans(static_cast<std::size_t>(n) + 1);
        for (std::int64_t i = 1; i <= n; ++i) {
            const int next = edges[static_cast<std::size_t>(i) + 1];
            int end = next + style.Half - 1 - before;
            if (i < n || lastFollowed)
                end = std::min(end, next - before);
            spans[static_cast<std::size_t>(i)]
                = { edges[static_cast<std::size_t>(i)] - before + style.PenWidth, end };
        }
        return spans;
    }

    // Calls fill(from, to) for each stretch of [begin, end) outside the spans' non-empty ones.
    template <typename Fill>
    void FillGaps(const std::vector<Span>& spans, int begin, int end, Fill fill)
    {
        int from = begin;
        for (std::size_t i = 1; i < spans.size(); ++i) {
            if (spans[i].Empty())
                continue;
            if (spans[i].Begin > from)
                fill(from, spans[i].Begin);
            from = spans[i].End;
        }
        if (end > from)
            fill(from, end);
    }

    void DrawRowNumber(TPageCanvas& canvas, const PageStyle& style, int chartLeft, int top,
        int rowBottom, std::int64_t rowNumber)
    {
        canvas.SetBrushColour(WhiteColour);
        canvas.SetPenColour(BlackColour);
        canvas.SetPenWidth(1);
        const int yMid = (top + rowBottom) / 2;
        canvas.Line(chartLeft - NumberGap, yMid, chartLeft - style.Tick, yMid);
        const std::string text = NumberText(rowNumber);
        canvas.TextOut(chartLeft - style.Tick - canvas.TextWidth(text) - NumberGap,
            yMid - canvas.TextHeight("X") / 2, text);
    }

    // Rows 1 to rows of a section, every one followed by another, in the pixels a rectangle
    // per stitch would give, with a fill per run of text stitches and per line of the grid
    // instead: a preview page has tens of thousands of stitches. What a stitch's rectangle
    // leaves showing once the later ones are drawn is a grid of insides (one span across for
    // each column, one down for each row) in the section's ground; all else, up to the next
    // row, is outline.
    void FillRows(TPageCanvas& canvas, const TChartLayout& chart, const PageStyle& style,
        const std::vector<int>& xs, const std::vector<int>& ys, std::int64_t firstIndex,
        std::int64_t count, std::int32_t rows)
    {
        const std::vector<Span> columns = VisibleInsides(xs, count, style, false);
        const std::vector<Span> rowSpans = VisibleInsides(ys, rows, style, true);
        canvas.SetPenWidth(1);
        // The section's ground already shows the background colour. A run may cover the
        // outlines between its stitches: they are drawn after it.
        canvas.SetPenColour(style.Colours.Text);
        canvas.SetBrushColour(style.Colours.Text);
        for (std::int32_t r = 1; r <= rows; ++r) {
            const Span down = rowSpans[static_cast<std::size_t>(r)];
            if (down.Empty())
                continue;
            const std::uint8_t* stitches = chart.Row(r - 1) + firstIndex;
            for (std::int64_t c = 1; c <= count;) {
                if (stitches[c - 1] == 0) {
                    ++c;
                    continue;
                }
                const std::int64_t first = c;
                while (c <= count && stitches[c - 1] != 0)
                    ++c;
                const int begin = columns[static_cast<std::size_t>(first)].Begin;
                const int end = columns[static_cast<std::size_t>(c - 1)].End;
                if (end > begin)
                    canvas.Rectangle(begin, down.Begin, end, down.End);
            }
        }
        const int before = PenBefore(style.PenWidth);
        const int left = xs[1] - before;
        const int right
            = xs[static_cast<std::size_t>(count) + 1] + style.Half - 1 - before + style.PenWidth;
        const int top = ys[1] - before;
        // The next row's outlines start here and cover the rest.
        const int bottom = ys[static_cast<std::size_t>(rows) + 1] - before;
        canvas.SetPenColour(style.OutlineColour);
        canvas.SetBrushColour(style.OutlineColour);
        FillGaps(columns, left, right,
            [&](int from, int to) { canvas.Rectangle(from, top, to, bottom); });
        FillGaps(rowSpans, top, bottom,
            [&](int from, int to) { canvas.Rectangle(left, from, right, to); });
    }

    void DrawSection(TPageCanvas& canvas, const PageRequest& request, const PageStyle& style,
        std::int32_t slot, std::int64_t firstIndex, std::int64_t count)
    {
        const TChartLayout& chart = request.Chart;
        const std::int32_t height = chart.ChartHeight;
        // Every edge from its own formula, never by adding up cell sizes; counted from 1.
        std::vector<int> xs { 0 };
        for (std::int64_t i = 1; i <= count + 1; ++i)
            xs.push_back(SectionColumnX(request.Layout, request.PpiX, i));
        std::vector<int> ys { 0 };
        for (std::int64_t j = 1; j <= height + 1; ++j)
            ys.push_back(SectionRowY(request.Layout, request.PpiY, j, slot));
        const auto x = [&xs](std::int64_t i) { return xs[static_cast<std::size_t>(i)]; };
        const auto y = [&ys](std::int64_t j) { return ys[static_cast<std::size_t>(j)]; };
        const int right = x(count + 1) + style.Half;
        const int bottom = y(height + 1) + style.Half;

        canvas.SetBrushColour(style.Colours.Background);
        canvas.SetPenColour(style.Colours.Grid);
        canvas.SetPenWidth(style.PenWidth);
        canvas.Rectangle(x(1), y(1), right, bottom);

        // All rows but the last are filled together when no row number can reach into the
        // grid's area (the stitches would be drawn over it there); the last row is drawn
        // stitch by stitch, as its stitch numbers go between its stitches.
        const bool numbersClear = PenBefore(style.PenWidth) < style.Tick + NumberGap;
        const std::int32_t together = numbersClear ? std::max(height - 1, 0) : 0;
        const auto rowNumber = [&](std::int32_t r) {
            return PatternNumber(r - 1, height, style.FirstRowOffset, request.Order);
        };
        for (std::int32_t r = 1; r <= together; ++r)
            if (rowNumber(r) % 10 == 0)
                DrawRowNumber(canvas, style, x(1), y(r), y(r + 1), rowNumber(r));
        if (together > 0 && count > 0)
            FillRows(canvas, chart, style, xs, ys, firstIndex, count, together);

        for (std::int32_t r = together + 1; r <= height; ++r) {
            const int top = y(r);
            const int rowBottom = y(r + 1);
            if (rowNumber(r) % 10 == 0)
                DrawRowNumber(canvas, style, x(1), top, rowBottom, rowNumber(r));
            canvas.SetPenWidth(style.PenWidth);
            const std::uint8_t* stitches = chart.Row(r - 1);
            for (std::int64_t c = 1; c <= count; ++c) {
                const std::int64_t i = firstIndex + c;
                const int left = x(c);
                const int cellRight = x(c + 1);
                canvas.SetPenColour(style.OutlineColour);
                canvas.SetBrushColour(
                    stitches[i - 1] != 0 ? style.Colours.Text : style.Colours.Background);
                canvas.Rectangle(left, top, cellRight + style.Half, rowBottom + style.Half);
                const std::int64_t stitchNumber = PatternNumber(
                    i - 1, chart.ChartWidth, style.FirstStitchOffset, request.Order);
                if (r == height && stitchNumber % 10 == 0) {
                    // The pen keeps the grid width for the stitch ticks.
                    canvas.SetBrushColour(WhiteColour);
                    canvas.SetPenColour(BlackColour);
                    const int xMid = (left + cellRight) / 2;
                    canvas.Line(xMid, rowBottom + NumberGap, xMid, rowBottom + style.Tick);
                    const std::string text = NumberText(stitchNumber);
                    canvas.TextOut(xMid - canvas.TextWidth(text) / 2,
                        rowBottom + style.Tick + NumberGap, text);
                }
            }
        }

        // The chart's outer edges are heavy whatever the colours; an edge where the chart
        // was cut between two sections is not an outer edge.
        canvas.SetBrushColour(BlackColour);
        canvas.SetPenColour(BlackColour);
        canvas.SetPenWidth(style.PenWidth);
        canvas.Rectangle(x(1), y(1), right, y(1) + style.Half);
        canvas.Rectangle(x(1), y(height + 1), right, bottom);
        if (firstIndex == 0)
            canvas.Rectangle(x(1), y(1), x(1) + style.Half, bottom);
        if (firstIndex + count == chart.ChartWidth)
            canvas.Rectangle(x(count + 1), y(1), right, bottom);
    }

} // namespace

PrintColours ChoosePrintColours(PrintColour choice, const DisplayColours& display)
{
    switch (choice) {
    case PrintColour::WhiteOnBlack:
        return { WhiteColour, BlackColour, WhiteColour };
    case PrintColour::Screen:
        return { display.Colours[DisplayColours::Text], display.Colours[DisplayColours::Background],
            display.Colours[DisplayColours::GridLines] };
    default:
        return { BlackColour, WhiteColour, BlackColour };
    }
}

int GridPenWidth(int ppiX, float stitchesPerInch)
{
    const float target = static_cast<float>(static_cast<long double>(ppiX) / stitchesPerInch / 16);
    // Stepping up from 1 by 2 while the next odd width is strictly nearer stops at the
    // first odd width of at least target - 1.
    if (!(target > 2.0f))
        return 1;
    const long double steps = std::ceil((static_cast<long double>(target) - 2) / 2);
    return 2 * static_cast<int>(std::min(steps, PixelLimit / 4)) + 1;
}

int HalfPen(int gridPenWidth) { return (gridPenWidth + 1) / 2; }

int TickLength(int ppiY) { return RoundPixel(static_cast<long double>(ppiY) / 10); }

int PrintFontPoints(float stitchesPerInch)
{
    return RoundPixel(150 / static_cast<long double>(stitchesPerInch));
}

std::int32_t NumberOffset(std::optional<double> fieldValue)
{
    if (!fieldValue || std::isnan(*fieldValue))
        return 0;
    return static_cast<std::int32_t>(std::nearbyint(
               std::clamp(*fieldValue, FirstNumberSetting.Minimum, FirstNumberSetting.Maximum)))
        - 1;
}

std::string NumberText(std::int64_t number) { return std::to_string(number).substr(0, 4); }

int SectionColumnX(const PrintLayout& layout, int ppiX, std::int64_t column)
{
    return RoundPixel(
        (static_cast<long double>(column - 1) / layout.PrintStitchesPerInch + layout.PageLeftMargin)
        * ppiX);
}

int SectionRowY(const PrintLayout& layout, int ppiY, std::int64_t row, std::int32_t slot)
{
    const long double sectionStep = static_cast<long double>(layout.PrintedHeight) + 0.5L;
    return RoundPixel((static_cast<long double>(row - 1) / layout.PrintRowsPerInch
                          + layout.PageTopMargin + (slot - 1) * sectionStep)
        * ppiY);
}

bool DrawPrintedPage(TPageCanvas& canvas, const PageRequest& request)
{
    // Reporting the last page once the count is reached also ends a run over an empty
    // chart, which needs no pages at all.
    const bool lastPage = request.PageNumber >= request.Layout.PagesRequired;
    if (!IsDrawable(request))
        return true;
    if (request.PageNumber < 1)
        return lastPage;

    const PrintLayout& layout = request.Layout;
    PageStyle style {};
    style.FirstStitchOffset = NumberOffset(request.FirstStitchValue);
    style.FirstRowOffset = NumberOffset(request.FirstRowValue);
    style.Tick = TickLength(request.PpiY);
    canvas.SetFont("Arial", PrintFontPoints(layout.PrintStitchesPerInch));
    style.Colours = request.Colours;
    // A grid in the background colour would vanish on paper; the text colour keeps it.
    style.OutlineColour
        = style.Colours.Grid == style.Colours.Background ? style.Colours.Text : style.Colours.Grid;
    style.PenWidth = GridPenWidth(request.PpiX, layout.PrintStitchesPerInch);
    style.Half = HalfPen(style.PenWidth);

    const std::int64_t chartWidth = request.Chart.ChartWidth;
    for (std::int32_t slot = 1; slot <= layout.SectionsPerPage; ++slot) {
        const std::int64_t section
            = (std::int64_t { request.PageNumber } - 1) * layout.SectionsPerPage + (slot - 1);
        // Every section holds at least one stitch, so this bounds the product below.
        if (section >= chartWidth)
            break;
        const std::int64_t firstIndex = section * layout.StitchesPerSection;
        if (firstIndex >= chartWidth)
            break;
        const std::int64_t count
            = std::min<std::int64_t>(layout.StitchesPerSection, chartWidth - firstIndex);
        DrawSection(canvas, request, style, slot, firstIndex, count);
    }
    return lastPage;
}

} // namespace wendle
