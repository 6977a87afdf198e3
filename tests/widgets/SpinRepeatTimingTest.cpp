#include "SpinRepeatTiming.h"

#include <gtest/gtest.h>

using namespace wendle;

namespace {

TEST(SpinRepeatTimingTest, KeyboardSettingsAndRatesGiveDelayAndInterval)
{
    const struct {
        TSpinRepeatTiming timing, expected;
    } cases[] = { { TSpinRepeatTiming::FromKeyboardSettings(1, 31), { 500, 31 } },
        { TSpinRepeatTiming::FromKeyboardSettings(0, 0), { 250, 1000 } },
        { TSpinRepeatTiming::FromKeyboardSettings(3, 2), { 1000, 333 } },
        { TSpinRepeatTiming::FromKeyboardSettings(2, 15), { 750, 62 } }, // 62.5 to even
        { TSpinRepeatTiming::FromKeyboardSettings(4, 32), { 1000, 31 } },
        { TSpinRepeatTiming::FromKeyboardSettings(-1, -1), { 250, 1000 } },
        { TSpinRepeatTiming::FromRate(500, 30), { 500, 33 } },
        { TSpinRepeatTiming::FromRate(400, 25), { 400, 40 } },
        { TSpinRepeatTiming::FromRate(500, 0), { 500, 33 } }, // no rate: the default
        { TSpinRepeatTiming::FromRate(0, 2000), { 1, 1 } } }; // never a zero timer
    for (const auto& c : cases)
        EXPECT_EQ(c.timing, c.expected)
            << c.expected.InitialDelayMs << " " << c.expected.RepeatIntervalMs;
}

} // namespace
