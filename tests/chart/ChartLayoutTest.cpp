#include "chart/ChartLayout.h"

#include "chart/BlankValue.h"
#include "chart/TextNormaliser.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace wendle;

namespace {

// Row \a row of the grid, '#' for a text stitch and '.' for background.
std::string RowPicture(const TChartLayout& layout, int row)
{
    std::string picture;
    for (std::int32_t c = 0; c < layout.ChartWidth; ++c)
        picture += layout.IsTextStitch(row, c) ? '#' : '.';
    return picture;
}

class ChartLayoutTest : public ::testing::Test {
protected:
    ChartLayoutTest() { font.BuildFont(); }

    bool LayOut(const std::vector<std::string>& lines, const ChartOptions& options = {})
    {
        return layout.LayOutChart(lines, options, font);
    }

    TWendleFont font;
    TChartLayout layout;
};

TEST_F(ChartLayoutTest, PlacesGlyphsByTheOptions)
{
    std::vector<std::string> forty(40, "I");
    forty.back() = "HI";
    const ChartOptions right { .Alignment = AlignRight }, centred { .Alignment = AlignCentred },
        full { .Alignment = AlignFull }, wide { .FontForm = WideFont };
    struct Case {
        std::vector<std::string> Lines;
        ChartOptions Options;
        int Width, Height, Row;
        std::vector<const char*> Rows; // the chart's rows from \a Row on
    } const cases[] = {
        { { "HI" }, {}, 7, 9, 0,
            { ".......", ".......", ".#.#.#.", ".#.#.#.", ".###.#.", ".#.#.#.", ".#.#.#.",
                ".......", "......." } },
        { { "HI", "I" }, {}, 7, 16, 9, { ".#....." } },
        { { "A B" }, {}, 11, 9, 2, { "..#...###.." } },
        { { "I  I" }, { .WordGap = 5 }, 13, 9, 2, { ".#.........#." } },
        { { "HI", "I" }, right, 7, 16, 9, { ".....#." } },
        { { "HI", "I" }, centred, 7, 16, 9, { "...#..." } },
        { { "HII", "I I" }, centred, 9, 16, 9, { "..#..#..." } }, // odd stitch at the right
        { { "#I,", "I I I" }, full, 12, 16, 9, { ".#....#...#." } }, // 3 over 2 gaps: 2, 1
        { { "#I,I", "I I I" }, full, 14, 16, 9, { ".#....#.....#." } }, // 5/2: 2, 3
        { { "##", "I I I I" }, full, 13, 16, 9, { ".#..#..#...#." } }, // 1/3: 0, 0, 1
        { { "##II", "I I I I I" }, full, 17, 16, 9, { ".#..#...#..#...#." } }, // 2/4: 0, 1, 0, 1
        { { "HI I", "I" }, full, 10, 16, 9, { ".#........" } }, // no gap: stays left
        { { "HII", "I I" }, full, 9, 16, 9, { ".#.....#." } }, // the last line too
        { { "III", " I" }, full, 7, 16, 9, { ".....#." } }, // a leading blank is a gap
        { { " I" }, {}, 4, 9, 2, { "..#." } },
        { {}, {}, 2, 2, 1, { ".." } },
        { { "I", "", "I" }, {}, 3, 23, 13, { "...", "...", "...", ".#." } },
        { { "I  ", "II" }, right, 5, 16, 2, { "...#." } }, // trailing blanks widen
        { { "&" }, {}, 6, 9, 2, { ".#...#" } },
        { { "az" }, {}, 10, 9, 2, { "..#..####." } },
        { { "I`{\x1f\x7f\xe9I" }, {}, 10, 9, 2, { ".#......#." } }, // all blanks
        { { "I", "I" }, { .BlankRows = 1, .EndBlanks = 3 }, 7, 13, 5,
            { "...#...", ".......", "...#..." } },
        { { "HA" }, wide, 11, 9, 2, { ".#..#..##.." } },
        { forty, right, 7, 282, 268, { ".....#." } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
            << c.Lines.size() << " lines: " << (c.Lines.empty() ? "" : c.Lines[0]));
        LayOut(c.Lines, c.Options);
        EXPECT_EQ(layout.ChartWidth, c.Width);
        ASSERT_EQ(layout.ChartHeight, c.Height);
        EXPECT_EQ(layout.LineCount, static_cast<int>(c.Lines.size()));
        EXPECT_EQ(layout.RowsAllocated, c.Height);
        EXPECT_EQ(layout.RowLength, c.Width + 5);
        for (std::size_t r = 0; r < c.Rows.size(); ++r)
            EXPECT_EQ(RowPicture(layout, c.Row + static_cast<int>(r)), c.Rows[r])
                << "row " << c.Row + r;
    }
}

TEST_F(ChartLayoutTest, ReportsWhetherTheSizeChanged)
{
    EXPECT_TRUE(LayOut({ "HI" }));
    EXPECT_FALSE(LayOut({ "IH" }));
    EXPECT_TRUE(LayOut({ "IHI" })); // wider only
    EXPECT_TRUE(LayOut({ "IHI", "" })); // deeper only
}

TEST_F(ChartLayoutTest, OptionsOutsideTheirRangesKeepThePreviousChart)
{
    const std::tuple<int ChartOptions::*, int, int> ranges[]
        = { { &ChartOptions::BlankRows, 1, 10 }, { &ChartOptions::EndBlanks, 1, 10 },
              { &ChartOptions::WordGap, 2, 6 }, { &ChartOptions::Alignment, 0, 3 },
              { &ChartOptions::FontForm, 0, 1 } };
    for (const auto& [field, low, high] : ranges) {
        for (const int value : { low - 1, low, high, high + 1 }) {
            ChartOptions options;
            options.*field = value;
            const bool usable = value >= low && value <= high;
            LayOut({ "HI" });
            EXPECT_EQ(LayOut({ "HELLO", "WORLD" }, options), usable) << value;
            EXPECT_EQ(RowPicture(layout, 4) == ".###.#.", !usable) << value;
        }
    }
}

TEST(ChartOptionsTest, FieldValuesRoundHalfToEvenWithinInt)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, std::optional<int>> cases[] = { { 2.5, 2 }, { 3.5, 4 }, { 1.4999, 1 },
        { -0.5, 0 }, { 2147483647.0, 2147483647 }, { 2147483647.5, std::nullopt },
        { -2147483648.0, std::numeric_limits<int>::min() }, { -2147483649.0, std::nullopt },
        { FxSpEmptyValue, std::nullopt }, { FxSpEmptyLimit, std::nullopt }, { nan, std::nullopt },
        { std::numeric_limits<double>::infinity(), std::nullopt } };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(RoundOptionValue(value), expected) << value;

    EXPECT_FALSE(MakeChartOptions(FxSpEmptyValue, 1, 2, 0, 0));
    EXPECT_FALSE(MakeChartOptions(2, FxSpEmptyValue, 2, 0, 0));
    EXPECT_FALSE(MakeChartOptions(2, 1, FxSpEmptyValue, 0, 0));
    const auto options = MakeChartOptions(2.5, 1.5, 4.5, AlignFull, WideFont);
    ASSERT_TRUE(options);
    EXPECT_EQ(std::tie(options->BlankRows, options->EndBlanks, options->WordGap, options->Alignment,
                  options->FontForm),
        std::make_tuple(2, 2, 4, int { AlignFull }, WideFont));
}

// Every character of the font in code order, and the widths of its glyphs in each form,
// one digit per character, as the glyph descriptions give them.
constexpr std::string_view Characters
    = " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_";
constexpr std::string_view Widths[] = {
    "0135554122532313314344343312333453444334314435443543345535425233",
    "0135554122552313414344444412343454444444415445444544545535425235",
};

TEST(WendleFontTest, EveryGlyphHasItsWidthAndTheDerivedFormsTheirPictures)
{
    TWendleFont font;
    font.BuildFont();
    for (const int form : { NarrowFont, WideFont })
        for (std::size_t k = 0; k < Characters.size(); ++k)
            EXPECT_EQ(font.FontWidths[form][k], Widths[form][k] - '0')
                << "'" << Characters[k] << "' in form " << form;

    // Form, character, then its five rows top first: two stored glyphs that reach the
    // fifth column, and every derived form.
    for (const char* glyph : { "0@XXXXX/X.X.X/X.XXX/X..../XXXXX", "1Q.XX../X..X./X..X./X..X./.XX.X",
             "1A.XX../X..X./XXXX./X..X./X..X.", "1EXXXX./X..../XXX../X..../XXXX.",
             "1FXXXX./X..../XXX../X..../X....", "1HX..X./X..X./XXXX./X..X./X..X.",
             "1J...X./...X./...X./X..X./.XX..", "1LX..../X..../X..../X..../XXXX.",
             "1PXXXX./X..X./XXXX./X..../X....", "1SXXXX./X..../XXXX./...X./XXXX.",
             "16X..../X..../XXXX./X..X./XXXX.", "18XXXX./X..X./.XX../X..X./XXXX.",
             "19XXXX./X..X./XXXX./...X./...X.", "10.XX../X..X./X..X./X..X./.XX..",
             "0+.X.../.X.../XXX../.X.../.X...", "0TXXX../.X.../.X.../.X.../.X...",
             "0_...../...../...../...../XXX..", "0=...../XX.../...../XX.../....." }) {
        std::string picture;
        for (const auto& row : font.FontCells[glyph[0] - '0'][glyph[1] - 32]) {
            if (!picture.empty())
                picture += '/';
            for (const auto cell : row)
                picture += cell ? 'X' : '.';
        }
        EXPECT_EQ(picture, glyph + 2) << glyph;
    }
}

TEST(TextNormaliserTest, LeadingBlanksGoThenCharactersOutsideTheFontBecomeBlanks)
{
    const std::pair<std::u32string, std::string_view> cases[] = {
        { U"hello, World!", "HELLO, WORLD!" },
        { U"A{B}C~D`E|F\u007FG\u001FH I", "A B C D E F G H I" },
        { U"caf\u00e9 \u00fc\U0001F600", "CAF    " },
        { U"   HI", "HI" },
        { U"    ", "" },
        { U" \tHI", " HI" }, // a tab is no blank yet when leading blanks go
        { U"!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_",
            "!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_" },
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(NormaliseLine(line), std::u32string(expected.begin(), expected.end()))
            << expected;
    // Text that has not been normalised keeps only the font's characters.
    EXPECT_EQ(ToFontText(U"\x1f _`a\u00e9"), "  _   ");
}

} // namespace
