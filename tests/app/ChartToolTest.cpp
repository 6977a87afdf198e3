#include "ChartTool.h"

#include <QLocale>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <sstream>

using namespace wendle;

namespace {

struct ToolResult {
    int Status;
    std::string Output;
    std::string Errors;
};

ToolResult RunTool(const QStringList& arguments, const std::string& input = {})
{
    // The size message follows the user's locale; these expectations are written with '.'.
    QLocale::setDefault(QLocale::c());
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    QStringList withProgram { "wendle-chart" };
    withProgram += arguments;
    const int status = TChartTool().Run(withProgram, in, out, err);
    return { status, out.str(), err.str() };
}

const std::string HiChart = ".......\n"
                            ".......\n"
                            ".#.#.#.\n"
                            ".#.#.#.\n"
                            ".###.#.\n"
                            ".#.#.#.\n"
                            ".#.#.#.\n"
                            ".......\n"
                            ".......\n";

TEST(ChartToolTest, PrintsChartThenSizeByDefault)
{
    const ToolResult result = RunTool({ "-t", "HI" });
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Errors, "");
    EXPECT_EQ(result.Output,
        HiChart
            + "\n"
              "Area shown is 7 stitches wide by 9 stitches deep,\n"
              "or 1.2 inches wide by 1.2 inches deep\n");
}

TEST(ChartToolTest, SectionsInTheOrderGiven)
{
    EXPECT_EQ(RunTool({ "--text=HI", "--show", "size,chart" }).Output,
        "Area shown is 7 stitches wide by 9 stitches deep,\n"
        "or 1.2 inches wide by 1.2 inches deep\n\n"
            + HiChart);
    EXPECT_EQ(RunTool({ "--text=HI", "--show=chart" }).Output, HiChart);
}

TEST(ChartToolTest, LinesFromStandardInputWhenNoTextOption)
{
    const ToolResult result = RunTool({ "--show", "size" }, "hello\n");
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Output,
        "Area shown is 22 stitches wide by 9 stitches deep,\n"
        "or 3.7 inches wide by 1.2 inches deep\n");
    // Windows line ends and a last line without a line break.
    EXPECT_EQ(RunTool({ "--show", "size" }, "HI\r\nI").Output,
        RunTool({ "--show", "size", "-t", "HI", "-t", "I" }).Output);
    // No input at all is the empty message.
    EXPECT_EQ(RunTool({ "--show", "size" }, "").Output,
        "Area shown is 2 stitches wide by 2 stitches deep,\n"
        "or 0.3 inches wide by 0.3 inches deep\n");
}

TEST(ChartToolTest, TextIsNormalisedLikeTheField)
{
    // Leading blanks go first, then a character outside the font becomes a blank, so a
    // line starting with one keeps a single leading blank of WordGap - 1 stitches.
    EXPECT_EQ(RunTool({ "--show=chart", "--text=  hi" }).Output, HiChart);
    const ToolResult tilde = RunTool({ "--show=chart", "--text=~I" });
    EXPECT_EQ(tilde.Output.substr(0, 5 * 4), "....\n....\n..#.\n..#.\n");
    // One blank per character, however many bytes it takes.
    EXPECT_EQ(RunTool({ "--show=size", "--text=I\xc3\xa9I" }).Output,
        RunTool({ "--show=size", "--text=I~I" }).Output);
    // An empty line and a line that begins with '-'.
    const ToolResult empty = RunTool({ "--show=size", "--text=I", "--text=", "--text=-" });
    EXPECT_EQ(empty.Status, 0);
    EXPECT_NE(empty.Output.find("by 23 stitches deep"), std::string::npos) << empty.Output;
}

TEST(ChartToolTest, LayoutOptions)
{
    const std::string sample[] = { "$ % &   STITCH SAMPLER   & % $", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
        "12345 ... 67890", "!@#^*()_-+=[]:;\"'<,>.?/\\  $%&", "SHE SAID, \"HELLO, WORLD!\"" };
    std::string input;
    for (const auto& line : sample)
        input += line + "\n";
    EXPECT_EQ(RunTool({ "--show=size" }, input).Output,
        "Area shown is 124 stitches wide by 37 stitches deep,\n"
        "or 20.7 inches wide by 4.9 inches deep\n");
    EXPECT_EQ(RunTool({ "--show=size", "--font", "wide" }, input).Output,
        "Area shown is 134 stitches wide by 37 stitches deep,\n"
        "or 22.3 inches wide by 4.9 inches deep\n");
    EXPECT_EQ(RunTool({ "--show=size", "--unit=cm", "--across=4", "--down", "10" }, input).Output,
        "Area shown is 124 stitches wide by 37 stitches deep,\n"
        "or 31.0 cm wide by 3.7 cm deep\n");
    EXPECT_EQ(
        RunTool({ "--show=chart", "--align=right", "-t", "HI", "-t", "I" }).Output.substr(8 * 9, 8),
        ".....#.\n");
    EXPECT_EQ(RunTool({ "--show=chart", "--align=center", "-t", "HI", "-t", "I" })
                  .Output.substr(8 * 9, 8),
        "...#...\n");
    EXPECT_EQ(RunTool({ "--show=chart", "--align", "centre", "-t", "HI", "-t", "I" }).Output,
        RunTool({ "--show=chart", "--align=center", "-t", "HI", "-t", "I" }).Output);
    EXPECT_EQ(RunTool({ "--show=chart", "--align=full", "-t", "HII", "-t", "I I" })
                  .Output.substr(10 * 9, 10),
        ".#.....#.\n");
    EXPECT_EQ(
        RunTool({ "--show=chart", "--blank-rows=1", "--end-blanks=3", "--word-gap=6", "-t", "I I" })
            .Output.substr(0, 2 * 15),
        "..............\n"
        "...#......#...\n");
}

TEST(ChartToolTest, RefusesBadOptionsWithOneLineAndStatusTwo)
{
    struct Case {
        QStringList Arguments;
        const char* Names;
    };
    const Case cases[] = {
        { { "--blank-rows", "0" }, "--blank-rows" },
        { { "--blank-rows", "11" }, "--blank-rows" },
        { { "--blank-rows", "2.5" }, "--blank-rows" },
        { { "--end-blanks=x" }, "--end-blanks" },
        { { "--word-gap=7" }, "--word-gap" },
        { { "--word-gap=1" }, "--word-gap" },
        { { "--align=middle" }, "--align" },
        { { "--font=bold" }, "--font" },
        { { "--across=1.9" }, "--across" },
        { { "--across=6,5" }, "--across" },
        { { "--down=16.01" }, "--down" },
        { { "--down=nan" }, "--down" },
        { { "--unit=mm" }, "--unit" },
        { { "--show=chart,picture" }, "--show" },
        { { "--colour=red" }, "--colour" },
        { { "-x" }, "-x" },
        { { "--blank-rows" }, "blank-rows" },
        { { "stray" }, "stray" },
    };
    for (const Case& c : cases) {
        const ToolResult result = RunTool(c.Arguments + QStringList { "-t", "HI" });
        EXPECT_EQ(result.Status, 2) << c.Names;
        EXPECT_EQ(result.Output, "") << c.Names;
        ASSERT_FALSE(result.Errors.empty()) << c.Names;
        EXPECT_EQ(result.Errors.find('\n'), result.Errors.size() - 1) << result.Errors;
        EXPECT_NE(result.Errors.find(c.Names), std::string::npos) << result.Errors;
    }
    EXPECT_NE(RunTool({ "--word-gap=7" }).Errors.find("2 to 6"), std::string::npos);
}

TEST(ChartToolTest, SizeMessageUsesTheLocaleDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    TChartTool().Run({ "wendle-chart", "--show=size", "-t", "hello" }, in, out, err);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(out.str(),
        "Area shown is 22 stitches wide by 9 stitches deep,\n"
        "or 3,7 inches wide by 1,2 inches deep\n");
}

TEST(ChartToolTest, ProgramReadsStandardInputAndUsesTheLocaleSeparator)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    tool.setProcessEnvironment(environment);
    tool.start(WENDLE_CHART_TOOL, { "--show", "size" });
    ASSERT_TRUE(tool.waitForStarted());
    tool.write("hello\n");
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished());
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(tool.readAllStandardOutput().toStdString(),
        "Area shown is 22 stitches wide by 9 stitches deep,\n"
        "or 3.7 inches wide by 1.2 inches deep\n");

    tool.start(WENDLE_CHART_TOOL, { "--down=99" });
    ASSERT_TRUE(tool.waitForFinished());
    EXPECT_EQ(tool.exitCode(), 2);
    EXPECT_TRUE(tool.readAllStandardOutput().isEmpty());
    EXPECT_FALSE(tool.readAllStandardError().isEmpty());
}

} // namespace
