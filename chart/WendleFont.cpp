#include "chart/WendleFont.h"

namespace wendle {

// clang-format off
const std::array<Glyph, GlyphCount> GlyphTable { {
    { 0, { "     ", "     ", "     ", "     ", "     " } }, // 32 blank
    { 1, { "X    ", "X    ", "X    ", "     ", "X    " } }, // 33 !
    { 3, { "X X  ", "X X  ", "     ", "     ", "     " } }, // 34 "
    { 5, { " X X ", "XXXXX", " X X ", "XXXXX", " X X " } }, // 35 #
    { 5, { " XXX ", "X   X", "     ", "X   X", " XXX " } }, // 36 $
    { 5, { "  X  ", " X X ", "X   X", " X X ", "  X  " } }, // 37 %
    { 4, { "X   X", " X X ", "  X  ", " X X ", "X   X" } }, // 38 &
    { 1, { "X    ", "X    ", "     ", "     ", "     " } }, // 39 '
    { 2, { " X   ", "X    ", "X    ", "X    ", " X   " } }, // 40 (
    { 2, { "X    ", " X   ", " X   ", " X   ", "X    " } }, // 41 )
    { 5, { "X   X", " X X ", "XXXXX", " X X ", "X   X" } }, // 42 *
    { 5, { "  X  ", "  X  ", "XXXXX", "  X  ", "  X  " } }, // 43 +
    { 2, { "     ", "     ", "     ", " X   ", "X    " } }, // 44 ,
    { 3, { "     ", "     ", "XXX  ", "     ", "     " } }, // 45 -
    { 1, { "     ", "     ", "     ", "     ", "X    " } }, // 46 .
    { 3, { "  X  ", "  X  ", " X   ", "X    ", "X    " } }, // 47 /
    { 3, { " X   ", "X X  ", "X X  ", "X X  ", " X   " } }, // 48 0
    { 1, { "X    ", "X    ", "X    ", "X    ", "X    " } }, // 49 1
    { 4, { " XX  ", "X  X ", "  X  ", " X   ", "XXXX " } }, // 50 2
    { 3, { "XXX  ", "  X  ", " X   ", "  X  ", "XX   " } }, // 51 3
    { 4, { "X X  ", "X X  ", "XXXX ", "  X  ", "  X  " } }, // 52 4
    { 4, { " XXX ", " X   ", "  XX ", "X  X ", " XX  " } }, // 53 5
    { 3, { "X    ", "X    ", "XXX  ", "X X  ", "XXX  " } }, // 54 6
    { 4, { "XXXX ", "   X ", "  X  ", " X   ", " X   " } }, // 55 7
    { 3, { "XXX  ", "X X  ", " X   ", "X X  ", "XXX  " } }, // 56 8
    { 3, { "XXX  ", "X X  ", "XXX  ", "  X  ", "  X  " } }, // 57 9
    { 1, { "     ", "     ", "X    ", "     ", "X    " } }, // 58 :
    { 2, { "     ", " X   ", "     ", " X   ", "X    " } }, // 59 ;
    { 3, { "  X  ", " X   ", "X    ", " X   ", "  X  " } }, // 60 <
    { 4, { "     ", "XXXX ", "     ", "XXXX ", "     " } }, // 61 =
    { 3, { "X    ", " X   ", "  X  ", " X   ", "X    " } }, // 62 >
    { 4, { " XX  ", "X  X ", "  X  ", "     ", "  X  " } }, // 63 ?
    { 5, { "XXXXX", "X X X", "X XXX", "X    ", "XXXXX" } }, // 64 @
    { 3, { " X   ", "X X  ", "XXX  ", "X X  ", "X X  " } }, // 65 A
    { 4, { "XXX  ", "X  X ", "XXX  ", "X  X ", "XXXX " } }, // 66 B
    { 4, { " XX  ", "X  X ", "X    ", "X  X ", " XX  " } }, // 67 C
    { 4, { "XXX  ", "X  X ", "X  X ", "X  X ", "XXX  " } }, // 68 D
    { 3, { "XXX  ", "X    ", "XX   ", "X    ", "XXX  " } }, // 69 E
    { 3, { "XXX  ", "X    ", "XX   ", "X    ", "X    " } }, // 70 F
    { 4, { " XXX ", "X    ", "X XX ", "X  X ", " XX  " } }, // 71 G
    { 3, { "X X  ", "X X  ", "XXX  ", "X X  ", "X X  " } }, // 72 H
    { 1, { "X    ", "X    ", "X    ", "X    ", "X    " } }, // 73 I
    { 4, { "  X  ", "  X  ", "  X  ", "X X  ", " X   " } }, // 74 J
    { 4, { "X  X ", "X XX ", "XXX  ", "X XX ", "X  X " } }, // 75 K
    { 3, { "X    ", "X    ", "X    ", "X    ", "XXX  " } }, // 76 L
    { 5, { "X   X", "XX XX", "XXXXX", "X X X", "X   X" } }, // 77 M
    { 4, { "X  X ", "XX X ", "XXXX ", "X XX ", "X  X " } }, // 78 N
    { 4, { " XX  ", "X  X ", "X  X ", "X  X ", " XX  " } }, // 79 O
    { 3, { "XXX  ", "X X  ", "XXX  ", "X    ", "X    " } }, // 80 P
    { 5, { " XX  ", "X  X ", "X  X ", "X  X ", " XX X" } }, // 81 Q
    { 4, { "XXXX ", "X  X ", "XXX  ", "X XX ", "X  X " } }, // 82 R
    { 3, { "XXX  ", "X    ", "XXX  ", "  X  ", "XXX  " } }, // 83 S
    { 5, { "XXXXX", "  X  ", "  X  ", "  X  ", "  X  " } }, // 84 T
    { 4, { "X  X ", "X  X ", "X  X ", "X  X ", " XX  " } }, // 85 U
    { 5, { "X   X", "X   X", " X X ", " X X ", "  X  " } }, // 86 V
    { 5, { "X   X", "X X X", "XXXXX", "XX XX", "X   X" } }, // 87 W
    { 3, { "X X  ", "X X  ", " X   ", "X X  ", "X X  " } }, // 88 X
    { 5, { "X   X", "XX XX", " XXX ", "  X  ", "  X  " } }, // 89 Y
    { 4, { "XXXX ", "  X  ", " X   ", "X    ", "XXXX " } }, // 90 Z
    { 2, { "XX   ", "X    ", "X    ", "X    ", "XX   " } }, // 91 [
    { 5, { "X    ", "X    ", " X   ", "  X  ", "  X  " } }, // 92 backslash
    { 2, { "XX   ", " X   ", " X   ", " X   ", "XX   " } }, // 93 ]
    { 3, { " X   ", "X X  ", "     ", "     ", "     " } }, // 94 ^
    { 5, { "     ", "     ", "     ", "     ", "XXXXX" } }, // 95 _
} };
// clang-format on

void TWendleFont::BuildFont()
{
    for (auto& form : FontCells)
        for (auto& glyph : form)
            for (auto& row : glyph)
                row.fill(0);

    for (int k = 0; k < GlyphCount; ++k) {
        const Glyph& stored = GlyphTable[k];
        const char character = static_cast<char>(FirstFontCode + k);
        GlyphCells& narrow = FontCells[FormIndex(FontForm::Narrow)][k];
        GlyphCells& wide = FontCells[FormIndex(FontForm::Wide)][k];
        std::int32_t& narrowWidth = FontWidths[FormIndex(FontForm::Narrow)][k];
        std::int32_t& wideWidth = FontWidths[FormIndex(FontForm::Wide)][k];

        for (int r = 0; r < GlyphRows; ++r)
            for (int c = 0; c < GlyphColumns; ++c)
                narrow[r][c] = stored.Rows[r][c] == 'X' ? 1 : 0;
        wide = narrow;
        narrowWidth = stored.Width;
        wideWidth = stored.Width;

        if (WideningChars.find(character) != std::string_view::npos) {
            for (auto& row : wide)
                row = { row[0], row[1], row[1], row[2], row[3] };
            wideWidth = stored.Width + 1;
        } else if (NarrowingChars.find(character) != std::string_view::npos) {
            for (auto& row : narrow)
                row = { row[0], row[2], row[4], 0, 0 };
            narrowWidth = 3;
        }
    }
}

} // namespace wendle
