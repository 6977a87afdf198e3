#include "TextNormaliser.h"

#include <gtest/gtest.h>

using namespace wendle;

namespace {

std::string Normalised(std::u32string_view line) { return ToFontText(NormaliseLine(line)); }

TEST(TextNormaliserTest, LowerCaseBecomesUpperCase)
{
    EXPECT_EQ(Normalised(U"hello, World!"), "HELLO, WORLD!");
    EXPECT_EQ(UpperCaseKey(U'q'), U'Q');
    EXPECT_EQ(UpperCaseKey(U'{'), U'{');
    EXPECT_EQ(UpperCaseKey(U'\u00e9'), U'\u00e9');
}

TEST(TextNormaliserTest, CharactersOutsideTheFontBecomeBlanks)
{
    EXPECT_EQ(Normalised(U"A{B}C~D`E|F"), "A B C D E F");
    EXPECT_EQ(Normalised(U"caf\u00e9 \u00fc\U0001F600"), "CAF    ");
    EXPECT_EQ(Normalised(U"A\tB"), "A B");
}

TEST(TextNormaliserTest, LeadingBlanksGoBeforeCharactersAreReplaced)
{
    EXPECT_EQ(Normalised(U"   HI"), "HI");
    EXPECT_EQ(Normalised(U"    "), "");
    // A tab is not a blank when the leading blanks are removed; it becomes one afterwards
    // and only goes at the next pass.
    EXPECT_EQ(Normalised(U"\tHI"), " HI");
    EXPECT_EQ(Normalised(U" \tHI"), " HI");
    EXPECT_EQ(Normalised(U" HI"), "HI");
}

TEST(TextNormaliserTest, FontCharactersStayAsTheyAre)
{
    std::u32string all;
    for (char32_t code = 33; code <= 95; ++code)
        all += code;
    std::string expected;
    for (int code = 33; code <= 95; ++code)
        expected += static_cast<char>(code);
    EXPECT_EQ(Normalised(all), expected);
}

} // namespace
