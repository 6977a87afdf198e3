#include "chart/SizeMessage.h"

#include "chart/BlankValue.h"
#include "chart/FormatFixed.h"

#include <gtest/gtest.h>

#include <limits>

using namespace wendle;

namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

TEST(FormatFixedTest, FixedDecimalsRoundedHalfAwayFromZeroFromEighteenDigits)
{
    const std::tuple<double, int, const char*, const char*> cases[] = { { 2.0, 1, ".", "2.0" },
        { 20.666, 1, ",", "20,7" }, { 0.25, 1, ".", "0.3" }, { -0.25, 1, ".", "-0.3" },
        { 0.35, 1, ".", "0.3" }, // stored as 0.34999999999999997...
        { 0.15, 1, ".", "0.1" }, // 0.149999999999999994 to 18 digits
        { 1152921504606846976.0, 0, ".", "1152921504606846980" }, // 2^60 has 19 digits
        { 2.5, 0, ",", "3" }, { 9.96, 1, ".", "10.0" }, { 0.001, 3, ".", "0.001" },
        { 0.5, 25, ".", "0.500000000000000000" }, { -1e-40, 1, ".", "0.0" },
        { FxSpEmptyValue, 1, ".", "" }, { FxSpEmptyLimit, 1, ".", "" }, { Infinity, 1, ".", "" },
        { Nan, 1, ".", "" } };
    for (const auto& [value, decimals, separator, expected] : cases)
        EXPECT_EQ(FormatFixed(value, decimals, separator), expected) << value;
}

TEST(SizeMessageTest, SizeInStitchesAndAtTheGaugeOrTheWarning)
{
    EXPECT_EQ(MakeSizeMessage({ 124, 37, 6.0, 7.5, "inch", 1 }, "."),
        (SizeMessage { "Area shown is 124 stitches wide by 37 stitches deep,\r"
                       "or 20.7 inches wide by 4.9 inches deep",
            0x0000FFFF, false }));
    // The second line for other sizes, gauges and units.
    const std::tuple<ChartSizeInputs, const char*, const char*> cases[] = {
        { { 134, 37, 6.0, 7.5, "inch", 1 }, ".", "or 22.3 inches wide by 4.9 inches deep" },
        { { 2, 2, 6.0, 7.5, "inch", 0 }, ".", "or 0.3 inches wide by 0.3 inches deep" },
        { { 6, 15, 6.0, 7.5, "inch", 1 }, ".", "or 1.0 inches wide by 2.0 inches deep" },
        { { 124, 37, 6.0, 7.5, "cm", 1 }, ",", "or 20,7 cm wide by 4,9 cm deep" },
        { { 6, 6, 6.0, 6.0, "centime", 2 }, ".", "or 1.0 centim wide by 1.0 centim deep" },
        { { 6, 6, FxSpEmptyValue, 0.0, "cm", 1 }, ".", "or ? cm wide by ? cm deep" },
        { { 6, 6, Nan, Infinity, "cm", 1 }, ".", "or ? cm wide by ? cm deep" },
    };
    for (const auto& [inputs, separator, expected] : cases) {
        const std::string caption = MakeSizeMessage(inputs, separator).Caption;
        EXPECT_EQ(caption.substr(caption.find('\r') + 1), expected);
    }
    // An unprintable chart shows the red warning instead.
    EXPECT_EQ(MakeSizeMessage({ 124, 37, 6.0, 7.5, "inch", 2147483647 }, "."),
        (SizeMessage { "The design has too many rows to print\rat the current print settings!",
            0x000000FF, true }));
}

} // namespace
