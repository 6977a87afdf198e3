#include "ChartPicture.h"
#include "ChartTool.h"

#include "WendleFont.h"

#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

using namespace wendle;

namespace {

// What the picture must show: one pixel per stitch at cell width 1, else the display raster.
QImage Expected(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell)
{
    const bool machine = cell.Width == 1;
    const DisplaySize size = machine ? DisplaySize { chart.ChartWidth, chart.ChartHeight }
                                     : StitchDisplaySize(chart, cell.Width, cell.Height);
    QImage image(int(size.Width), int(size.Height), QImage::Format_RGB32);
    for (int r = 0; machine && r < chart.ChartHeight; ++r)
        for (int c = 0; c < chart.ChartWidth; ++c)
            image.setPixel(c, r, ToArgb(colours.Colours[chart.IsTextStitch(r, c)]));
    if (!machine)
        RenderStitchDisplay(chart, colours, cell.Width, cell.Height, 0, 0, image.width(),
            image.height(), reinterpret_cast<std::uint32_t*>(image.bits()), image.width());
    return image;
}

// The SVG file painted back onto pixels: each path's closed "MxyhWvHh-Wz" rectangles in its
// colour. Rectangles written otherwise are not painted.
QImage Painted(const QString& fileName, int& paths)
{
    QFile file(fileName);
    const QString svg = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "";
    const auto size = QRegularExpression("<svg [^>]*width=\"(\\d+)\" height=\"(\\d+)\"").match(svg);
    QImage image(size.captured(1).toInt(), size.captured(2).toInt(), QImage::Format_RGB32);
    image.fill(0u);
    QPainter painter(&image);
    QColor colour;
    const QRegularExpression part(
        "<path fill=\"(#\\w{6})\" d=\"|M(\\d+) (\\d+)h(\\d+)v(\\d+)h-\\4z");
    paths = 0;
    for (auto m = part.globalMatch(svg); m.hasNext();) {
        const auto found = m.next();
        if (found.hasCaptured(1))
            colour = QColor(found.captured(1)), ++paths;
        else
            painter.fillRect(found.captured(2).toInt(), found.captured(3).toInt(),
                found.captured(4).toInt(), found.captured(5).toInt(), colour);
    }
    return image;
}

// The tool's status, output and errors.
std::tuple<int, std::string, std::string> RunTool(const QStringList& arguments)
{
    std::istringstream in;
    std::ostringstream out, err;
    const int status
        = TChartTool().Run(QStringList { "wendle-chart", "-t", "HI" } + arguments, in, out, err);
    return { status, out.str(), err.str() };
}

TEST(ChartPictureTest, PngAndSvgShowTheDisplayRasterOrSayWhyNot)
{
    TWendleFont font;
    font.BuildFont();
    TChartLayout chart;
    chart.LayOutChart(std::vector<std::string> { "HI" }, ChartOptions {}, font);
    QTemporaryDir folder;
    const QString png = folder.filePath("hi.png"), svg = folder.filePath("hi.svg");
    const DisplayColours rgb { { 0x0000FF00, 0x000000FF, 0x00FF0000 } };
    const DisplayColours noGrid { { 0x00FFFFFF, 0x00563412, 0x00FFFFFF } };
    // Arguments, the cell size they give, the colours, and the SVG's paths: background, text,
    // and the grid when it shows.
    const std::tuple<QStringList, PictureCell, DisplayColours, int> cases[]
        = { { {}, { 8, 6 }, {}, 3 }, { { "--cell-width", "1" }, { 1, 1 }, {}, 2 },
              { { "--cell-width", "3", "--across", "2", "--down", "16" }, { 3, 1 }, {}, 3 },
              { { "--cell-width=12", "--colors", "#FF0000,#00ff00,#0000ff" }, { 12, 10 }, rgb, 3 },
              { { "--cell-width=5", "--down=6", "--colors", "#123456,#ffffff,#FFFFFF" }, { 5, 5 },
                  noGrid, 2 } };
    for (const auto& [arguments, cell, colours, expectedPaths] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const auto [status, output, errors]
            = RunTool(QStringList { "--png", png, "--svg", svg } + arguments);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(output + errors, "") << "a picture alone shows nothing";
        const QImage expected = Expected(chart, colours, cell);
        EXPECT_TRUE(QImage(png).convertToFormat(QImage::Format_RGB32) == expected) << "PNG";
        int paths = 0;
        EXPECT_TRUE(Painted(svg, paths) == expected) << "SVG";
        EXPECT_EQ(paths, expectedPaths);
    }

    // 16,383 I are 32,767 stitches, the widest picture; a word gap adds one more. A refused
    // or failed picture leaves what was there alone, with no file left beside it.
    const QString widest = QString("I").repeated(16383), missing = folder.filePath("no/hi.svg");
    EXPECT_EQ(std::get<2>(RunTool({ "--png", png, "--cell-width=1", "-t", widest })), "");
    const std::pair<QStringList, QString> failures[]
        = { { { "--png", png, "--cell-width=1", "-t", widest.left(16382) + " I" },
                png + ": the chart is too large for a picture at this cell width" },
              { { "--svg", missing }, missing + ": No such file or directory" } };
    for (const auto& [arguments, error] : failures)
        EXPECT_EQ(RunTool(arguments),
            std::make_tuple(1, std::string(), "wendle-chart: " + error.toStdString() + "\n"));
    EXPECT_EQ(QImage(png).width(), 32767);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        (QStringList { "hi.png", "hi.svg" }));
    EXPECT_TRUE(ChartImage(TChartLayout {}, {}, {}).isNull()) << "no stitches, no picture";
    EXPECT_EQ(std::get<1>(RunTool({ "--version" })), "wendle-chart " WENDLE_VERSION "\n");
}

} // namespace
