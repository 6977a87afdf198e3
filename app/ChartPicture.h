#pragma once

#include "ChartLayout.h"
#include "StitchDisplay.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace wendle {

/// The size of one stitch in a chart picture. A cell width of 1 is the knitting-machine
/// picture: one pixel per stitch in the text and background colours, without grid lines,
/// whatever the cell height. Any other size draws the chart as the stitch display does.
struct PictureCell {
    int Width { 8 };
    int Height { 8 };
};

/// The chart as the stitch display draws it (or one pixel per stitch, see PictureCell), in
/// opaque 32-bit RGB. A null image when the picture would be too large to hold.
QImage ChartImage(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell);

/// The same picture as an SVG document in pixel units: one path for the background, one for
/// the text stitches and one for the grid lines (left out, like on screen, when the grid
/// colour is the background colour). Each path is made of axis-aligned rectangles written
/// "M x y h w v h h -w z", text stitches merged into runs along each row.
QByteArray ChartSvg(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell);

/// Writes \a contents to \a fileName through a temporary file beside it that replaces the
/// file at the end, so that a failure leaves whatever was there before. Returns an empty
/// string on success, else why it failed.
QString WritePictureFile(const QString& fileName, const QByteArray& contents);

/// The PNG encoding of \a image; empty when it cannot be encoded.
QByteArray PngBytes(const QImage& image);

} // namespace wendle
