#pragma once

#include "chart/ChartLayout.h"
#include "chart/StitchDisplay.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace wendle {

/// The size of one stitch in a chart picture. A cell width of 1 is the knitting-machine
/// picture: one pixel per stitch in the text and background colours, without grid lines,
/// whatever the cell height; as a PNG it has two colours, one bit a pixel, so that
/// machine-knitting software takes it as it is. Any other size draws the chart as the
/// stitch display does.
struct PictureCell {
    int Width { 8 };
    int Height { 8 };
};

/// The most pixels a PNG picture may have on a side: beyond it viewers and knitting software
/// give up, and QImage cannot paint.
inline constexpr std::int64_t LargestPictureSide = 32767;

/// The size in pixels of the chart's picture, cells and grid.
DisplaySize ChartPictureSize(const TChartLayout& chart, PictureCell cell);

/// The chart as the stitch display draws it in opaque 32-bit RGB, or the knitting-machine
/// picture (see PictureCell) with a colour table of background, then text. A null image when
/// a side would be longer than LargestPictureSide.
QImage ChartImage(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell);

/// The colours of a knitting-machine picture: black text on white, unless the knitter named
/// text and background colours.
DisplayColours MachineColours(const std::optional<DisplayColours>& named);

/// The same picture as an SVG document in pixel units: one path for the background, one for
/// the text stitches and one for the grid lines (left out, like on screen, when the grid
/// colour is the background colour). Each path is made of axis-aligned rectangles written
/// "M x y h w v h h -w z", text stitches merged into runs along each row.
QByteArray ChartSvg(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell);

/// The PNG encoding of \a image; empty when it cannot be encoded.
QByteArray PngBytes(const QImage& image);

} // namespace wendle
