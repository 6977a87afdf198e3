#include "chart/TextNormaliser.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using namespace wendle;

namespace {

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
