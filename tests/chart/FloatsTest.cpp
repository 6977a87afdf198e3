#include "chart/Floats.h"

#include <gtest/gtest.h>

#include <limits>

using namespace wendle;

namespace {

TChartLayout LaidOut(const std::vector<std::string>& lines, const ChartOptions& options)
{
    TWendleFont font;
    font.BuildFont();
    TChartLayout chart;
    chart.LayOutChart(lines, options, font);
    return chart;
}

// H-I with one blank row around it: rows 1, 2, 4 and 5 read .#.#.....#., row 3 .###.###.#.
TEST(FloatsTest, RunsBetweenTextStitchesAndTextRunsLongerThanTheLimit)
{
    const ChartOptions tight { .BlankRows = 1 };
    const Yarn T = Yarn::Text, B = Yarn::Background;
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        ChartOptions options;
        bool mirror;
        std::int32_t limit;
        std::vector<Float> floats;
    } const cases[] {
        { "H-I, 2", { "H-I" }, tight, false, 2,
            { { 1, 4, 5, T }, { 2, 4, 5, T }, { 3, 1, 3, B }, { 3, 5, 3, B }, { 4, 4, 5, T },
                { 5, 4, 5, T } } },
        { "H-I, 5", { "H-I" }, tight, false, 5, {} },
        { "mirrored", { "H-I" }, tight, true, 4,
            { { 1, 2, 5, T }, { 2, 2, 5, T }, { 4, 2, 5, T }, { 5, 2, 5, T } } },
        // Runs at the row ends, the blank rows among them, carry no text yarn.
        { "ends", { "I" }, tight, false, 0,
            { { 1, 1, 1, B }, { 2, 1, 1, B }, { 3, 1, 1, B }, { 4, 1, 1, B }, { 5, 1, 1, B } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChartLayout chart = LaidOut(c.lines, c.options);
        if (c.mirror)
            chart.MirrorRows();
        EXPECT_EQ(FindFloats(chart, c.limit), c.floats);
    }
}

TEST(FloatsTest, DefaultLimitIsAnInchOfStitchesAndAtLeastThree)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::optional<double> across;
        LengthUnit unit;
        std::optional<std::int32_t> limit;
    } const cases[] { { 6.0, LengthUnit::Inch, 6 }, { 7.9, LengthUnit::Inch, 7 },
        { 3.0, LengthUnit::Inch, 3 }, { 2.9, LengthUnit::Inch, 3 },
        { 2.5, LengthUnit::Centimetre, 6 }, { 16.0, LengthUnit::Centimetre, 40 },
        { 1e300, LengthUnit::Inch, 999 }, { std::nullopt, LengthUnit::Inch, std::nullopt },
        { 0.0, LengthUnit::Inch, std::nullopt }, { nan, LengthUnit::Inch, std::nullopt } };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultFloatLimit(c.across, c.unit), c.limit) << c.across.value_or(-1);
}

} // namespace
