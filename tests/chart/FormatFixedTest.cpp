#include "chart/FormatFixed.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace wendle;

namespace {

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
        { std::nullopt, 1, ".", "" }, { INFINITY, 1, ".", "" }, { NAN, 1, ".", "" } };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.separator), c.text) << c.value.value_or(-1);
}

} // namespace
