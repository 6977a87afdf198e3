#include "chart/ChartText.h"

#include "LaidOut.h"

#include <gtest/gtest.h>

using namespace wendle;

namespace {

// H-I: the floats of rows 2, 3, 5 and 6 run over stitches 5 to 9.
TEST(ChartTextTest, FloatsAreListedAsThePatternNumbersThem)
{
    const TChartLayout chart = test::LaidOut({ "H-I" }, { .BlankRows = 1 });
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
