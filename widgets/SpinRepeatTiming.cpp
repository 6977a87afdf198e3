#include "widgets/SpinRepeatTiming.h"

#include <QGuiApplication>
#include <QStyleHints>

#include <algorithm>
#include <cmath>

namespace wendle {

namespace {

    // Qt 6.4 reports the repeat rate but not the delay before the first repeat; half a
    // second is the common desktop default (and what the classic delay setting 1 gives).
    constexpr int DefaultInitialDelayMs = 500;
    constexpr int DefaultRepeatIntervalMs = 33;

    int RoundedMilliseconds(double milliseconds)
    {
        // Halves go to the even neighbour, like every rounding in this program.
        return std::max(1, static_cast<int>(std::nearbyint(milliseconds)));
    }

} // namespace

TSpinRepeatTiming TSpinRepeatTiming::FromKeyboardSettings(int delaySetting, int speedSetting)
{
    delaySetting = std::clamp(delaySetting, 0, 3);
    speedSetting = std::clamp(speedSetting, 0, 31);
    return { (delaySetting + 1) * 250, RoundedMilliseconds(1000.0 / (speedSetting + 1)) };
}

TSpinRepeatTiming TSpinRepeatTiming::FromRate(int initialDelayMs, int repeatsPerSecond)
{
    const int interval = repeatsPerSecond > 0 ? RoundedMilliseconds(1000.0 / repeatsPerSecond)
                                              : DefaultRepeatIntervalMs;
    return { std::max(1, initialDelayMs), interval };
}

TSpinRepeatTiming TSpinRepeatTiming::FromPlatform()
{
    static const TSpinRepeatTiming timing
        = FromRate(DefaultInitialDelayMs, QGuiApplication::styleHints()->keyboardAutoRepeatRate());
    return timing;
}

} // namespace wendle
