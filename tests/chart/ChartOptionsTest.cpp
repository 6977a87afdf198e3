#include "chart/ChartOptions.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

using namespace wendle;

namespace {

TEST(ChartOptionsTest, FieldValuesRoundHalfToEvenWithinInt)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<std::optional<double>, std::optional<int>> cases[]
        = { { 2.5, 2 }, { 3.5, 4 }, { 1.4999, 1 }, { -0.5, 0 }, { 2147483647.0, 2147483647 },
              { 2147483647.5, std::nullopt }, { -2147483648.0, std::numeric_limits<int>::min() },
              { -2147483649.0, std::nullopt }, { std::nullopt, std::nullopt },
              { nan, std::nullopt }, { std::numeric_limits<double>::infinity(), std::nullopt } };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(RoundOptionValue(value), expected) << value.value_or(-1);

    const Alignment left = Alignment::Left;
    const FontForm narrow = FontForm::Narrow;
    EXPECT_FALSE(MakeChartOptions(std::nullopt, 1, 2, left, narrow));
    EXPECT_FALSE(MakeChartOptions(2, std::nullopt, 2, left, narrow));
    EXPECT_FALSE(MakeChartOptions(2, 1, std::nullopt, left, narrow));
    const auto options = MakeChartOptions(2.5, 1.5, 4.5, Alignment::Full, FontForm::Wide);
    ASSERT_TRUE(options);
    EXPECT_EQ(std::tie(options->BlankRows, options->EndBlanks, options->WordGap, options->Align,
                  options->Form),
        std::make_tuple(2, 2, 4, Alignment::Full, FontForm::Wide));
}

} // namespace
