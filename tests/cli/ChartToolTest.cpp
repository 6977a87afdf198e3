#include "cli/ChartTool.h"

#include "chart/WendleFont.h"
#include "render/ChartPicture.h"

#include <QtGui>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <tuple>

using namespace wendle;

namespace {

struct ToolResult {
    int Status;
    std::string Output, Errors;
};

ToolResult RunTool(const QStringList& arguments, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = TChartTool().Run(QStringList { "wendle-chart" } + arguments, in, out, err);
    return { status, out.str(), err.str() };
}

// The whole output when \a expected ends a line, else one whole line of it.
bool Shows(const std::string& output, const std::string& expected)
{
    return expected.ends_with('\n') ? output == expected
                                    : ("\n" + output).find("\n" + expected + "\n") != output.npos;
}

// Arguments as typed in a shell, split at spaces; "_" stands for a space within one.
QStringList Args(const QString& line)
{
    QStringList arguments = line.split(' ', Qt::SkipEmptyParts);
    for (QString& argument : arguments)
        argument.replace('_', ' ');
    return arguments;
}

// What the picture must show: one pixel per stitch at cell width 1, else the display raster.
QImage Expected(const TChartLayout& chart, const DisplayColours& colours, PictureCell cell)
{
    const bool machine = cell.Width == 1;
    const DisplaySize size = machine ? DisplaySize { chart.ChartWidth, chart.ChartHeight }
                                     : StitchDisplaySize(chart, cell.Width, cell.Height);
    QImage image(int(size.Width), int(size.Height), QImage::Format_RGB32);
    for (int r = 0; machine && r < chart.ChartHeight; ++r)
        for (int c = 0; c < chart.ChartWidth; ++c)
            image.setPixel(c, r, colours.Colours[chart.IsTextStitch(r, c)].Argb());
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

TEST(ChartToolTest, PrintsTheChartTheSizeAndThePrintLayout)
{
    QLocale::setDefault(QLocale::c());
    const std::string hiChart = ".......\n.......\n.#.#.#.\n.#.#.#.\n.###.#.\n.#.#.#.\n.#.#.#.\n"
                                ".......\n.......\n";
    const std::string hiSize = "Area shown is 7 stitches wide by 9 stitches deep,\n"
                               "or 1.2 inches wide by 1.2 inches deep\n";
    // I  I with a gap of 5: a float of 9 stitches on each of its 5 rows.
    const QString floats = "-t I__I --word-gap=5 --show=floats ";
    const std::pair<QString, std::string> cases[] = {
        // The chart and its size by default, else what is asked for in that order.
        { "-t HI", hiChart + "\n" + hiSize },
        { "--text=__hi --show size,chart", hiSize + "\n" + hiChart },
        // Every number option at both ends of its range, every choice in a word of its own.
        { "--blank-rows=1 --end-blanks=10 --word-gap=6 -t I_I --show=size",
            "Area shown is 28 stitches wide by 7 stitches deep," },
        { "--blank-rows=10 --end-blanks=1 --word-gap=2 --across=2 --down=16.0 -t HI --show=size",
            "or 3.5 inches wide by 1.6 inches deep" },
        { "--across=16 --down=2 --unit=cm -t HI --show=size", "or 0.4 cm wide by 4.5 cm deep" },
        { "-t HI -t I --align=right", ".....#." }, { "-t HI -t I --align=Centre", "...#..." },
        { "-t HI -t I --align=center", "...#..." }, { "--font=wide -t HA", ".#..#..##.." },
        { "--align=full -t HII -t I_I", ".#.....#." },
        { "-t HI --show=plan",
            "PagesRequired: 1\nPrintLandscape: false\nStitchesPerSection: 78\nSectionsPerPage: 9\n"
            "PrintStitchesPerInch: 12.0000\nPrintRowsPerInch: 15.0000\nPrintedHeight: 0.6000\n" },
        // The pitch is held within its unit's limits, as the window's field is: 12 per inch
        // is above the most per cm.
        { "--print-unit=cm --show=plan", "PrintStitchesPerInch: 20.0000" },
        { "--print-pitch=4.9 --show=plan", "PrintStitchesPerInch: 5.0000" },
        { "--print-pitch=20 --across=8 --down=4 --show=plan", "PrintRowsPerInch: 10.0000" },
        // Floats longer than an inch of stitches, or than asked for, numbered as printed (the
        // list itself is the float listing's, tested with it).
        { floats, "Floats longer than 6 stitches (one inch at 6.0 stitches per inch):" },
        { floats + "--across=2 --numbering=knitting --first-row=5",
            "Row 11: stitches 3-11 (9 stitches, text yarn)" },
        { floats + "--across=2",
            "Floats longer than 3 stitches (at least 3, though one inch at 2.0 stitches per inch "
            "is fewer):" },
        { floats + "--max-float=9", "No float longer than 9 stitches\n" },
        { floats + "--across=3.6 --unit=cm", "No float longer than 9 stitches\n" },
        // 149 rows do not print at the default pitch.
        { QString("-t I ").repeated(20) + "--blank-rows=3 --show=size,plan",
            "PagesRequired: Unprintable" }
    };
    for (const auto& [arguments, expected] : cases) {
        SCOPED_TRACE(arguments.toStdString());
        const ToolResult result = RunTool(Args(arguments));
        EXPECT_EQ(result.Status, 0);
        EXPECT_TRUE(Shows(result.Output, expected)) << result.Output;
        EXPECT_EQ(result.Errors, "");
    }
    // Lines come from standard input without -t; the mirror of HI is IH. Accented names as
    // the text field spells them, from the command line and from input.
    EXPECT_EQ(RunTool({}, "HI\r\nI").Output, RunTool(Args("-t HI -t I")).Output);
    EXPECT_EQ(RunTool(Args("-t HI --mirror")).Output, RunTool(Args("-t IH")).Output);
    EXPECT_EQ(RunTool({ "-t", "Zo\u00eb" }).Output, RunTool(Args("-t ZOE")).Output);
    EXPECT_EQ(RunTool({}, "Stra\u00dfe\n\u00c6").Output, RunTool(Args("-t STRASSE -t AE")).Output);
}

TEST(ChartToolTest, PngAndSvgShowTheDisplayRasterOrSayWhyNot)
{
    TWendleFont font;
    font.BuildFont();
    TChartLayout chart;
    chart.LayOutChart(std::vector<std::string> { "HI" }, ChartOptions {}, font);
    QTemporaryDir folder;
    const QString png = folder.filePath("hi.png"), svg = folder.filePath("hi.svg");
    const DisplayColours rgb { { Colour { 0, 255, 0 }, Colour { 255, 0, 0 },
        Colour { 0, 0, 255 } } };
    const DisplayColours noGrid { { WhiteColour, Colour { 0x12, 0x34, 0x56 }, WhiteColour } };
    const DisplayColours machine { { WhiteColour, BlackColour, WhiteColour } };
    // The cell size the arguments give, the colours, the SVG's paths (background, text, and
    // the grid when it shows), and the PNG's bits per pixel and palette (none: 32-bit RGB).
    struct Case {
        QString arguments;
        PictureCell cell;
        DisplayColours colours;
        int paths;
        int bits;
        QByteArray palette;
    } const cases[] = {
        { "", { 8, 6 }, {}, 3, 8, "" },
        { "--cell-width 3 --across 2 --down 16", { 3, 1 }, {}, 3, 8, "" },
        { "--cell-width=12 --colors #FF0000,#00ff00,#0000ff", { 12, 10 }, rgb, 3, 8, "" },
        { "--cell-width=5 --down=6 --colors #123456,#ffffff,#FFFFFF", { 5, 5 }, noGrid, 2, 8, "" },
        // The knitting-machine picture: two colours, one bit a pixel, background first.
        { "--cell-width 1", { 1, 1 }, machine, 2, 1, "ffffff000000" },
        { "--cell-width=1 --colors #FF0000,#00ff00,#0000ff", { 1, 1 },
            { { rgb.Colours[0], rgb.Colours[1], WhiteColour } }, 2, 1, "00ff00ff0000" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.toStdString());
        const ToolResult result
            = RunTool(QStringList { "-t", "HI", "--png", png, "--svg", svg } + Args(c.arguments));
        EXPECT_EQ(result.Status, 0);
        EXPECT_EQ(result.Output + result.Errors, "") << "a picture alone shows nothing";
        const QImage expected = Expected(chart, c.colours, c.cell);
        EXPECT_TRUE(QImage(png).convertToFormat(QImage::Format_RGB32) == expected) << "PNG";
        QFile file(png);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
        const qsizetype plte = bytes.indexOf("PLTE");
        EXPECT_EQ(std::pair(int(bytes[24]), plte < 0 ? "" : bytes.mid(plte + 4, 6).toHex()),
            std::pair(c.bits, c.palette));
        int paths = 0;
        EXPECT_TRUE(Painted(svg, paths) == expected) << "SVG";
        EXPECT_EQ(paths, c.paths);
    }

    // At 3 pixels a stitch, 5,460 I with a word gap among them are 10,922 stitches, the
    // widest picture; one stitch more is refused before anything is written. So is a
    // machine picture wider than the machine's needles.
    const QString widest = QString("I").repeated(5459) + " I";
    EXPECT_EQ(RunTool({ "--png", png, "--cell-width=3", "-t", widest }).Errors, "");
    const std::pair<QStringList, std::string> tooLarge[] {
        { { "--cell-width=3", "-t", QString("I").repeated(5461) },
            "its PNG picture would be 32770 by 19 pixels at --cell-width 3, and a side may have "
            "at most 32767" },
        { { "--cell-width=1", "--needles=6", "-t", "HI" },
            "7 stitches wide, more than the 6 needles of --needles" },
    };
    for (const auto& [arguments, why] : tooLarge) {
        const ToolResult result = RunTool(QStringList { "--png", png, "--show=size" } + arguments);
        EXPECT_EQ(result.Status, 2);
        EXPECT_EQ(result.Output + result.Errors, "wendle-chart: chart: " + why + "\n");
    }
    EXPECT_EQ(QImage(png).width(), 32767);
    EXPECT_EQ(RunTool({ "--png", png, "--cell-width=1", "--needles=7", "-t", "HI" }).Status, 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        (QStringList { "hi.png", "hi.svg" }));
    EXPECT_TRUE(ChartImage(TChartLayout {}, {}, {}).isNull()) << "no stitches, no picture";
    EXPECT_EQ(RunTool({ "--version" }).Output, "wendle-chart " WENDLE_VERSION "\n");
}

TEST(ChartToolTest, RefusesABadCommandLineWithOneLine)
{
    // Each number option just outside its range and in spellings the window's fields refuse.
    const std::tuple<QString, std::string, QStringList> numbers[] = {
        { "blank-rows", "a whole number from 1 to 10", { "0", "11", "2.0", "" } },
        { "end-blanks", "a whole number from 1 to 10", { "0", "11", "+3", "3 3" } },
        { "word-gap", "a whole number from 2 to 6", { "1", "7", " 3", "1e1" } },
        { "across", "a number from 2 to 16", { "1.9", "16.1", "1e1", "0x10", "5.", ".5", "6,5" } },
        { "down", "a number from 2 to 16", { "-3", "inf", "nan", "3 3", "", "\xd9\xa3" } },
        { "print-pitch", "a number from 0 to 999", { "1000", "-1", "1e1" } },
        { "first-stitch", "a whole number from 1 to 999", { "0", "1000", "1.0" } },
        { "first-row", "a whole number from 1 to 999", { "0", "1000" } },
        { "resolution", "a whole number from 72 to 2400", { "71", "2401" } },
        { "max-float", "a whole number from 1 to 999", { "0", "1000" } },
        { "needles", "a whole number from 1 to 999", { "0", "1000" } },
        { "cell-width", "1 or a whole number from 3 to 12", { "0", "2", "13" } }
    };
    const std::string unknown = ": unknown option; --help lists the options";
    std::vector<std::pair<QString, std::string>> cases { { "--svg=", "--svg: needs a file name" },
        { "--across=6.25", "--across: takes at most 1 decimal, not '6.25'" },
        { "--font=a\n\x7f", "--font: takes narrow or wide, not 'a\\x0a\\x7f'" },
        { "--show=chart,picture",
            "--show: takes a comma-separated list of chart, size, plan and floats, not "
            "'chart,picture'" },
        { "--colors=#ff000,#00ff00,#0000ff",
            "--colors: takes three colours TEXT,BACKGROUND,GRID as #rrggbb, not "
            "'#ff000,#00ff00,#0000ff'" },
        { "--show=size,chart,size", "--show: lists 'size' twice" },
        { "--numbering=rows", "--numbering: takes chart or knitting, not 'rows'" },
        { "--col\nour=red", "--col\\x0aour" + unknown }, { "-x", "-x" + unknown },
        { "--help=me", "--help: takes no value" },
        { "--blank-rows", "--blank-rows: needs a value" },
        { "stray", "'stray': unexpected argument; message lines are given with -t/--text" } };
    for (const auto& [option, range, values] : numbers)
        for (const QString& value : values)
            cases.push_back({ "--" + option + "=" + value,
                "--" + option.toStdString() + ": takes " + range + ", not '" + value.toStdString()
                    + "'" });
    for (const auto& [argument, message] : cases) {
        const ToolResult result = RunTool({ "-t", "HI", argument });
        EXPECT_EQ(result.Status, 2) << message;
        EXPECT_EQ(result.Output + result.Errors, "wendle-chart: " + message + "\n");
    }
    // Standard output carries one thing: the text shown or one output.
    const std::string taken = ": cannot write to standard output, which ";
    EXPECT_EQ(RunTool({ "--svg=-", "--png=-" }).Errors,
        "wendle-chart: --svg" + taken + "--png already writes to\n");
    EXPECT_EQ(RunTool({ "--show=size", "--pdf", "-" }).Errors,
        "wendle-chart: --pdf" + taken + "--show already writes to\n");
}

// The tool in a process of its own (or run by \a program): its standard streams can be files,
// and it prints PDFs through the print driver, which needs a widget application.
ToolResult RunProgram(const QStringList& arguments, const QString& input = "/dev/null",
    const QString& output = {}, const QString& program = WENDLE_CHART_TOOL)
{
    QProcess tool;
    tool.setStandardInputFile(input);
    if (!output.isEmpty())
        tool.setStandardOutputFile(output);
    tool.start(program, arguments);
    EXPECT_TRUE(tool.waitForFinished(60000));
    return { tool.exitCode(), tool.readAllStandardOutput().toStdString(),
        tool.readAllStandardError().toStdString() };
}

// A PDF text string as the PDF writer spells it: UTF-16 with its byte-order mark.
QByteArray Utf16Text(const QByteArray& text)
{
    QByteArray utf16 = "(\xfe\xff";
    for (const char character : text)
        utf16 += '\0', utf16 += character;
    return utf16 + ")";
}

TEST(ChartToolTest, WritesThePrintedPatternAsAPdf)
{
    QTemporaryDir folder;
    const QString file = folder.filePath("chart.pdf");
    const QString fox = "THE_QUICK_BROWN_FOX_JUMPS_OVER_THE_LAZY_DOG";
    // At 5 per inch: six portrait sections of 30, two a page, against five landscape pages
    // of one section each. 173 stitches at 12: one page either way, landscape in fewer
    // sections; the last pattern in the display colours.
    const std::tuple<QString, int, QByteArray> cases[] = {
        { QString("-t ") + fox + " -t " + fox + " -t " + fox + " --print-pitch=5 --resolution=72",
            3, "612.000000 792.000000" },
        { "-t " + fox + " --paper=A4 --print-color=screen --colors=#ff0000,#00ff00,#0000ff", 1,
            "842.000000 595.000000" }
    };
    for (const auto& [arguments, pages, size] : cases) {
        SCOPED_TRACE(arguments.toStdString());
        const ToolResult result = RunProgram(Args(arguments) + QStringList { "--pdf", file });
        EXPECT_EQ(result.Output + result.Errors, "") << "a PDF alone shows nothing";
        EXPECT_EQ(result.Status, 0);
        QFile pdf(file);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        EXPECT_EQ(bytes.count("/Type /Page\n"), pages);
        EXPECT_TRUE(bytes.contains("/MediaBox [0 0 " + size + "]"));
    }
    // The title is the message's first line with words, else the job's; the creator is Wendle.
    const std::pair<QString, QByteArray> titles[] { { "-t _ -t _ann_a -t B --pdf -", "ANN A" },
        { "-t _ --pdf -", "Hardcopy of knitting pattern" } };
    for (const auto& [arguments, title] : titles) {
        const QByteArray bytes = QByteArray::fromStdString(RunProgram(Args(arguments)).Output);
        EXPECT_TRUE(bytes.contains("/Title " + Utf16Text(title))
            && bytes.contains("/Creator " + Utf16Text("Wendle " WENDLE_VERSION)));
    }
    // Too tall to print: refused, naming the chart.
    const ToolResult tall
        = RunProgram(Args(QString("-t I ").repeated(21)) + QStringList { "--pdf", file });
    EXPECT_EQ(tall.Status, 3);
    EXPECT_EQ(tall.Errors,
        "wendle-chart: chart: The design has too many rows to print at the current print "
        "settings!\n");
}

// Where the PDF prints its row number 10 and its stitch number 10, in points, as the PDF
// reader finds them: the row number left of the chart, the stitch number below it.
std::pair<double, double> NumberTens(const QStringList& arguments)
{
    QProcess reader;
    reader.setStandardInputFile(QProcess::nullDevice());
    reader.start("sh",
        QStringList { "-c", "\"$0\" \"$@\" --pdf - | pdftotext -bbox - -", WENDLE_CHART_TOOL }
            + arguments);
    reader.waitForFinished(60000);
    double rowY = -1, stitchX = -1;
    const QRegularExpression word("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>10<");
    for (auto m = word.globalMatch(reader.readAllStandardOutput()); m.hasNext();) {
        const auto found = m.next();
        const double x = found.captured(1).toDouble(), y = found.captured(2).toDouble();
        (rowY < 0 && x < 100 ? rowY : stitchX) = x < 100 ? y : x;
    }
    return { rowY, stitchX };
}

// In knitting order row 1 is the bottom row and stitch 1 the rightmost; the numbers stay
// where the page puts them.
TEST(ChartToolTest, KnittingOrderNumbersThePdfFromTheBottomRight)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "reading a PDF back needs pdftotext (poppler-utils)";
    // 13 stitches by 9 rows, the first row numbered 3: in chart order row 10 is the eighth
    // from the top and stitch 10 the tenth from the left; in knitting order they are the
    // second and the fourth, six rows (of 72 / 15 points) and stitches (of 72 / 12) before.
    const QStringList chart { "-t", "I  I", "--word-gap=5", "--first-row=3" };
    const auto [rowY, stitchX] = NumberTens(chart);
    const auto [knittingRowY, knittingStitchX]
        = NumberTens(chart + QStringList { "--numbering=knitting" });
    EXPECT_GT(rowY, 0);
    EXPECT_NEAR(rowY - knittingRowY, 6 * 72.0 / 15, 0.01);
    EXPECT_NEAR(stitchX - knittingStitchX, 6 * 72.0 / 12, 0.01);
}

// Each picture and the PDF onto every kind of target: a regular file is replaced only when
// complete, keeping its mode and any link to it; anything else is written into, never
// replaced; "-" is standard output. A failure is one line and status 1, and leaves the target
// as it was and nothing beside it.
TEST(ChartToolTest, OutputsNeverDestroyWhatStandsAtTheirName)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "device nodes can be made by root only";
    QTemporaryDir folder;
    const auto shell = [&](const QString& command) {
        return std::system(qPrintable("cd '" + folder.path() + "' && " + command)) == 0;
    };
    // The target in the folder: "old" is a file of mode 0600 and "link" a link to it. The
    // error after "wendle-chart: <target>: ", any one when null; shell commands before the tool.
    struct Case {
        const char* target;
        const char* error { "" };
        const char* limit { "" };
    } const cases[] { { .target = "new" }, { .target = "old" }, { .target = "link" },
        { .target = "null" }, { .target = "fifo" }, { .target = "-" },
        { .target = "full", .error = "No space left on device" },
        { .target = "old", .error = nullptr, .limit = "trap '' XFSZ; ulimit -f 1;" }, // disk full
        { .target = "no/file", .error = "No such file or directory" } };
    const std::pair<const char*, QByteArray> formats[]
        = { { "--pdf", "%PDF-" }, { "--png", "\x89PNG" }, { "--svg", "<?xml" } };
    for (const auto& [option, magic] : formats) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(option) + " " + c.target + " " + c.limit);
            ASSERT_TRUE(shell("rm -rf * && printf old > old && chmod 600 old && ln -s old link "
                              "&& mknod null c 1 3 && mknod full c 1 7 && mkfifo fifo"));
            const QStringList entries = QDir(folder.path()).entryList(QDir::AllEntries);
            const QString target = c.target == std::string("-") ? "-" : folder.filePath(c.target);
            QProcess reader; // the other end of the pipe, which the tool waits for
            if (target.endsWith("fifo"))
                reader.start("sh", { "-c", "exec cat < \"$0\"", target });
            const ToolResult result = RunProgram(
                { "-c",
                    QString("%1 exec \"$0\" -t 'HAPPY BIRTHDAY ANNA' -t 'FROM GRANNY' %2 \"$1\"")
                        .arg(c.limit, option),
                    WENDLE_CHART_TOOL, target },
                "/dev/null", {}, "sh");
            reader.waitForFinished();
            const bool failed = c.error == nullptr || *c.error != 0;
            EXPECT_EQ(result.Status, failed ? 1 : 0);
            const std::string line = "wendle-chart: "
                + (target == "-" ? "standard output" : target.toStdString()) + ": ";
            EXPECT_TRUE(failed ? result.Errors.starts_with(line + (c.error ? c.error : ""))
                        && result.Errors.find('\n') == result.Errors.size() - 1
                               : result.Errors.empty())
                << result.Errors;
            QFile file(target.endsWith("link") ? folder.filePath("old") : target);
            const QByteArray bytes = target == "-" ? QByteArray::fromStdString(result.Output)
                : target.endsWith("fifo")          ? reader.readAllStandardOutput()
                : QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                             : QByteArray();
            EXPECT_EQ(bytes.startsWith(magic), !failed && !target.endsWith("null"));
            EXPECT_EQ(QFile(folder.filePath("old")).size() == 3,
                failed || !file.fileName().endsWith("old"));
            EXPECT_EQ(std::filesystem::status(folder.filePath("old").toStdString()).permissions(),
                std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
            EXPECT_TRUE(shell("test -L link -a -c null -a -c full -a -p fifo"));
            QStringList after = QDir(folder.path()).entryList(QDir::AllEntries);
            if (target.endsWith("new") && !failed)
                after.removeOne("new");
            EXPECT_EQ(after, entries) << "nothing is left beside the target";
        }
    }
}

TEST(ChartToolTest, HostileOrFailedInputAndOutputAreOneLine)
{
    QLocale::setDefault(QLocale::c());
    // NUL bytes, invalid UTF-8 and control characters are blanks, as in the text field.
    EXPECT_EQ(
        RunTool({}, std::string("A\0B\377C\1D\n", 8)).Output, RunTool({}, "A B C D\n").Output);
    // With its line feed, 8 MB of text is the most a message may be.
    const std::string limit((8 << 20) - 1, 'A');
    EXPECT_EQ(RunTool({ "--show", "size" }, limit + "\n").Status, 0);
    EXPECT_EQ(RunTool({}, limit + "A\n").Status, 2);
    // Failed reads and writes are status 1, never success.
    const std::tuple<QString, QString, int> cases[]
        = { { "/dev/null", "/dev/full", ENOSPC }, { "/", "", EISDIR } };
    for (const auto& [input, output, error] : cases) {
        const ToolResult result = RunProgram({}, input, output);
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Output + result.Errors,
            "wendle-chart: standard " + std::string(output.isEmpty() ? "input: " : "output: ")
                + std::strerror(error) + "\n");
    }
}

TEST(ChartToolTest, RunningOutOfMemoryIsOneLineAndStatusOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    // A 600000 x 7510 grid needs 4.5 GB; the address space is held to 3 GB.
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
    const rlimit limited { 3ul << 30, saved.rlim_max };
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    const ToolResult result
        = RunTool({ "--blank-rows=10" }, std::string(100000, 'W') + std::string(500, '\n'));
    setrlimit(RLIMIT_AS, &saved);
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Output + result.Errors, "wendle-chart: chart: too large to fit in memory\n");
}

// Every option and example of --help is in the manual page, and the page has no other.
TEST(ChartToolTest, ManualPageAgreesWithHelp)
{
    std::istringstream in;
    std::ostringstream help;
    ASSERT_EQ(TChartTool().Run({ "wendle-chart", "--help" }, in, help, help), 0);
    QFile file(WENDLE_SOURCE_DIR "/data/wendle-chart.1");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll()).replace("\\-", "-").replace("\\e", "\\");
    const QString text = QString::fromStdString(help.str());

    const auto options = [](const QString& text, const QString& line) {
        QSet<QString> names;
        auto m = QRegularExpression(line, QRegularExpression::MultilineOption).globalMatch(text);
        while (m.hasNext())
            names.insert(m.next().captured(1));
        return names;
    };
    const QSet<QString> inHelp = options(text, "^  (?:-\\w, )?(--[a-z-]+)");
    EXPECT_EQ(inHelp.size(), 28);
    EXPECT_EQ(inHelp, options(page, "^\\.B[IR]? (?:-\\w \", \" )?(--[a-z-]+)"));

    const QString helpExamples
        = text.mid(text.indexOf("Examples:\n") + 10).replace(QRegularExpression("(?m)^  "), "");
    const qsizetype start = page.indexOf(".SH EXAMPLES\n.nf\n") + 17;
    EXPECT_EQ(helpExamples, page.mid(start, page.indexOf(".fi\n", start) - start));
}

} // namespace
