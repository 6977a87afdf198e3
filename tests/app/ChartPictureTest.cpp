#include "ChartPicture.h"
#include "ChartTool.h"

#include "ChartOptions.h"
#include "WendleFont.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <sstream>

using namespace wendle;

namespace {

// "HI" over "I": text stitches at row 2 column 1, blank rows and columns around it.
TChartLayout HiChart()
{
    TWendleFont font;
    font.BuildFont();
    TChartLayout chart;
    const std::vector<std::string> lines { "HI", "I" };
    chart.LayOutChart(lines, ChartOptions {}, font);
    return chart;
}

struct Raster {
    int Width;
    int Height;
    std::vector<std::uint32_t> Pixels;
};

// What the picture must show: the display raster, or one pixel per stitch.
Raster Expected(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell)
{
    if (cell.Width == 1) {
        Raster raster { chart.ChartWidth, chart.ChartHeight, {} };
        for (int r = 0; r < chart.ChartHeight; ++r)
            for (int c = 0; c < chart.ChartWidth; ++c)
                raster.Pixels.push_back(ToArgb(colours.Colours[chart.IsTextStitch(r, c)]));
        return raster;
    }
    const DisplaySize size = StitchDisplaySize(chart, cell.Width, cell.Height);
    Raster raster { int(size.Width), int(size.Height), {} };
    raster.Pixels.assign(std::size_t(size.Width * size.Height), 0);
    RenderStitchDisplay(chart, colours, cell.Width, cell.Height, 0, 0, raster.Width, raster.Height,
        raster.Pixels.data(), raster.Width);
    return raster;
}

// The SVG drawn back onto pixels, path after path, each a list of "MxyhWvHh-Wz" rectangles.
Raster Rasterised(const QByteArray& svg, int& paths)
{
    QXmlStreamReader reader(svg);
    Raster raster { 0, 0, {} };
    paths = 0;
    const QRegularExpression rectangle("M(\\d+) (\\d+)h(\\d+)v(\\d+)h-(\\d+)z");
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = reader.attributes();
        if (reader.name() == u"svg") {
            raster.Width = attributes.value("width").toInt();
            raster.Height = attributes.value("height").toInt();
            raster.Pixels.assign(std::size_t(raster.Width * raster.Height), 0);
        } else if (reader.name() == u"path") {
            ++paths;
            const std::uint32_t argb
                = 0xFF000000u | attributes.value("fill").mid(1).toUInt(nullptr, 16);
            const QString d = attributes.value("d").toString();
            auto match = rectangle.globalMatch(d);
            qsizetype covered = 0;
            while (match.hasNext()) {
                const auto m = match.next();
                covered += m.capturedLength();
                const int x = m.captured(1).toInt(), y = m.captured(2).toInt();
                EXPECT_EQ(m.captured(3), m.captured(5))
                    << "rectangle not closed in " << d.toStdString();
                for (int py = y; py < y + m.captured(4).toInt(); ++py)
                    for (int px = x; px < x + m.captured(3).toInt(); ++px)
                        raster.Pixels.at(std::size_t(py * raster.Width + px)) = argb;
            }
            EXPECT_EQ(covered, d.size()) << "unexpected path data " << d.toStdString();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return raster;
}

struct PictureCase {
    const char* Name;
    PictureCell Cell;
    DisplayColours Colours;
    int Paths; // background, text, and the grid when it shows
};
const DisplayColours NoGrid { { 0x00FFFFFF, 0x00123456, 0x00FFFFFF } };
const PictureCase PictureCases[] = {
    { "default", { 8, 6 }, {}, 3 },
    { "smallest", { 3, 2 }, {}, 3 },
    { "largest, tall", { 12, 20 }, {}, 3 },
    { "grid as background", { 5, 5 }, NoGrid, 2 },
    { "one pixel per stitch", { 1, 9 }, {}, 2 },
};

TEST(ChartPictureTest, PngAndSvgShowTheDisplayRaster)
{
    const TChartLayout chart = HiChart();
    for (const PictureCase& test : PictureCases) {
        SCOPED_TRACE(test.Name);
        const Raster expected = Expected(chart, test.Colours, test.Cell);
        const QImage png
            = QImage::fromData(PngBytes(ChartImage(chart, test.Colours, test.Cell)), "PNG")
                  .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(png.size(), QSize(expected.Width, expected.Height));
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x)
                ASSERT_EQ(png.pixel(x, y), expected.Pixels[std::size_t(y * expected.Width + x)])
                    << "PNG pixel " << x << "," << y;
        int paths = 0;
        const Raster svg = Rasterised(ChartSvg(chart, test.Colours, test.Cell), paths);
        EXPECT_EQ(paths, test.Paths);
        EXPECT_EQ(svg.Width, expected.Width);
        EXPECT_TRUE(svg.Pixels == expected.Pixels) << "the SVG draws other cells";

        // Known cells, independent of the raster: row 2 column 1 is text, row 0 is blank.
        const int w = test.Cell.Width, h = test.Cell.Width == 1 ? 1 : test.Cell.Height;
        EXPECT_EQ(png.pixel(w + w / 2, 2 * h + h / 2), ToArgb(test.Colours.Colours[1]));
        EXPECT_EQ(png.pixel(w / 2, h / 2), ToArgb(test.Colours.Colours[0]));
    }
}

struct ToolRun {
    int Status;
    std::string Output;
    std::string Errors;
};

ToolRun RunTool(const QStringList& arguments)
{
    std::istringstream in;
    std::ostringstream out, err;
    const int status
        = TChartTool().Run(QStringList { "wendle-chart", "-t", "HI" } + arguments, in, out, err);
    return { status, out.str(), err.str() };
}

TEST(ChartPictureTest, ToolWritesPicturesAtTheCellWidthAndColoursGiven)
{
    QTemporaryDir folder;
    const QString png = folder.filePath("hi.png");
    struct Case {
        QStringList Arguments;
        int Status;
        QSize Size; // of the PNG
        std::string Error {};
    } const cases[] = {
        { {}, 0, { 57, 55 } },
        { { "--cell-width", "1" }, 0, { 7, 9 } },
        { { "--cell-width", "3", "--across", "2", "--down", "16" }, 0, { 22, 10 } },
        { { "--cell-width=12", "--colors", "#FF0000,#00ff00,#0000ff" }, 0, { 85, 91 } },
        { { "--cell-width", "2" }, 2, {},
            "wendle-chart: --cell-width: takes 1 or a whole number from 3 to 12, not '2'\n" },
        { { "--cell-width", "13" }, 2, {},
            "wendle-chart: --cell-width: takes 1 or a whole number from 3 to 12, not '13'\n" },
        { { "--cell-width", "0" }, 2, {},
            "wendle-chart: --cell-width: takes 1 or a whole number from 3 to 12, not '0'\n" },
        { { "--colors", "#ff000,#00ff00,#0000ff" }, 2, {},
            "wendle-chart: --colors: takes three colours TEXT,BACKGROUND,GRID as #rrggbb, not "
            "'#ff000,#00ff00,#0000ff'\n" },
        { { "--colors", "#ff0000,#00ff00" }, 2, {},
            "wendle-chart: --colors: takes three colours TEXT,BACKGROUND,GRID as #rrggbb, not "
            "'#ff0000,#00ff00'\n" },
        { { "--colors", "#gg0000,#00ff00,#0000ff" }, 2, {},
            "wendle-chart: --colors: takes three colours TEXT,BACKGROUND,GRID as #rrggbb, not "
            "'#gg0000,#00ff00,#0000ff'\n" },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.Arguments.join(' ').toStdString());
        QFile::remove(png);
        const ToolRun run = RunTool(QStringList { "--png", png } + test.Arguments);
        EXPECT_EQ(run.Status, test.Status);
        EXPECT_EQ(run.Errors, test.Error);
        EXPECT_EQ(run.Output, "") << "a picture alone shows nothing";
        EXPECT_EQ(QImage(png).size(), test.Status == 0 ? test.Size : QSize(0, 0));
    }
    const QImage red(png);
    EXPECT_FALSE(QFile::exists(png)) << "a refused run left a picture";
    ASSERT_EQ(RunTool({ "--png", png, "--colors", "#FF0000,#00ff00,#0000ff" }).Status, 0);
    const QImage picture(png);
    // Cells 8 by 6 pixels: row 2 column 1 is a text stitch, row 0 a background one.
    EXPECT_EQ(picture.pixel(8 + 4, 2 * 6 + 3), 0xFFFF0000u) << "text stitch";
    EXPECT_EQ(picture.pixel(4, 3), 0xFF00FF00u) << "background stitch";
    EXPECT_EQ(picture.pixel(8, 3), 0xFF0000FFu) << "grid line";
}

TEST(ChartPictureTest, AFileThatCannotBeWrittenIsOneLineAndNoFile)
{
    QTemporaryDir folder;
    struct Case {
        const char* Option;
        QString File;
        std::string Why;
    } const cases[] = {
        { "--png", folder.filePath("missing/hi.png"), "No such file or directory" },
        { "--svg", folder.filePath("missing/hi.svg"), "No such file or directory" },
        { "--png", folder.path(), "is a folder" },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.Option);
        const ToolRun run = RunTool({ test.Option, test.File });
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Errors, "wendle-chart: " + test.File.toStdString() + ": " + test.Why + "\n");
        EXPECT_EQ(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList {});
    }
    EXPECT_EQ(RunTool({ "--version" }).Output, "wendle-chart " WENDLE_VERSION "\n");
}

} // namespace
