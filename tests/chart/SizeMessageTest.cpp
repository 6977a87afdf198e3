#include "chart/SizeMessage.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace wendle;

namespace {

constexpr LengthUnit Inch = LengthUnit::Inch, Cm = LengthUnit::Centimetre;

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
        { { 6, 6, NAN, INFINITY, Cm, 1 }, ".", "or ? cm wide by ? cm deep" },
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
