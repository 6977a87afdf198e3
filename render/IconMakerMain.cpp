// Draws Wendle's icon with the program's own chart engine: the letter W laid out as a stitch
// chart in the display colours. Run by the build; writes wendle.svg, wendle-48.png and
// wendle-256.png into the folder given as its one argument.
#include "chart/ChartLayout.h"
#include "chart/ChartOptions.h"
#include "chart/StitchDisplay.h"
#include "chart/WendleFont.h"
#include "preview/OutputFile.h"
#include "render/ChartPicture.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace wendle;

namespace {

// The chart drawn into a transparent square of \a side pixels with the largest square cells
// that fit, centred.
QImage SquareIcon(const TChartLayout& chart, const DisplayColours& colours, int side)
{
    const int cells = std::max(chart.ChartWidth, chart.ChartHeight);
    const int cell = (side - 1) / cells;
    const DisplaySize size = StitchDisplaySize(chart, cell, cell);
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    // The display raster leaves pixels outside the chart alone, so drawing it from a negative
    // origin centres it in the square.
    RenderStitchDisplay(chart, colours, cell, cell, -static_cast<int>((side - size.Width) / 2),
        -static_cast<int>((side - size.Height) / 2), side, side,
        reinterpret_cast<std::uint32_t*>(icon.bits()), static_cast<int>(icon.bytesPerLine() / 4));
    return icon;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    TWendleFont font;
    font.BuildFont();
    ChartOptions options;
    options.BlankRows = 1; // one blank row and stitch around the W makes the chart square
    options.EndBlanks = 1;
    TChartLayout chart;
    const std::vector<std::string> lines { "W" };
    chart.LayOutChart(lines, options, font);
    const DisplayColours colours;

    struct Output {
        const char* Name;
        QByteArray Contents;
    } const outputs[] = {
        { "wendle.svg", ChartSvg(chart, colours, { 8, 8 }) },
        { "wendle-48.png", PngBytes(SquareIcon(chart, colours, 48)) },
        { "wendle-256.png", PngBytes(SquareIcon(chart, colours, 256)) },
    };
    for (const Output& output : outputs) {
        const QString error = WriteOutputFile(folder.filePath(output.Name), output.Contents);
        if (!error.isEmpty() || output.Contents.isEmpty()) {
            std::fprintf(stderr, "wendle-icon: %s: %s\n", output.Name,
                error.isEmpty() ? "nothing to write" : qPrintable(error));
            return 1;
        }
    }
    return 0;
}
