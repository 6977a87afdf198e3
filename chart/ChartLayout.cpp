#include "chart/ChartLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace wendle {

namespace {

    // Glyph index of one character of a line: lower case as upper case, anything the
    // font lacks as the blank.
    constexpr int GlyphOf(char character)
    {
        auto code = static_cast<unsigned char>(character);
        if (code >= 'a' && code <= 'z')
            code = static_cast<unsigned char>(code - 'a' + 'A');
        return TWendleFont::GlyphIndex(code);
    }

    // Columns a glyph takes including the one-stitch gap after it; the blank's width is
    // the word gap less two, so that two words stand exactly WordGap stitches apart.
    struct Advances {
        std::array<std::int32_t, GlyphCount> Columns {};

        Advances(const TWendleFont& font, const ChartOptions& options)
        {
            std::ranges::transform(font.FontWidths[FormIndex(options.Form)], Columns.begin(),
                [](std::int32_t width) { return width + 1; });
            Columns[0] = options.WordGap - 2 + 1;
        }
    };

    // Share of the remaining slack for the next gap, rounded half to even.
    std::int32_t GapShare(std::int32_t slack, std::int32_t gaps)
    {
        if (gaps <= 0)
            return slack;
        const std::int32_t quotient = slack / gaps;
        const std::int32_t twiceRemainder = 2 * (slack % gaps);
        if (twiceRemainder > gaps || (twiceRemainder == gaps && quotient % 2 != 0))
            return quotient + 1;
        return quotient;
    }

} // namespace

bool TChartLayout::LayOutChart(
    std::span<const std::string> lines, const ChartOptions& options, const TWendleFont& font)
{
    if (!options.IsUsable())
        return false;

    const std::int32_t oldWidth = ChartWidth;
    const std::int32_t oldHeight = ChartHeight;
    const Advances advance(font, options);
    const std::size_t lineCount = lines.size();

    LineTextWidths.assign(lineCount, 0);
    LineBlankCounts.assign(lineCount, 0);

    // Measuring pass: every line's width and the widest of them, trailing blanks included.
    std::int64_t textWidth = 0;
    for (std::size_t i = 0; i < lineCount; ++i) {
        std::int64_t x = 0;
        std::int32_t blanks = 0;
        for (const char character : lines[i]) {
            const int k = GlyphOf(character);
            x += advance.Columns[k];
            if (k == 0) {
                ++blanks;
            } else {
                LineTextWidths[i] = static_cast<std::int32_t>(
                    std::min<std::int64_t>(x - 1, std::numeric_limits<std::int32_t>::max()));
                LineBlankCounts[i] = blanks;
            }
        }
        textWidth = std::max(textWidth, x - 1);
    }

    const std::int64_t height = static_cast<std::int64_t>(options.BlankRows + 5)
            * (static_cast<std::int64_t>(lineCount) + 1)
        - 5;
    const std::int64_t width = textWidth + 2 * options.EndBlanks;
    const std::int64_t rowLength = width + 5;
    constexpr std::int64_t largest = std::numeric_limits<std::int32_t>::max();
    if (height > largest || rowLength > largest
        || static_cast<double>(height) * static_cast<double>(rowLength)
            > static_cast<double>(std::numeric_limits<std::ptrdiff_t>::max() / 2))
        return false;

    LineCount = static_cast<std::int32_t>(lineCount);
    ChartHeight = static_cast<std::int32_t>(height);
    ChartWidth = static_cast<std::int32_t>(width);
    RowsAllocated = ChartHeight;
    RowLength = static_cast<std::int32_t>(rowLength);

    const std::size_t cells
        = static_cast<std::size_t>(RowsAllocated) * static_cast<std::size_t>(RowLength);
    if (StitchRows.capacity() > 2 * cells + (std::size_t { 1 } << 20))
        std::vector<std::uint8_t>().swap(StitchRows); // give back what a huge chart took
    StitchRows.assign(cells, 0);

    // Drawing pass.
    const auto& cellsOfForm = font.FontCells[FormIndex(options.Form)];
    const std::int32_t text = static_cast<std::int32_t>(textWidth);
    std::int64_t top = options.BlankRows;
    for (std::size_t i = 0; i < lineCount; ++i) {
        std::int32_t x = options.EndBlanks;
        std::int32_t slack = text - LineTextWidths[i];
        std::int32_t gaps = 0;
        switch (options.Align) {
        case Alignment::Right:
            x += slack;
            slack = 0;
            break;
        case Alignment::Centred:
            x += slack / 2;
            slack = 0;
            break;
        case Alignment::Full:
            gaps = LineBlankCounts[i];
            break;
        default:
            slack = 0;
            break;
        }

        const std::string& line = lines[i];
        std::size_t end = line.size();
        while (end > 0 && GlyphOf(line[end - 1]) == 0)
            --end;

        std::uint8_t* lineTop = StitchRows.data() + static_cast<std::size_t>(top) * RowLength;
        for (const char character : std::string_view(line).substr(0, end)) {
            const int k = GlyphOf(character);
            if (k == 0 && slack > 0) {
                const std::int32_t share = GapShare(slack, gaps);
                slack -= share;
                --gaps;
                x += share;
            }
            const auto& glyph = cellsOfForm[k];
            for (int g = 0; g < GlyphRows; ++g)
                std::memcpy(lineTop + static_cast<std::size_t>(g) * RowLength + x, glyph[g].data(),
                    GlyphColumns);
            x += advance.Columns[k];
        }
        top += options.BlankRows + 5;
    }

    return ChartWidth != oldWidth || ChartHeight != oldHeight;
}

void TChartLayout::MirrorRows()
{
    for (std::int32_t r = 0; r < ChartHeight; ++r) {
        std::uint8_t* row = StitchRows.data() + static_cast<std::size_t>(r) * RowLength;
        std::reverse(row, row + ChartWidth);
    }
}

} // namespace wendle
