#pragma once

namespace wendle {

/// How a held spin button repeats: the first repeated step comes after InitialDelayMs, every
/// later one after RepeatIntervalMs. The field follows the user's keyboard repeat settings,
/// so that a held button and a held arrow key step at the same pace.
struct TSpinRepeatTiming {
    int InitialDelayMs { 500 };
    int RepeatIntervalMs { 33 };

    /// From the classic keyboard settings: a delay setting of 0..3 gives 250..1000 ms, a
    /// speed setting of 0..31 gives 1000 down to 31 ms. Out-of-range settings are clamped.
    static TSpinRepeatTiming FromKeyboardSettings(int delaySetting, int speedSetting);

    /// From a repeat rate in repeats per second (Qt's style hint) and an initial delay in
    /// milliseconds; a rate of zero or less falls back to the default interval.
    static TSpinRepeatTiming FromRate(int initialDelayMs, int repeatsPerSecond);

    /// The pace of this desktop, read once per process: the repeat rate from Qt's style
    /// hints, the initial delay from the platform default (Qt 6.4 has no hint for it).
    /// Needs a QGuiApplication.
    static TSpinRepeatTiming FromPlatform();

    friend bool operator==(const TSpinRepeatTiming&, const TSpinRepeatTiming&) = default;
};

} // namespace wendle
