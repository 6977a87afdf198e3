#include "ChartTool.h"

#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
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

// Line \a line of \a text, or all of it for -1.
std::string LineOf(const std::string& text, int line)
{
    std::istringstream lines(text);
    std::string result;
    for (int i = 0; i <= line && std::getline(lines, result); ++i) { }
    return line < 0 ? text : result;
}

TEST(ChartToolTest, PrintsTheChartTheSizeAndThePrintLayout)
{
    QLocale::setDefault(QLocale::c());
    const std::string hiChart = ".......\n.......\n.#.#.#.\n.#.#.#.\n.###.#.\n.#.#.#.\n.#.#.#.\n"
                                ".......\n.......\n";
    const std::string hiSize = "Area shown is 7 stitches wide by 9 stitches deep,\n"
                               "or 1.2 inches wide by 1.2 inches deep\n";
    const std::string twentyLines = QString("I\n").repeated(20).toStdString();
    struct Case {
        QStringList Arguments;
        int Line; // the line of the output to compare, -1 for all of it
        std::string Expected;
        std::string Input {};
    } const cases[] = {
        { { "-t", "HI" }, -1, hiChart + "\n" + hiSize },
        { { "--text=  hi", "--show", "size,chart" }, -1, hiSize + "\n" + hiChart },
        { { "--show", "size" }, 0, "Area shown is 7 stitches wide by 16 stitches deep,",
            "HI\r\nI" },
        // Every number option at both ends of its range, every choice in a word of its own.
        { { "--blank-rows=1", "--end-blanks=10", "--word-gap=6", "-t", "I I", "--show=size" }, 0,
            "Area shown is 28 stitches wide by 7 stitches deep," },
        { { "--blank-rows=10", "--end-blanks=1", "--word-gap=2", "--across=2", "--down=16.0", "-t",
              "HI", "--show=size" },
            1, "or 3.5 inches wide by 1.6 inches deep" },
        { { "--across=16", "--down=2", "--unit=cm", "-t", "HI", "--show=size" }, 1,
            "or 0.4 cm wide by 4.5 cm deep" },
        { { "--align=right", "-t", "HI", "-t", "I" }, 9, ".....#." },
        { { "--align=Centre", "-t", "HI", "-t", "I" }, 9, "...#..." },
        { { "--align=center", "-t", "HI", "-t", "I" }, 9, "...#..." },
        { { "--align=full", "-t", "HII", "-t", "I I" }, 9, ".#.....#." },
        { { "--font=wide", "-t", "HA" }, 2, ".#..#..##.." },
        { { "-t", "HI", "--show=plan" }, -1,
            "PagesRequired: 1\nPrintLandscape: false\nStitchesPerSection: 78\nSectionsPerPage: 9\n"
            "PrintStitchesPerInch: 12.0000\nPrintRowsPerInch: 15.0000\nPrintedHeight: 0.6000\n" },
        // The pitch is held within its unit's limits, as the window's field is.
        { { "--print-unit=cm", "--show=plan" }, 4, "PrintStitchesPerInch: 20.0000" },
        { { "--print-unit=cm", "--print-pitch=1.9", "--show=plan" }, 4,
            "PrintStitchesPerInch: 5.0000" },
        { { "--print-pitch=4.9", "--show=plan" }, 4, "PrintStitchesPerInch: 5.0000" },
        { { "--print-pitch=20.1", "--show=plan" }, 4, "PrintStitchesPerInch: 20.0000" },
        { { "--print-pitch=20", "--across=8", "--down=4", "--show=plan" }, 5,
            "PrintRowsPerInch: 10.0000" },
        // 142 rows print at the defaults, 149 do not.
        { { "--show=plan" }, 6, "PrintedHeight: 9.4667", twentyLines },
        { { "--blank-rows=3", "--show=size,plan" }, 3, "PagesRequired: Unprintable", twentyLines },
        { { "--blank-rows=3", "--show=size" }, -1,
            "The design has too many rows to print\nat the current print settings!\n",
            twentyLines },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        const ToolResult result = RunTool(c.Arguments, c.Input);
        EXPECT_EQ(result.Status, 0);
        EXPECT_EQ(LineOf(result.Output, c.Line), c.Expected);
        EXPECT_EQ(result.Errors, "");
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(LineOf(RunTool({ "-t", "HI", "--show=size" }).Output, 1),
        "or 1,2 inches wide by 1,2 inches deep");
    QLocale::setDefault(QLocale::c());
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
    };
    std::vector<std::pair<QString, std::string>> cases {
        { "--across=6.25", "--across: takes at most 1 decimal, not '6.25'" },
        { { "--align=middle" },
            "--align: takes left, right, centre (or center) or full, not 'middle'" },
        { "--font=a\n\x7f", "--font: takes narrow or wide, not 'a\\x0a\\x7f'" },
        { "--unit=mm", "--unit: takes inch or cm, not 'mm'" },
        { { "--show=chart,picture" },
            "--show: takes a comma-separated list of chart, size and plan, not 'chart,picture'" },
        { "--print-pitch=12.25", "--print-pitch: takes at most 1 decimal, not '12.25'" },
        { "--print-unit=mm", "--print-unit: takes inch or cm, not 'mm'" },
        { { "--print-color=red" },
            "--print-color: takes bw (black on white), wb (white on black) or screen (the "
            "display colours), not 'red'" },
        { "--paper=legal", "--paper: takes letter or a4, not 'legal'" },
        { "--pdf=", "--pdf: needs a file name" },
        { "--show=size,chart,size", "--show: lists 'size' twice" },
        { "--col\nour=red", "--col\\x0aour: unknown option; --help lists the options" },
        { "-x", "-x: unknown option; --help lists the options" },
        { "--help=me", "--help: takes no value" },
        { "stray", "'stray': unexpected argument; message lines are given with -t/--text" },
        { "--blank-rows", "--blank-rows: needs a value" },
    };
    for (const auto& [option, range, values] : numbers)
        for (const QString& value : values)
            cases.push_back({ "--" + option + "=" + value,
                "--" + option.toStdString() + ": takes " + range + ", not '" + value.toStdString()
                    + "'" });
    for (const auto& [argument, message] : cases) {
        const ToolResult result = RunTool({ "-t", "HI", argument });
        EXPECT_EQ(result.Status, 2) << message;
        EXPECT_EQ(result.Output, "") << message;
        EXPECT_EQ(result.Errors, "wendle-chart: " + message + "\n");
    }
}

// The tool in a process of its own: its standard streams can be files, and it prints
// PDFs through the print driver, which needs a widget application.
ToolResult RunProgram(
    const QStringList& arguments, const QString& input = "/dev/null", const QString& output = {})
{
    QProcess tool;
    tool.setStandardInputFile(input);
    if (!output.isEmpty())
        tool.setStandardOutputFile(output);
    tool.start(WENDLE_CHART_TOOL, arguments);
    EXPECT_TRUE(tool.waitForFinished(60000));
    return { tool.exitCode(), tool.readAllStandardOutput().toStdString(),
        tool.readAllStandardError().toStdString() };
}

TEST(ChartToolTest, WritesThePrintedPatternAsAPdf)
{
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdfinfo.isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    QTemporaryDir folder;
    const QString file = folder.filePath("chart.pdf");
    const QString fox = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG";
    const std::tuple<QStringList, std::string, std::string> cases[] = {
        // 173 stitches: one page either way, landscape in fewer sections.
        { { "-t", fox }, "1", "792 x 612" },
        { { "-t", fox, "--paper=A4", "--resolution=300" }, "1", "842 x 595" },
        // At 5 per inch: six portrait sections of 30, two a page, against five landscape
        // pages of one section each.
        { { "-t", fox, "-t", fox, "-t", fox, "--print-pitch=5" }, "3", "612 x 792" },
        // Nothing wraps a line here: 5,000 characters are 10,001 stitches, 91 landscape
        // sections of 110, six a page, against 143 portrait ones of 70, nine a page; both
        // 16 pages, landscape in fewer sections.
        { { "-t", QString(5000, 'I'), "--resolution=72" }, "16", "792 x 612" },
    };
    for (const auto& [arguments, pages, size] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ToolResult result = RunProgram(arguments + QStringList { "--pdf", file });
        EXPECT_EQ(result.Status, 0);
        EXPECT_EQ(result.Errors, "");
        QProcess info;
        info.start(pdfinfo, { file });
        ASSERT_TRUE(info.waitForFinished());
        const std::string text = info.readAllStandardOutput().toStdString();
        EXPECT_NE(text.find("Pages:           " + pages + "\n"), std::string::npos) << text;
        EXPECT_NE(text.find("Page size:       " + size), std::string::npos) << text;
    }

    // A failed run leaves what stood at the name alone, and no half-written file.
    const ToolResult tall = RunProgram(QString("-t I ").repeated(21).split(' ', Qt::SkipEmptyParts)
        + QStringList { "--pdf", file });
    EXPECT_EQ(tall.Status, 3);
    EXPECT_EQ(tall.Errors,
        "wendle-chart: " + file.toStdString()
            + ": The design has too many rows to print at the current print settings!\n");
    const QString missing = folder.filePath("no/such/folder/chart.pdf");
    const ToolResult unwritable = RunProgram({ "-t", "HI", "--pdf", missing });
    EXPECT_EQ(unwritable.Status, 1);
    EXPECT_EQ(unwritable.Errors,
        "wendle-chart: " + missing.toStdString() + ": cannot write in "
            + folder.filePath("no/such/folder").toStdString() + ": No such file or directory\n");
    EXPECT_EQ(
        QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "chart.pdf" });
}

TEST(ChartToolTest, HostileInputIsLaidOutOrRefusedInOneLine)
{
    QLocale::setDefault(QLocale::c());
    // NUL bytes, invalid UTF-8 and control characters are blanks, as in the text field.
    // The literal is split after \x01 so that the D is not read as a hex digit.
    const std::string hostile("A\0B\xff"
                              "C\x01"
                              "D\n",
        8);
    EXPECT_EQ(RunTool({}, hostile).Output, RunTool({}, "A B C D\n").Output);
    const std::string limit(8 << 20, 'A');
    const ToolResult accepted = RunTool({ "--show", "size" }, limit.substr(1) + "\n");
    EXPECT_EQ(accepted.Status, 0) << accepted.Errors;
    const ToolResult refused = RunTool({}, limit + "\n");
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Output, "");
    EXPECT_EQ(refused.Errors,
        "wendle-chart: standard input: more than 8 MB of text; that is no message to knit\n");
}

TEST(ChartToolTest, FailedReadOrWriteIsOneLineAndStatusOne)
{
    const ToolResult full = RunProgram({}, "/dev/null", "/dev/full");
    EXPECT_EQ(full.Status, 1);
    EXPECT_EQ(
        full.Errors, "wendle-chart: standard output: " + std::string(std::strerror(ENOSPC)) + "\n");
    const ToolResult folder = RunProgram({}, "/");
    EXPECT_EQ(folder.Status, 1);
    EXPECT_EQ(folder.Output, "");
    EXPECT_EQ(folder.Errors,
        "wendle-chart: standard input: " + std::string(std::strerror(EISDIR)) + "\n");
}

TEST(ChartToolTest, RunningOutOfMemoryIsOneLineAndStatusOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    // A 600000 x 7510 grid needs 4.5 GB; allow this process 1 GB more than it has.
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit saved {};
    ASSERT_TRUE(pages > 0 && getrlimit(RLIMIT_AS, &saved) == 0);
    const rlimit limited { pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + (1ul << 30),
        saved.rlim_max };
    const std::string input = std::string(100000, 'W') + std::string(500, '\n');
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    const ToolResult result = RunTool({ "--blank-rows=10" }, input);
    setrlimit(RLIMIT_AS, &saved);
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Output, "");
    EXPECT_EQ(result.Errors, "wendle-chart: chart: too large to fit in memory\n");
}

} // namespace
