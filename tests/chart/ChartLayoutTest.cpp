#include "ChartLayout.h"
#include "ChartText.h"

#include "BlankValue.h"

#include <gtest/gtest.h>

using namespace wendle;

namespace {

const std::vector<std::string> SampleText {
    "$ % &   STITCH SAMPLER   & % $",
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
    "12345 ... 67890",
    "!@#^*()_-+=[]:;\"'<,>.?/\\  $%&",
    "SHE SAID, \"HELLO, WORLD!\"",
};

class ChartLayoutTest : public ::testing::Test {
protected:
    ChartLayoutTest() { font.BuildFont(); }

    std::vector<std::string> LayOut(const std::vector<std::string>& lines)
    {
        layout.LayOutChart(lines, options, font);
        return ChartPicture(layout);
    }

    // Columns of row \a row that hold text stitches, as a string of '#' and '.'.
    std::string RowOf(int row) const { return ChartPicture(layout)[static_cast<std::size_t>(row)]; }

    TWendleFont font;
    ChartOptions options;
    TChartLayout layout;
};

TEST_F(ChartLayoutTest, HiWithDefaultsIsSevenByNine)
{
    const std::vector<std::string> expected {
        ".......",
        ".......",
        ".#.#.#.",
        ".#.#.#.",
        ".###.#.",
        ".#.#.#.",
        ".#.#.#.",
        ".......",
        ".......",
    };
    EXPECT_EQ(LayOut({ "HI" }), expected);
    EXPECT_EQ(layout.ChartWidth, 7);
    EXPECT_EQ(layout.ChartHeight, 9);
    EXPECT_EQ(layout.LineCount, 1);
    EXPECT_EQ(layout.RowsAllocated, 9);
    EXPECT_EQ(layout.RowLength, 12);
}

TEST_F(ChartLayoutTest, OneBlankBetweenWordsGivesTheWordGap)
{
    LayOut({ "A B" });
    EXPECT_EQ(layout.ChartWidth, 11);
    EXPECT_EQ(RowOf(2), "..#...###..");
    EXPECT_EQ(RowOf(6), ".#.#..####.");
    // Columns 4 and 5 stay background in every row of the line.
    for (int row = 2; row <= 6; ++row) {
        EXPECT_FALSE(layout.IsTextStitch(row, 4));
        EXPECT_FALSE(layout.IsTextStitch(row, 5));
    }
}

TEST_F(ChartLayoutTest, WiderWordGapAndSeveralBlanks)
{
    options.WordGap = 5;
    LayOut({ "I  I" });
    // Two blanks stand for 1 + 2 x (5 - 1) = 9 background stitches.
    EXPECT_EQ(RowOf(2), ".#.........#.");
}

TEST_F(ChartLayoutTest, AlignmentsPlaceShortLines)
{
    options.Alignment = AlignRight;
    LayOut({ "HI", "I" });
    EXPECT_EQ(RowOf(2), ".#.#.#.");
    EXPECT_EQ(RowOf(9), ".....#.");

    options.Alignment = AlignCentred;
    LayOut({ "HI", "I" });
    EXPECT_EQ(RowOf(9), "...#...");

    options.Alignment = AlignLeft;
    LayOut({ "HI", "I" });
    EXPECT_EQ(RowOf(9), ".#.....");
}

TEST_F(ChartLayoutTest, CentringLeavesTheOddStitchAtTheRight)
{
    options.Alignment = AlignCentred;
    LayOut({ "HII", "I" }); // slack 6
    EXPECT_EQ(RowOf(9), "....#....");
    LayOut({ "HI", "II" }); // slack 5 - 3 = 2
    EXPECT_EQ(RowOf(9), "..#.#..");
    LayOut({ "HII", "II" }); // slack 7 - 3 = 4
    EXPECT_EQ(RowOf(9), "...#.#...");
    LayOut({ "HI", "I", "II" }); // I: slack 4 -> 2; II: slack 2 -> 1
    EXPECT_EQ(RowOf(16), "..#.#..");
    LayOut({ "HIII", "II" }); // width 9, II is 3: slack 6 -> 3
    EXPECT_EQ(RowOf(9), "....#.#....");
    LayOut({ "HIII", "I" }); // slack 8 -> 4
    EXPECT_EQ(RowOf(9), ".....#.....");
    LayOut({ "HII", "I I" }); // width 7; I I is 4 wide: slack 3 -> 1, extra at right
    EXPECT_EQ(RowOf(9), "..#..#...");
}

TEST_F(ChartLayoutTest, FullJustificationSharesOutTheSlack)
{
    options.Alignment = AlignFull;
    // The first line of each case fixes the text width; the top row of the second line
    // shows where its I glyphs landed. Unstretched, "I I I" puts them in columns 1, 4, 7.
    struct Case {
        std::vector<std::string> Lines;
        const char* SecondLineTop;
    };
    const Case cases[] = {
        // Width 9, slack 2 over 2 gaps: 1 then 1.
        { { "IIIII", "I I I" }, ".#...#...#." },
        // Width 10, slack 3 over 2 gaps: 2 then 1.
        { { "#I,", "I I I" }, ".#....#...#." },
        // Width 12, slack 5 over 2 gaps: 2 then 3.
        { { "#I,I", "I I I" }, ".#....#.....#." },
        // Width 11, slack 1 over 3 gaps: 0, 0, 1.
        { { "##", "I I I I" }, ".#..#..#...#." },
        // Width 15, slack 2 over 4 gaps: 0, 1, 0, 1.
        { { "##II", "I I I I I" }, ".#..#...#..#...#." },
    };
    for (const Case& c : cases) {
        LayOut(c.Lines);
        EXPECT_EQ(RowOf(9), c.SecondLineTop) << c.Lines[0];
    }
}

TEST_F(ChartLayoutTest, FullJustificationLeavesLinesWithoutGapsAtTheLeft)
{
    options.Alignment = AlignFull;
    LayOut({ "HI I", "I" });
    EXPECT_EQ(RowOf(9), ".#........");
    // Every line is justified, the last one included, and ends at the last text column.
    LayOut({ "HII", "I I" });
    EXPECT_EQ(RowOf(9), ".#.....#.");
}

TEST_F(ChartLayoutTest, LeadingBlankCountsAsAGapUnderFullJustification)
{
    options.Alignment = AlignLeft;
    LayOut({ " I" });
    EXPECT_EQ(RowOf(2), "..#.");
    options.Alignment = AlignFull;
    LayOut({ "III", " I" }); // width 5; " I" is 2 wide: slack 3 all to the one gap
    EXPECT_EQ(RowOf(9), ".....#.");
}

TEST_F(ChartLayoutTest, EmptyTextAndEmptyLines)
{
    EXPECT_TRUE(LayOut({}).size() == 2);
    EXPECT_EQ(layout.ChartWidth, 2);
    EXPECT_EQ(layout.ChartHeight, 2);
    EXPECT_EQ(layout.LineCount, 0);
    for (const auto& row : ChartPicture(layout))
        EXPECT_EQ(row, "..");

    LayOut({ "I", "", "I" });
    EXPECT_EQ(layout.ChartHeight, 2 + 3 * 7);
    for (int row = 9; row < 16; ++row)
        EXPECT_EQ(RowOf(row), "...") << row;
    EXPECT_EQ(RowOf(16), ".#.");
}

TEST_F(ChartLayoutTest, TrailingBlanksWidenTheChart)
{
    LayOut({ "I  " });
    EXPECT_EQ(layout.ChartWidth, 1 + 2 + 2);
    EXPECT_EQ(RowOf(2), ".#...");
    options.Alignment = AlignRight;
    LayOut({ "I  ", "II" });
    EXPECT_EQ(RowOf(2), "...#.");
    EXPECT_EQ(RowOf(9), ".#.#.");
}

TEST_F(ChartLayoutTest, AmpersandSpillsIntoTheEndBlank)
{
    LayOut({ "&" });
    EXPECT_EQ(layout.ChartWidth, 6);
    EXPECT_EQ(RowOf(2), ".#...#");
    EXPECT_EQ(RowOf(3), "..#.#.");
    EXPECT_EQ(RowOf(6), ".#...#");
}

TEST_F(ChartLayoutTest, LowerCaseAndForeignCharacters)
{
    const auto upper = LayOut({ "HI" });
    EXPECT_EQ(LayOut({ "hi" }), upper);
    LayOut({ "I~I" });
    EXPECT_EQ(RowOf(2), ".#..#.");
}

TEST_F(ChartLayoutTest, BlankRowsAndEndBlanksFrameTheText)
{
    options.BlankRows = 1;
    options.EndBlanks = 3;
    LayOut({ "I", "I" });
    EXPECT_EQ(layout.ChartWidth, 7);
    EXPECT_EQ(layout.ChartHeight, 13);
    EXPECT_EQ(RowOf(0), ".......");
    EXPECT_EQ(RowOf(1), "...#...");
    EXPECT_EQ(RowOf(6), ".......");
    EXPECT_EQ(RowOf(7), "...#...");
    EXPECT_EQ(RowOf(12), ".......");
}

TEST_F(ChartLayoutTest, SampleTextIs124By37NarrowAnd134Wide)
{
    LayOut(SampleText);
    EXPECT_EQ(layout.ChartWidth, 124);
    EXPECT_EQ(layout.ChartHeight, 37);
    options.FontForm = WideFont;
    LayOut(SampleText);
    EXPECT_EQ(layout.ChartWidth, 134);
    EXPECT_EQ(layout.ChartHeight, 37);
}

TEST_F(ChartLayoutTest, MoreThanThirtyTwoLinesAreLaidOutLikeTheOthers)
{
    std::vector<std::string> lines(40, "I");
    lines[39] = "HI";
    options.Alignment = AlignRight;
    LayOut(lines);
    EXPECT_EQ(layout.ChartHeight, 7 * 41 - 5);
    EXPECT_EQ(RowOf(2 + 38 * 7), ".....#.");
    EXPECT_EQ(RowOf(2 + 39 * 7), ".#.#.#.");
}

TEST_F(ChartLayoutTest, ReportsWhetherTheSizeChanged)
{
    EXPECT_TRUE(layout.LayOutChart(std::vector<std::string> { "HI" }, options, font));
    EXPECT_FALSE(layout.LayOutChart(std::vector<std::string> { "IH" }, options, font));
    EXPECT_TRUE(layout.LayOutChart(std::vector<std::string> { "HI", "I" }, options, font));
}

TEST_F(ChartLayoutTest, UnusableOptionsKeepThePreviousChart)
{
    const auto before = LayOut({ "HI" });
    for (ChartOptions bad : { ChartOptions { 0, 1, 2, 0, 0 }, ChartOptions { 2, 11, 2, 0, 0 },
             ChartOptions { 2, 1, 1, 0, 0 }, ChartOptions { 2, 1, 2, 4, 0 },
             ChartOptions { 2, 1, 2, 0, 2 } }) {
        EXPECT_FALSE(layout.LayOutChart(std::vector<std::string> { "HELLO", "WORLD" }, bad, font));
        EXPECT_EQ(ChartPicture(layout), before);
        EXPECT_EQ(layout.RowsAllocated, layout.ChartHeight);
        EXPECT_EQ(layout.RowLength, layout.ChartWidth + 5);
    }
}

TEST(ChartOptionsTest, FieldValuesRoundHalfToEven)
{
    EXPECT_EQ(RoundOptionValue(2.5), 2);
    EXPECT_EQ(RoundOptionValue(3.5), 4);
    EXPECT_EQ(RoundOptionValue(1.4999), 1);
    EXPECT_EQ(RoundOptionValue(-0.5), 0);
    EXPECT_EQ(RoundOptionValue(FxSpEmptyValue), std::nullopt);
    EXPECT_EQ(RoundOptionValue(FxSpEmptyLimit), std::nullopt);
    EXPECT_EQ(RoundOptionValue(1e300), std::nullopt);
    EXPECT_FALSE(MakeChartOptions(2, FxSpEmptyValue, 2, 0, 0).has_value());
    const auto options = MakeChartOptions(2.5, 1, 4.5, AlignFull, WideFont);
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->BlankRows, 2);
    EXPECT_EQ(options->WordGap, 4);
    EXPECT_EQ(options->Alignment, AlignFull);
}

TEST(ChartLayoutBeforeFontTest, UnbuiltFontGivesABlankChart)
{
    const TWendleFont unbuilt;
    TChartLayout layout;
    layout.LayOutChart(std::vector<std::string> { "HI" }, ChartOptions {}, unbuilt);
    EXPECT_EQ(layout.ChartHeight, 9);
    for (const auto& row : ChartPicture(layout))
        EXPECT_EQ(row.find('#'), std::string::npos);
}

} // namespace
