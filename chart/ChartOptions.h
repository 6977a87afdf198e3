#pragma once

#include "chart/Settings.h"
#include "chart/WendleFont.h"

#include <optional>

namespace wendle {

/// Where each line's text stands between the blank stitches at the row ends.
enum class Alignment { Left, Right, Centred, Full };

/// The inputs of one layout run, read from the option controls each time.
struct ChartOptions {
    int BlankRows { static_cast<int>(BlankRowsSetting.Default) };
    int EndBlanks { static_cast<int>(EndBlanksSetting.Default) };
    int WordGap { static_cast<int>(WordGapSetting.Default) };
    Alignment Align { Alignment::Left };
    FontForm Form { FontForm::Narrow };

    /// True when every number lies in its range and both choices are ones there are; a
    /// layout run with anything else keeps the previous chart.
    bool IsUsable() const;
};

/// A number field's value as a whole number of stitches or rows: rounded to nearest with
/// halves to the even neighbour. Empty for a blank field or a value that is no number.
std::optional<int> RoundOptionValue(std::optional<double> value);

/// Options from the fields' values; empty while any of the three numbers is blank.
std::optional<ChartOptions> MakeChartOptions(std::optional<double> blankRows,
    std::optional<double> endBlanks, std::optional<double> wordGap, Alignment align, FontForm form);

} // namespace wendle
