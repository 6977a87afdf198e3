#pragma once

namespace wendle {

/// The unit of a gauge or of the printed scale.
enum class LengthUnit { Inch, Centimetre };

/// The range, default and decimals of one number setting, the same in the window and the
/// command-line tool.
struct NumberSetting {
    double Minimum;
    double Maximum;
    double Default;
    int Decimals;

    constexpr bool Contains(double value) const { return value >= Minimum && value <= Maximum; }
};

/// The gauge: stitches across and rows down per unit.
inline constexpr NumberSetting StitchesAcrossSetting { 2, 16, 6.0, 1 };
inline constexpr NumberSetting StitchesDownSetting { 2, 16, 7.5, 1 };

/// Blank rows around each line of text; the fewest blank stitches at each row end and
/// between words.
inline constexpr NumberSetting BlankRowsSetting { 1, 10, 2, 0 };
inline constexpr NumberSetting EndBlanksSetting { 1, 10, 1, 0 };
inline constexpr NumberSetting WordGapSetting { 2, 6, 2, 0 };

/// Printed stitches per unit: 5 to 20 per inch, and the same lengths per cm, so that a
/// value is held within the new unit's range when the unit changes. 12 per inch at start.
constexpr NumberSetting PrintPitchSetting(LengthUnit unit)
{
    if (unit == LengthUnit::Centimetre)
        return { 5.0 / 2.54, 20.0 / 2.54, 12.0, 1 };
    return { 5.0, 20.0, 12.0, 1 };
}

/// The numbers the printed pattern gives the chart's first stitch and first row.
inline constexpr NumberSetting FirstNumberSetting { 1, 999, 1, 0 };

/// Pixels per stitch across on screen, which the zoom bar sets.
inline constexpr NumberSetting DisplayCellWidthSetting { 3, 12, 4, 0 };

} // namespace wendle
