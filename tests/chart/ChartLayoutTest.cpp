#include "chart/ChartLayout.h"

#include <gtest/gtest.h>

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
    const ChartOptions right { .Align = Alignment::Right }, centred { .Align = Alignment::Centred },
        full { .Align = Alignment::Full }, wide { .Form = FontForm::Wide };
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
        { { "##II", "I I I I I" }, full, 17, 16, 9, { ".#..#...#..#...#." } }, // 2/4: 0, 1, 0, 1
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
    struct Range {
        void (*Set)(ChartOptions&, int);
        int Low, High;
    } const ranges[] = {
        { .Set = [](ChartOptions& o, int v) { o.BlankRows = v; }, .Low = 1, .High = 10 },
        { .Set = [](ChartOptions& o, int v) { o.EndBlanks = v; }, .Low = 1, .High = 10 },
        { .Set = [](ChartOptions& o, int v) { o.WordGap = v; }, .Low = 2, .High = 6 },
        { .Set = [](ChartOptions& o, int v) { o.Align = Alignment(v); }, .Low = 0, .High = 3 },
        { .Set = [](ChartOptions& o, int v) { o.Form = FontForm(v); }, .Low = 0, .High = 1 },
    };
    for (const Range& range : ranges) {
        for (const int value : { range.Low - 1, range.Low, range.High, range.High + 1 }) {
            ChartOptions options;
            range.Set(options, value);
            const bool usable = value >= range.Low && value <= range.High;
            LayOut({ "HI" });
            EXPECT_EQ(LayOut({ "HELLO", "WORLD" }, options), usable) << value;
            EXPECT_EQ(RowPicture(layout, 4) == ".###.#.", !usable) << value;
        }
    }
}

} // namespace
