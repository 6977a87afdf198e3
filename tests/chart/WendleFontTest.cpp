#include "chart/WendleFont.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using namespace wendle;

namespace {

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
    for (const FontForm form : { FontForm::Narrow, FontForm::Wide })
        for (std::size_t k = 0; k < Characters.size(); ++k)
            EXPECT_EQ(font.FontWidths[FormIndex(form)][k], Widths[FormIndex(form)][k] - '0')
                << "'" << Characters[k] << "' in form " << FormIndex(form);

    // Form, character, then its five rows top first: two stored glyphs that reach the
    // fifth column, and derived forms, wide and narrow.
    for (const char* glyph : { "0@XXXXX/X.X.X/X.XXX/X..../XXXXX", "1Q.XX../X..X./X..X./X..X./.XX.X",
             "1A.XX../X..X./XXXX./X..X./X..X.", "1SXXXX./X..../XXXX./...X./XXXX.",
             "10.XX../X..X./X..X./X..X./.XX..", "0+.X.../.X.../XXX../.X.../.X...",
             "0TXXX../.X.../.X.../.X.../.X...", "0=...../XX.../...../XX.../....." }) {
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

} // namespace
