#include "chart/SizeMessage.h"

#include "chart/FormatFixed.h"

#include <gtest/gtest.h>

#include <limits>

using namespace wendle;

namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr LengthUnit Inch = LengthUnit::Inch, Cm = LengthUnit::Centimetre;

TEST(FormatFixedTest, FixedDecimalsRoundedHalfAwayFromZeroFromEighteenDigits)
{
    struct Case {
        std::optional<double> value;
        int decimals;
        const char* separator;
        const char* text;
    } const cases[] = { { 2.0, 1, ".", "2.0" }, { 20.666, 1, ",", "20,7" }, { 0.25, 1, ".", "0.3" },
        { -0.25, 1, ".", "-0.3" }, { 0.35, 1, ".", "0.3" }, // stored as 0.34999999999999997...
        { 0.15, 1, ".", "0.1" }, // 0.149999999999999994 to 18 digits
        { 1152921504606846976.0, 0, ".", "1152921504606846980" }, // 2^60 has 19 digits
        { 2.5, 0, ",", "3" }, { 9.96, 1, ".", "10.0" }, { 0.001, 3, ".", "0.001" },
        { 0.5, 25, ".", "0.500000000000000000" }, { -1e-40, 1, ".", "0.0" },
        { std::nullopt, 1, ".", "" }, { Infinity, 1, ".", "" }, { Nan, 1, ".", "" } };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.separator), c.text) << c.value.value_or(-1);
}

TEST(SizeMessageTest, SizeInStitchesAndAtTheGaugeOrTheWarning)
{
    EXPECT_EQ(MakeSizeMessage({ 124, 37, 6.0, 7.5, Inch, 1 }, "."),
        (SizeMessage { "Area shown is 124 stitches wide by 37 stitches deep,\n"
                       "or 20.7 inches wide by 4.9 inches deep",
            YellowColour, false }));
    // The second line for other sizes, gauges and units.
    struct Case {
        ChartSizeInputs inputs;
        const char* separator;
        const char* line;
    } const cases[] = {
        { { 2, 2, 6.0, 7.5, Inch, 0 }, ".", "or 0.3 inches wide by 0.3 inches deep" },
        { { 6, 15, 6.0, 7.5, Inch, 1 }, ".", "or 1.0 inches wide by 2.0 inches deep" },
        { { 124, 37, 6.0, 7.5, Cm, 1 }, ",", "or 20,7 cm wide by 4,9 cm deep" },
        { { 6, 6, std::nullopt, 0.0, Cm, 1 }, ".", "or ? cm wide by ? cm deep" },
        { { 6, 6, Nan, Infinity, Cm, 1 }, ".", "or ? cm wide by ? cm deep" },
    };
    for (const Case& c : cases) {
        const std::string caption = MakeSizeMessage(c.inputs, c.separator).Caption;
        EXPECT_EQ(caption.substr(caption.find('\n') + 1), c.line);
    }
    // An unprintable chart shows the red warning instead.
    EXPECT_EQ(MakeSizeMessage({ 124, 37, 6.0, 7.5, Inch, 2147483647 }, "."),
        (SizeMessage { "The design has too many rows to print\nat the current print settings!",
            RedColour, true }));
}

} // namespace
