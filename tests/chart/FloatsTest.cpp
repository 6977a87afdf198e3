#include "chart/Floats.h"

#include "chart/ChartText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace wendle;

namespace {

// The line laid out with one blank row around it.
TChartLayout LaidOut(const std::string& line)
{
    TWendleFont font;
    font.BuildFont();
    TChartLayout chart;
    chart.LayOutChart(std::vector { line }, { .BlankRows = 1 }, font);
    return chart;
}

// H-I: rows 1, 2, 4 and 5 read .#.#.....#., row 3 .###.###.#.
TEST(FloatsTest, RunsBetweenTextStitchesAndTextRunsLongerThanTheLimit)
{
    const Yarn T = Yarn::Text, B = Yarn::Background;
    struct Case {
        const char* line;
        bool mirror;
        std::int32_t limit;
        std::vector<Float> floats;
    } const cases[] {
        { "H-I", false, 2,
            { { 1, 4, 5, T }, { 2, 4, 5, T }, { 3, 1, 3, B }, { 3, 5, 3, B }, { 4, 4, 5, T },
                { 5, 4, 5, T } } },
        { "H-I", false, 5, {} },
        { "H-I", true, 4, { { 1, 2, 5, T }, { 2, 2, 5, T }, { 4, 2, 5, T }, { 5, 2, 5, T } } },
        // Runs at the row ends, the blank rows among them, carry no text yarn.
        { "I", false, 0,
            { { 1, 1, 1, B }, { 2, 1, 1, B }, { 3, 1, 1, B }, { 4, 1, 1, B }, { 5, 1, 1, B } } },
    };
    for (const Case& c : cases) {
        TChartLayout chart = LaidOut(c.line);
        if (c.mirror)
            chart.MirrorRows();
        EXPECT_EQ(FindFloats(chart, c.limit), c.floats) << c.line << " " << c.limit;
    }
}

TEST(FloatsTest, DefaultLimitIsAnInchOfStitchesAndAtLeastThree)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const LengthUnit Inch = LengthUnit::Inch, Cm = LengthUnit::Centimetre;
    struct Case {
        std::optional<double> across;
        LengthUnit unit;
        std::optional<std::int32_t> limit;
    } const cases[] { { 7.9, Inch, 7 }, { 2.9, Inch, 3 }, { 2.5, Cm, 6 }, { 1e300, Inch, 999 },
        { std::nullopt, Inch, {} }, { 0.0, Inch, {} }, { nan, Inch, {} } };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultFloatLimit(c.across, c.unit), c.limit) << c.across.value_or(-1);
}

// H-I: the floats of rows 2, 3, 5 and 6 run over stitches 5 to 9.
TEST(ChartTextTest, FloatsAreListedAsThePatternNumbersThem)
{
    const TChartLayout chart = LaidOut("H-I");
    const std::string why = "one inch at 4.5 stitches per inch";
    struct Case {
        FloatListing listing;
        std::string text;
    } const cases[] {
        // Knitting order counts from the bottom right, 11 stitches by 7 rows.
        { { 4, why, 27, 9, Numbering::Knitting },
            "Floats longer than 4 stitches (one inch at 4.5 stitches per inch):\n"
            "Row 15: stitches 30-34 (5 stitches, text yarn)\n"
            "Row 14: stitches 30-34 (5 stitches, text yarn)\n"
            "Row 12: stitches 30-34 (5 stitches, text yarn)\n"
            "Row 11: stitches 30-34 (5 stitches, text yarn)\n"
            "Longest float: 5 stitches (row 15)\n" },
        // The longest is the first of the longest: row 4's H and dash.
        { { 2, "as --max-float asks", 0, 0, Numbering::Chart },
            "Floats longer than 2 stitches (as --max-float asks):\n"
            "Row 2: stitches 5-9 (5 stitches, text yarn)\n"
            "Row 3: stitches 5-9 (5 stitches, text yarn)\n"
            "Row 4: stitches 2-4 (3 stitches, background yarn)\n"
            "Row 4: stitches 6-8 (3 stitches, background yarn)\n"
            "Row 5: stitches 5-9 (5 stitches, text yarn)\n"
            "Row 6: stitches 5-9 (5 stitches, text yarn)\n"
            "Longest float: 5 stitches (row 2)\n" },
        { { 5, why }, "No float longer than 5 stitches\n" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatsText(chart, c.listing), c.text);
}

} // namespace
