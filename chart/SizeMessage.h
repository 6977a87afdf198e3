#pragma once

#include "chart/Colour.h"
#include "chart/Settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wendle {

/// PagesRequired holds this when the chart cannot be printed at the current settings.
inline constexpr std::int32_t UnprintablePages = 2147483647;

/// What the size label shows: its text (lines broken by a line feed), colour and style.
struct SizeMessage {
    std::string Caption;
    Colour TextColour { YellowColour };
    bool Bold { false };

    bool operator==(const SizeMessage&) const = default;
};

/// What the size message is made from.
struct ChartSizeInputs {
    std::int32_t ChartWidth { 0 };
    std::int32_t ChartHeight { 0 };
    /// The gauge per unit; empty for a blank field.
    std::optional<double> StitchesAcross { StitchesAcrossSetting.Default };
    std::optional<double> StitchesDown { StitchesDownSetting.Default };
    LengthUnit Unit { LengthUnit::Inch };
    std::int32_t PagesRequired { 0 };
};

/// The size message: the chart's size in stitches and at the gauge, or the warning that it
/// cannot be printed. A gauge that is blank or not positive gives no physical size; that
/// dimension reads "?" instead of a meaningless number.
SizeMessage MakeSizeMessage(const ChartSizeInputs& inputs, std::string_view decimalSeparator);

} // namespace wendle
