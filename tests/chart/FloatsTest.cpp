#include "chart/Floats.h"

#include "LaidOut.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace wendle;

namespace {

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
        TChartLayout chart = test::LaidOut({ c.line }, { .BlankRows = 1 });
        if (c.mirror)
            chart.MirrorRows();
        EXPECT_EQ(FindFloats(chart, c.limit), c.floats) << c.line << " " << c.limit;
    }
}

TEST(FloatsTest, DefaultLimitIsAnInchOfStitchesAndAtLeastThree)
{
    const LengthUnit Inch = LengthUnit::Inch, Cm = LengthUnit::Centimetre;
    struct Case {
        std::optional<double> across;
        LengthUnit unit;
        std::optional<std::int32_t> limit;
    } const cases[] { { 7.9, Inch, 7 }, { 2.9, Inch, 3 }, { 2.5, Cm, 6 }, { 1e300, Inch, 999 },
        { std::nullopt, Inch, {} }, { 0.0, Inch, {} }, { NAN, Inch, {} } };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultFloatLimit(c.across, c.unit), c.limit) << c.across.value_or(-1);
}

} // namespace
