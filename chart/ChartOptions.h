#pragma once

#include <optional>

namespace wendle {

/// The inclusive range and default of one whole-number layout option.
struct OptionRange {
    int Minimum;
    int Maximum;
    int Default;

    constexpr bool Contains(int value) const { return value >= Minimum && value <= Maximum; }
};

inline constexpr OptionRange BlankRowsRange { 1, 10, 2 };
inline constexpr OptionRange EndBlanksRange { 1, 10, 1 };
inline constexpr OptionRange WordGapRange { 2, 6, 2 };

enum ChartAlignment : int {
    AlignLeft = 0,
    AlignRight = 1,
    AlignCentred = 2,
    AlignFull = 3,
};

/// The inputs of one layout run, read from the option controls each time.
struct ChartOptions {
    int BlankRows { BlankRowsRange.Default };
    int EndBlanks { EndBlanksRange.Default };
    int WordGap { WordGapRange.Default };
    int Alignment { AlignLeft };
    int FontForm { 0 };

    /// True when every number lies in its range; a layout run with anything else keeps
    /// the previous chart.
    bool IsUsable() const;
};

/// A number field's value as a whole number of stitches or rows: rounded to nearest with
/// halves to the even neighbour. Empty for a blank field or a value that is no number.
std::optional<int> RoundOptionValue(double value);

/// Options from the raw field values; empty while any of the three numbers is blank.
std::optional<ChartOptions> MakeChartOptions(
    double blankRows, double endBlanks, double wordGap, int alignment, int fontForm);

} // namespace wendle
