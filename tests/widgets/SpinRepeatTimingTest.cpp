#include "SpinRepeatTiming.h"

#include <gtest/gtest.h>

using namespace wendle;

namespace {

TEST(SpinRepeatTimingTest, KeyboardSettingsGiveDelayAndInterval)
{
    EXPECT_EQ(TSpinRepeatTiming::FromKeyboardSettings(1, 31), (TSpinRepeatTiming { 500, 31 }));
    EXPECT_EQ(TSpinRepeatTiming::FromKeyboardSettings(0, 0), (TSpinRepeatTiming { 250, 1000 }));
    EXPECT_EQ(TSpinRepeatTiming::FromKeyboardSettings(3, 2), (TSpinRepeatTiming { 1000, 333 }));
    EXPECT_EQ(TSpinRepeatTiming::FromKeyboardSettings(2, 15).RepeatIntervalMs, 62)
        << "62.5 ms rounds to the even neighbour";
}

TEST(SpinRepeatTimingTest, KeyboardSettingsOutOfRangeAreClamped)
{
    EXPECT_EQ(TSpinRepeatTiming::FromKeyboardSettings(9, 99), (TSpinRepeatTiming { 1000, 31 }));
    EXPECT_EQ(TSpinRepeatTiming::FromKeyboardSettings(-1, -1), (TSpinRepeatTiming { 250, 1000 }));
}

TEST(SpinRepeatTimingTest, RateInRepeatsPerSecond)
{
    EXPECT_EQ(TSpinRepeatTiming::FromRate(500, 30), (TSpinRepeatTiming { 500, 33 }));
    EXPECT_EQ(TSpinRepeatTiming::FromRate(400, 25), (TSpinRepeatTiming { 400, 40 }));
    EXPECT_EQ(TSpinRepeatTiming::FromRate(500, 0).RepeatIntervalMs, 33) << "no rate: the default";
    EXPECT_EQ(TSpinRepeatTiming::FromRate(0, 2000), (TSpinRepeatTiming { 1, 1 }))
        << "never a zero timer";
}

} // namespace
