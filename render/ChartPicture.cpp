#include "render/ChartPicture.h"

#include <QBuffer>

#include <algorithm>

#include <cstdio>
#include <string>

namespace wendle {

namespace {

    bool IsMachinePicture(PictureCell cell) { return cell.Width == 1; }

    std::string SvgColour(Colour colour)
    {
        char text[8];
        std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.Red, colour.Green, colour.Blue);
        return text;
    }

    void AppendRectangle(
        std::string& path, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height)
    {
        path += 'M' + std::to_string(x) + ' ' + std::to_string(y) + 'h' + std::to_string(width)
            + 'v' + std::to_string(height) + 'h' + std::to_string(-width) + 'z';
    }

    void AppendPath(std::string& svg, Colour colour, const std::string& path)
    {
        if (!path.empty())
            svg += "<path fill=\"" + SvgColour(colour) + "\" d=\"" + path + "\"/>\n";
    }

} // namespace

DisplaySize ChartPictureSize(const TChartLayout& chart, PictureCell cell)
{
    if (IsMachinePicture(cell))
        return { chart.ChartWidth, chart.ChartHeight };
    return StitchDisplaySize(chart, cell.Width, cell.Height);
}

QImage ChartImage(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell)
{
    const DisplaySize size = ChartPictureSize(chart, cell);
    if (chart.ChartWidth <= 0 || chart.ChartHeight <= 0 || cell.Width <= 0 || cell.Height <= 0
        || size.Width > LargestPictureSide || size.Height > LargestPictureSide)
        return {};
    const int width = static_cast<int>(size.Width), height = static_cast<int>(size.Height);
    if (IsMachinePicture(cell)) {
        // One bit a stitch, the most significant first: 0 the background, 1 the text.
        QImage image(width, height, QImage::Format_Mono);
        if (image.isNull())
            return {};
        image.setColorTable({ colours.Colours[DisplayColours::Background].Argb(),
            colours.Colours[DisplayColours::Text].Argb() });
        for (std::int32_t r = 0; r < chart.ChartHeight; ++r) {
            const std::uint8_t* stitches = chart.Row(r);
            uchar* bits = image.scanLine(r);
            std::fill(bits, bits + image.bytesPerLine(), 0);
            for (std::int32_t c = 0; c < chart.ChartWidth; ++c)
                if (stitches[c] != 0)
                    bits[c / 8] |= static_cast<uchar>(0x80u >> (c % 8));
        }
        return image;
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    RenderStitchDisplay(chart, colours, cell.Width, cell.Height, 0, 0, width, height,
        reinterpret_cast<std::uint32_t*>(image.bits()), static_cast<int>(image.bytesPerLine() / 4));
    return image;
}

DisplayColours MachineColours(const std::optional<DisplayColours>& named)
{
    DisplayColours colours { { WhiteColour, BlackColour, WhiteColour } };
    if (named) {
        colours.Colours[DisplayColours::Background] = named->Colours[DisplayColours::Background];
        colours.Colours[DisplayColours::Text] = named->Colours[DisplayColours::Text];
    }
    return colours;
}

QByteArray ChartSvg(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell)
{
    const bool machine = IsMachinePicture(cell);
    const std::int64_t cellWidth = machine ? 1 : cell.Width;
    const std::int64_t cellHeight = machine ? 1 : cell.Height;
    const DisplaySize size = ChartPictureSize(chart, cell);
    const Colour background = colours.Colours[DisplayColours::Background];
    const Colour grid = colours.Colours[DisplayColours::GridLines];
    const bool gridShown = !machine && grid != background;
    // Without a grid the outline after the last column and row belongs to the cells beside
    // it, as on screen.
    const std::int64_t extra = machine ? 0 : 1;

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
        + std::to_string(size.Width) + "\" height=\"" + std::to_string(size.Height)
        + "\" viewBox=\"0 0 " + std::to_string(size.Width) + ' ' + std::to_string(size.Height)
        + "\" shape-rendering=\"crispEdges\">\n<title>Stitch chart, "
        + std::to_string(chart.ChartWidth) + " stitches by " + std::to_string(chart.ChartHeight)
        + " rows</title>\n";

    std::string path;
    AppendRectangle(path, 0, 0, size.Width, size.Height);
    AppendPath(svg, background, path);

    path.clear();
    for (std::int32_t r = 0; r < chart.ChartHeight; ++r) {
        const std::uint8_t* stitches = chart.Row(r);
        const std::int64_t height = cellHeight + (r == chart.ChartHeight - 1 ? extra : 0);
        for (std::int32_t c = 0; c < chart.ChartWidth;) {
            if (stitches[c] == 0) {
                ++c;
                continue;
            }
            const std::int32_t start = c;
            while (c < chart.ChartWidth && stitches[c] != 0)
                ++c;
            AppendRectangle(path, start * cellWidth, r * cellHeight,
                (c - start) * cellWidth + (c == chart.ChartWidth ? extra : 0), height);
        }
    }
    AppendPath(svg, colours.Colours[DisplayColours::Text], path);

    if (gridShown) {
        path.clear();
        for (std::int32_t c = 0; c <= chart.ChartWidth; ++c)
            AppendRectangle(path, c * cellWidth, 0, 1, size.Height);
        for (std::int32_t r = 0; r <= chart.ChartHeight; ++r)
            AppendRectangle(path, 0, r * cellHeight, size.Width, 1);
        AppendPath(svg, grid, path);
    }
    svg += "</svg>\n";
    return QByteArray::fromStdString(svg);
}

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

} // namespace wendle
