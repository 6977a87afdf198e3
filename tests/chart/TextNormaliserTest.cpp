#include "chart/TextNormaliser.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace wendle;

namespace {

TEST(TextNormaliserTest, LeadingBlanksGoThenCharactersOutsideTheFontBecomeBlanks)
{
    struct Case {
        std::u32string_view Line;
        std::string_view Expected;
    } const cases[] = {
        { .Line = U"hello, World!", .Expected = "HELLO, WORLD!" },
        { .Line = U"A{B}C~D`E|F\u007FG\u001FH I", .Expected = "A B C D E F G H I" },
        { .Line = U"   HI", .Expected = "HI" },
        { .Line = U"    ", .Expected = "" },
        { .Line = U" \tHI", .Expected = " HI" }, // a tab is no blank yet when leading blanks go
        { .Line = U"!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_",
            .Expected = "!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_" },
        // Accented Latin letters lose their marks; letters of their own are spelt out.
        { .Line = U"  Zo\u00eb S\u00f8ren Jos\u00e9", .Expected = "ZOE SOREN JOSE" },
        { .Line = U"Stra\u00dfe \u1e9e \u00c6\u00d8\u00c5 \u00e6\u00f8\u00e5",
            .Expected = "STRASSE SS AEOA AEOA" },
        { .Line = U"\u0141\u00f3d\u017a \u0142 \u00de\u00f3r \u00fe \u0152\u0153 \u0110\u0111",
            .Expected = "LODZ L THOR TH OEOE DD" },
        { .Line = U"\u01d5\u1ef9\u0219\u00ff\u0178\u00d1", .Expected = "UYSYYN" },
        { .Line = U"Zoe\u0308 e\u0301\u0323\u036f", .Expected = "ZOE E" }, // marks on their own
        // Everything else the font lacks is still a blank, even a leading one.
        { .Line = U"\u00b5\u00d7\u0131\u017f\u01c4\u0391\u0436\U0001F600\u00a0A",
            .Expected = "         A" },
        { .Line = U"\u0301 \u00e9", .Expected = " E" },
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(NormaliseLine(line), std::u32string(expected.begin(), expected.end()))
            << expected;
    // A caret after a letter that became two stays after both; removed characters take none.
    EXPECT_EQ(NormalisedOffsets(U"  S\u00dfe\u0301!"),
        (std::vector<std::size_t> { 0, 0, 0, 1, 3, 4, 4, 5 }));
    // Text that has not been normalised keeps only the font's characters.
    EXPECT_EQ(ToFontText(U"\x1f _`a\u00e9"), "  _   ");
}

} // namespace
