#pragma once

#include "chart/ChartLayout.h"
#include "chart/Colour.h"
#include "chart/Floats.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace wendle {

/// The three display colours, indexed like the colour buttons' tags.
struct DisplayColours {
    enum Index { Background = 0, Text = 1, GridLines = 2 };
    std::array<Colour, 3> Colours { CreamColour, BlackColour, MaroonColour };
};

/// Cell height in pixels for a cell \a cellWidth pixels wide at a gauge of \a across
/// stitches and \a down rows per unit: the ideal height rounded at the geometric mean of
/// its integer neighbours, never below 1. Empty when the gauge is blank, not positive or
/// gives a height beyond any screen.
std::optional<int> StitchCellHeight(
    std::optional<double> across, std::optional<double> down, int cellWidth);

/// Pixel size of the whole display for a chart at the given cell size: every cell shares
/// its outline with its neighbours, so one more pixel than the cells take.
struct DisplaySize {
    std::int64_t Width;
    std::int64_t Height;
};
DisplaySize StitchDisplaySize(const TChartLayout& chart, int cellWidth, int cellHeight);

/// Renders the part of the stitch display whose top left pixel is (\a left, \a top) into
/// \a pixels (\a width x \a height, \a stride pixels per row, 0xAARRGGBB, opaque). The result
/// is exactly what drawing every cell, row by row, as a filled rectangle outlined in the grid
/// colour gives; when the grid colour equals the background colour (palette flag and all), each
/// outline takes its own cell's colour instead, so no grid shows. Pixels outside the display
/// keep their value.
void RenderStitchDisplay(const TChartLayout& chart, const DisplayColours& colours, int cellWidth,
    int cellHeight, int left, int top, int width, int height, std::uint32_t* pixels, int stride);

/// A rectangle of display pixels.
struct PixelRect {
    std::int64_t Left { 0 };
    std::int64_t Top { 0 };
    std::int64_t Width { 0 };
    std::int64_t Height { 0 };

    bool operator==(const PixelRect&) const = default;
};

/// The outlines that mark the floats of \a chart longer than \a limit on a display of the
/// given cell size, for the floats whose outline reaches into the pixel rows \a top to
/// \a bottom (exclusive), top row first. Each outline is the one-pixel frame of its rectangle
/// and runs along the grid lines around its float's cells, so that it covers no stitch's own
/// pixels.
std::vector<PixelRect> FloatOutlines(const TChartLayout& chart, std::int32_t limit, int cellWidth,
    int cellHeight, std::int64_t top, std::int64_t bottom);

} // namespace wendle
