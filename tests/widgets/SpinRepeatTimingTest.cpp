#include "widgets/SpinRepeatTiming.h"

#include <gtest/gtest.h>

using namespace wendle;

namespace {

// 62.5 ms rounds to even, no rate means the default rate, and no timer is ever zero.
TEST(SpinRepeatTimingTest, KeyboardSettingsAndRatesGiveDelayAndInterval)
{
    const auto K = &TSpinRepeatTiming::FromKeyboardSettings;
    const auto R = &TSpinRepeatTiming::FromRate;
    struct Case {
        TSpinRepeatTiming got, want;
    } const cases[] { { .got = K(0, 0), .want = { 250, 1000 } },
        { .got = K(2, 15), .want = { 750, 62 } }, { .got = K(4, 32), .want = { 1000, 31 } },
        { .got = K(-1, -1), .want = { 250, 1000 } }, { .got = R(500, 30), .want = { 500, 33 } },
        { .got = R(500, 0), .want = { 500, 33 } }, { .got = R(0, 2000), .want = { 1, 1 } } };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << c.want.InitialDelayMs << " " << c.want.RepeatIntervalMs;
}

} // namespace
