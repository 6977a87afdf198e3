#include "chart/ChartOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace wendle;

namespace {

TEST(ChartOptionsTest, FieldValuesRoundHalfToEvenWithinInt)
{
    const std::pair<std::optional<double>, std::optional<int>> cases[] = { { 2.5, 2 }, { 3.5, 4 },
        { 2147483647.0, 2147483647 }, { 2147483647.5, {} }, { -2147483648.0, -2147483647 - 1 },
        { -2147483649.0, {} }, { std::nullopt, {} }, { NAN, {} }, { INFINITY, {} } };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(RoundOptionValue(value), expected) << value.value_or(-1);
    EXPECT_FALSE(MakeChartOptions(std::nullopt, 1, 2, {}, {}));
    EXPECT_FALSE(MakeChartOptions(2, std::nullopt, 2, {}, {}));
    EXPECT_FALSE(MakeChartOptions(2, 1, std::nullopt, {}, {}));
    const auto options = MakeChartOptions(2.5, 1.5, 4.5, Alignment::Full, FontForm::Wide);
    ASSERT_TRUE(options);
    EXPECT_EQ(std::tie(options->BlankRows, options->EndBlanks, options->WordGap, options->Align,
                  options->Form),
        std::make_tuple(2, 2, 4, Alignment::Full, FontForm::Wide));
}

} // namespace
