#include "SpinRepeatTiming.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace wendle;

namespace {

// 62.5 ms rounds to even, no rate means the default rate, and no timer is ever zero.
TEST(SpinRepeatTimingTest, KeyboardSettingsAndRatesGiveDelayAndInterval)
{
    const auto K = &TSpinRepeatTiming::FromKeyboardSettings;
    const auto R = &TSpinRepeatTiming::FromRate;
    const std::tuple<TSpinRepeatTiming, TSpinRepeatTiming> cases[] = { { K(1, 31), { 500, 31 } },
        { K(0, 0), { 250, 1000 } }, { K(3, 2), { 1000, 333 } }, { K(2, 15), { 750, 62 } },
        { K(4, 32), { 1000, 31 } }, { K(-1, -1), { 250, 1000 } }, { R(500, 30), { 500, 33 } },
        { R(400, 25), { 400, 40 } }, { R(500, 0), { 500, 33 } }, { R(0, 2000), { 1, 1 } } };
    for (const auto& [timing, expected] : cases)
        EXPECT_EQ(timing, expected) << expected.InitialDelayMs << " " << expected.RepeatIntervalMs;
}

} // namespace
