#include "SizeMessage.h"
#include "FormatFixed.h"

#include "BlankValue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

using namespace wendle;

namespace {

TEST(FormatFixedTest, FixedDecimalsRoundedHalfAwayFromZero)
{
    EXPECT_EQ(FormatFixed(2.0, 1), "2.0");
    EXPECT_EQ(FormatFixed(124.0 / 6.0, 1), "20.7");
    EXPECT_EQ(FormatFixed(37.0 / 7.5, 1), "4.9");
    EXPECT_EQ(FormatFixed(0.25, 1), "0.3");
    EXPECT_EQ(FormatFixed(0.35, 1), "0.3"); // stored as 0.349999999999999978...
    EXPECT_EQ(FormatFixed(-0.25, 1), "-0.3");
    EXPECT_EQ(FormatFixed(2.5, 0), "3");
    EXPECT_EQ(FormatFixed(9.96, 1), "10.0");
    EXPECT_EQ(FormatFixed(999.95, 1), "1000.0");
    EXPECT_EQ(FormatFixed(0.0, 2), "0.00");
    EXPECT_EQ(FormatFixed(1234567.0, 0), "1234567");
    EXPECT_EQ(FormatFixed(0.001, 3), "0.001");
    EXPECT_EQ(FormatFixed(12.0, 3), "12.000");
}

TEST(FormatFixedTest, EighteenSignificantDigitsDecideTheRounding)
{
    // 0.15 is stored as 0.1499999999999999944..., whose 18 digits still lie below half.
    EXPECT_EQ(FormatFixed(0.15, 1), "0.1");
    // 1.0000000000000000005 is not representable; 1e17 + 0.5 rounds at the units.
    EXPECT_EQ(FormatFixed(123456789012345678.0, 0), "123456789012345680");
}

TEST(FormatFixedTest, BlankAndOddValues)
{
    EXPECT_EQ(FormatFixed(FxSpEmptyValue, 1), "");
    EXPECT_EQ(FormatFixed(FxSpEmptyLimit, 1), "");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 1), "");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 1), "");
    EXPECT_EQ(FormatFixed(-0.01, 1), "0.0");
    EXPECT_EQ(FormatFixed(-0.0, 1), "0.0");
    EXPECT_EQ(FormatFixed(-1e-40, 1), "0.0");
}

TEST(FormatFixedTest, UsesTheGivenDecimalSeparator)
{
    // The C library's own decimal point must not leak in, whatever locale the program runs
    // under.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_EQ(FormatFixed(124.0 / 6.0, 1), "20.7");
        std::setlocale(LC_NUMERIC, saved.c_str());
    }
    EXPECT_EQ(FormatFixed(20.666, 1, ","), "20,7");
    EXPECT_EQ(FormatFixed(3.0, 0, ","), "3");
}

TEST(SizeMessageTest, SampleTextMessage)
{
    const SizeMessage message = MakeSizeMessage({ 124, 37, 6.0, 7.5, "inch", 1 }, ".");
    EXPECT_EQ(message.Caption,
        "Area shown is 124 stitches wide by 37 stitches deep,\r"
        "or 20.7 inches wide by 4.9 inches deep");
    EXPECT_EQ(message.Colour, 0x0000FFFFu);
    EXPECT_FALSE(message.Bold);
}

TEST(SizeMessageTest, WideFontAndEmptyText)
{
    EXPECT_EQ(MakeSizeMessage({ 134, 37, 6.0, 7.5, "inch", 1 }, ".").Caption,
        "Area shown is 134 stitches wide by 37 stitches deep,\r"
        "or 22.3 inches wide by 4.9 inches deep");
    EXPECT_EQ(MakeSizeMessage({ 2, 2, 6.0, 7.5, "inch", 1 }, ".").Caption,
        "Area shown is 2 stitches wide by 2 stitches deep,\r"
        "or 0.3 inches wide by 0.3 inches deep");
}

TEST(SizeMessageTest, CentimetresChangeOnlyTheUnitWords)
{
    EXPECT_EQ(MakeSizeMessage({ 124, 37, 6.0, 7.5, "cm", 1 }, ",").Caption,
        "Area shown is 124 stitches wide by 37 stitches deep,\r"
        "or 20,7 cm wide by 4,9 cm deep");
    // The plural is used for every value, 1.0 included.
    EXPECT_EQ(MakeSizeMessage({ 6, 15, 6.0, 7.5, "inch", 1 }, ".").Caption,
        "Area shown is 6 stitches wide by 15 stitches deep,\r"
        "or 1.0 inches wide by 2.0 inches deep");
}

TEST(SizeMessageTest, UnitCaptionIsCutToSixCharacters)
{
    EXPECT_NE(
        MakeSizeMessage({ 6, 6, 6.0, 6.0, "centimetre", 1 }, ".").Caption.find(" centim wide"),
        std::string::npos);
}

TEST(SizeMessageTest, UnprintableChartShowsTheRedWarning)
{
    const SizeMessage message
        = MakeSizeMessage({ 124, 37, 6.0, 7.5, "inch", UnprintablePages }, ".");
    EXPECT_EQ(
        message.Caption, "The design has too many rows to print\rat the current print settings!");
    EXPECT_EQ(message.Colour, 0x000000FFu);
    EXPECT_TRUE(message.Bold);
    // The next normal message undoes the warning's style.
    const SizeMessage normal = MakeSizeMessage({ 124, 37, 6.0, 7.5, "inch", 3 }, ".");
    EXPECT_EQ(normal.Colour, 0x0000FFFFu);
    EXPECT_FALSE(normal.Bold);
}

TEST(SizeMessageTest, BlankGaugeShowsNoMeaninglessSize)
{
    EXPECT_EQ(MakeSizeMessage({ 124, 37, FxSpEmptyValue, 7.5, "inch", 1 }, ".").Caption,
        "Area shown is 124 stitches wide by 37 stitches deep,\r"
        "or ? inches wide by 4.9 inches deep");
    EXPECT_EQ(MakeSizeMessage({ 124, 37, 6.0, FxSpEmptyValue, "inch", 1 }, ".").Caption,
        "Area shown is 124 stitches wide by 37 stitches deep,\r"
        "or 20.7 inches wide by ? inches deep");
    EXPECT_EQ(MakeSizeMessage({ 124, 37, 0.0, -2.0, "cm", 1 }, ".").Caption,
        "Area shown is 124 stitches wide by 37 stitches deep,\r"
        "or ? cm wide by ? cm deep");
}

} // namespace
