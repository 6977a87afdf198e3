#include "chart/StitchDisplay.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace wendle {

namespace {

    // Far beyond any screen, small enough that pixel sizes stay exact in 64 bits.
    constexpr double LargestCellHeight = 1 << 20;

} // namespace

std::optional<int> StitchCellHeight(
    std::optional<double> across, std::optional<double> down, int cellWidth)
{
    if (!across || !down || !(*across > 0.0) || !(*down > 0.0) || cellWidth <= 0)
        return std::nullopt;
    // The ideal height in double precision, then rounded to single precision.
    const double ideal = static_cast<float>(*across / *down * cellWidth);
    if (!std::isfinite(ideal) || ideal > LargestCellHeight)
        return std::nullopt;
    const double low = std::trunc(ideal);
    const double high = std::trunc(ideal + 1.0);
    // Round at the geometric mean of the two neighbours, ties upwards; below 1 the lower
    // neighbour is 0, whose logarithm is infinite, so the height is 1.
    if (low == 0.0 || std::fabs(std::log(low / ideal)) >= std::fabs(std::log(high / ideal)))
        return static_cast<int>(high);
    return static_cast<int>(low);
}

DisplaySize StitchDisplaySize(const TChartLayout& chart, int cellWidth, int cellHeight)
{
    return { static_cast<std::int64_t>(cellWidth) * chart.ChartWidth + 1,
        static_cast<std::int64_t>(cellHeight) * chart.ChartHeight + 1 };
}

void RenderStitchDisplay(const TChartLayout& chart, const DisplayColours& colours, int cellWidth,
    int cellHeight, int left, int top, int width, int height, std::uint32_t* pixels, int stride)
{
    if (chart.ChartWidth <= 0 || chart.ChartHeight <= 0 || cellWidth <= 0 || cellHeight <= 0)
        return;
    const DisplaySize size = StitchDisplaySize(chart, cellWidth, cellHeight);
    const std::int64_t firstX = std::max<std::int64_t>(left, 0);
    const std::int64_t firstY = std::max<std::int64_t>(top, 0);
    const std::int64_t endX
        = std::min<std::int64_t>(static_cast<std::int64_t>(left) + width, size.Width);
    const std::int64_t endY
        = std::min<std::int64_t>(static_cast<std::int64_t>(top) + height, size.Height);
    if (firstX >= endX || firstY >= endY)
        return;

    const Colour backgroundColour = colours.Colours[DisplayColours::Background];
    const Colour gridColour = colours.Colours[DisplayColours::GridLines];
    const bool gridShown = gridColour != backgroundColour;
    const std::uint32_t cellArgb[2]
        = { backgroundColour.Argb(), colours.Colours[DisplayColours::Text].Argb() };
    const std::uint32_t gridArgb = gridColour.Argb();

    // A shared outline pixel is drawn last by the cell to its right or below, so every
    // pixel belongs to the cell it falls in, the last column and row also owning the
    // outline after them. Work out each pixel column's cell once.
    std::vector<std::int32_t> columnCell(static_cast<std::size_t>(endX - firstX));
    std::vector<std::uint8_t> columnIsLine(columnCell.size());
    for (std::int64_t x = firstX; x < endX; ++x) {
        const std::size_t i = static_cast<std::size_t>(x - firstX);
        columnCell[i] = static_cast<std::int32_t>(
            std::min<std::int64_t>(x / cellWidth, chart.ChartWidth - 1));
        columnIsLine[i] = x % cellWidth == 0 ? 1 : 0;
    }

    for (std::int64_t y = firstY; y < endY; ++y) {
        std::uint32_t* out = pixels
            + static_cast<std::size_t>(y - top) * static_cast<std::size_t>(stride)
            + static_cast<std::size_t>(firstX - left);
        const bool rowIsLine = y % cellHeight == 0;
        if (gridShown && rowIsLine) {
            std::fill(out, out + columnCell.size(), gridArgb);
            continue;
        }
        const std::uint8_t* stitches = chart.Row(static_cast<std::int32_t>(
            std::min<std::int64_t>(y / cellHeight, chart.ChartHeight - 1)));
        if (gridShown) {
            for (std::size_t i = 0; i < columnCell.size(); ++i)
                out[i] = columnIsLine[i] ? gridArgb : cellArgb[stitches[columnCell[i]] != 0];
        } else {
            for (std::size_t i = 0; i < columnCell.size(); ++i)
                out[i] = cellArgb[stitches[columnCell[i]] != 0];
        }
    }
}

std::vector<PixelRect> FloatOutlines(const TChartLayout& chart, std::int32_t limit, int cellWidth,
    int cellHeight, std::int64_t top, std::int64_t bottom)
{
    // Row r's outline spans the pixel rows from r x H to (r + 1) x H, both included: only the
    // rows in view are searched, so that a paint of a few rows of a long chart stays quick.
    const auto rowsStartingAbove = [&](std::int64_t pixel) {
        const std::int64_t rows = (std::max<std::int64_t>(pixel, 0) + cellHeight - 1) / cellHeight;
        return static_cast<std::int32_t>(std::min<std::int64_t>(rows, INT32_MAX));
    };
    std::vector<PixelRect> outlines;
    for (const Float& run :
        FindFloats(chart, limit, rowsStartingAbove(top) - 1, rowsStartingAbove(bottom)))
        outlines.push_back(
            { std::int64_t { run.FirstColumn } * cellWidth, std::int64_t { run.Row } * cellHeight,
                std::int64_t { run.Length } * cellWidth + 1, std::int64_t { cellHeight } + 1 });
    return outlines;
}

} // namespace wendle
