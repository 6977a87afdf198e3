#include "WendleFont.h"

#include <gtest/gtest.h>

#include <string>

using namespace wendle;

namespace {

class WendleFontTest : public ::testing::Test {
protected:
    void SetUp() override { font.BuildFont(); }

    // The glyph of \a character in \a form as five row pictures of 'X' and '.'.
    std::string Picture(int form, char character) const
    {
        std::string picture;
        const auto& cells = font.FontCells[form][character - 32];
        for (int r = 0; r < 5; ++r) {
            if (r > 0)
                picture += '/';
            for (int c = 0; c < 5; ++c)
                picture += cells[r][c] ? 'X' : '.';
        }
        return picture;
    }

    int Width(int form, char character) const { return font.FontWidths[form][character - 32]; }

    TWendleFont font;
};

TEST_F(WendleFontTest, NarrowFormIsTheStoredTable)
{
    EXPECT_EQ(Picture(NarrowFont, 'H'), "X.X../X.X../XXX../X.X../X.X..");
    EXPECT_EQ(Width(NarrowFont, 'H'), 3);
    EXPECT_EQ(Picture(NarrowFont, '@'), "XXXXX/X.X.X/X.XXX/X..../XXXXX");
    EXPECT_EQ(Picture(NarrowFont, 'Q'), ".XX../X..X./X..X./X..X./.XX.X");
    EXPECT_EQ(Width(NarrowFont, 'Q'), 5);
    EXPECT_EQ(Picture(NarrowFont, '\\'), "X..../X..../.X.../..X../..X..");
    EXPECT_EQ(Width(NarrowFont, '\\'), 5);
}

TEST_F(WendleFontTest, WideningCharsDoubleTheSecondColumn)
{
    struct Case {
        char Character;
        const char* Picture;
        int Width;
    };
    const Case cases[] = {
        { 'A', ".XX../X..X./XXXX./X..X./X..X.", 4 },
        { 'E', "XXXX./X..../XXX../X..../XXXX.", 4 },
        { 'F', "XXXX./X..../XXX../X..../X....", 4 },
        { 'H', "X..X./X..X./XXXX./X..X./X..X.", 4 },
        { 'J', "...X./...X./...X./X..X./.XX..", 5 },
        { 'L', "X..../X..../X..../X..../XXXX.", 4 },
        { 'P', "XXXX./X..X./XXXX./X..../X....", 4 },
        { 'S', "XXXX./X..../XXXX./...X./XXXX.", 4 },
        { '6', "X..../X..../XXXX./X..X./XXXX.", 4 },
        { '8', "XXXX./X..X./.XX../X..X./XXXX.", 4 },
        { '9', "XXXX./X..X./XXXX./...X./...X.", 4 },
        { '0', ".XX../X..X./X..X./X..X./.XX..", 4 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Picture(WideFont, c.Character), c.Picture) << "wide " << c.Character;
        EXPECT_EQ(Width(WideFont, c.Character), c.Width) << "wide " << c.Character;
        EXPECT_EQ(Width(NarrowFont, c.Character), c.Width - 1) << "narrow " << c.Character;
    }
}

TEST_F(WendleFontTest, NarrowingCharsKeepColumnsOneThreeAndFive)
{
    EXPECT_EQ(Picture(NarrowFont, '+'), ".X.../.X.../XXX../.X.../.X...");
    EXPECT_EQ(Picture(NarrowFont, 'T'), "XXX../.X.../.X.../.X.../.X...");
    EXPECT_EQ(Picture(NarrowFont, '_'), "...../...../...../...../XXX..");
    EXPECT_EQ(Picture(NarrowFont, '='), "...../XX.../...../XX.../.....");
    for (const char character : { '+', 'T', '_', '=' }) {
        EXPECT_EQ(Width(NarrowFont, character), 3) << character;
    }
    EXPECT_EQ(Width(WideFont, '='), 4);
    EXPECT_EQ(Width(WideFont, 'T'), 5);
    EXPECT_EQ(Picture(WideFont, 'T'), "XXXXX/..X../..X../..X../..X..");
}

TEST_F(WendleFontTest, OtherGlyphsAreTheSameInBothForms)
{
    for (int code = 32; code <= 95; ++code) {
        const char character = static_cast<char>(code);
        if (WideningChars.find(character) != std::string_view::npos
            || NarrowingChars.find(character) != std::string_view::npos)
            continue;
        EXPECT_EQ(Picture(NarrowFont, character), Picture(WideFont, character)) << character;
        EXPECT_EQ(Width(NarrowFont, character), Width(WideFont, character)) << character;
    }
}

TEST_F(WendleFontTest, OnlyTheAmpersandReachesPastItsWidth)
{
    for (int form = 0; form < FontFormCount; ++form) {
        for (int k = 0; k < GlyphCount; ++k) {
            const auto& cells = font.FontCells[form][k];
            for (int r = 0; r < 5; ++r) {
                for (int c = font.FontWidths[form][k]; c < 5; ++c) {
                    if (k == '&' - 32 && c == 4 && (r == 0 || r == 4))
                        EXPECT_EQ(cells[r][c], 1);
                    else
                        EXPECT_EQ(cells[r][c], 0) << "form " << form << " code " << k + 32
                                                  << " row " << r << " column " << c;
                }
            }
        }
    }
    EXPECT_EQ(Width(NarrowFont, '&'), 4);
}

TEST_F(WendleFontTest, BlankIsEmptyAndZeroWideUntilTheLayoutSetsIt)
{
    EXPECT_EQ(Picture(NarrowFont, ' '), "...../...../...../...../.....");
    EXPECT_EQ(Width(NarrowFont, ' '), 0);
    EXPECT_EQ(Width(WideFont, ' '), 0);
}

TEST_F(WendleFontTest, UnbuiltFontHasOnlyZeroes)
{
    const TWendleFont unbuilt;
    EXPECT_EQ(unbuilt.FontWidths[NarrowFont]['H' - 32], 0);
    EXPECT_EQ(unbuilt.FontCells[WideFont]['H' - 32][0][0], 0);
}

TEST(GlyphIndexTest, MapsFontCodesAndTreatsOthersAsBlank)
{
    EXPECT_EQ(TWendleFont::GlyphIndex(' '), 0);
    EXPECT_EQ(TWendleFont::GlyphIndex('A'), 33);
    EXPECT_EQ(TWendleFont::GlyphIndex('_'), 63);
    EXPECT_EQ(TWendleFont::GlyphIndex('a'), 0);
    EXPECT_EQ(TWendleFont::GlyphIndex(31), 0);
    EXPECT_EQ(TWendleFont::GlyphIndex(200), 0);
}

} // namespace
