#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wendle {

/// PagesRequired holds this when the chart cannot be printed at the current settings.
inline constexpr std::int32_t UnprintablePages = 2147483647;

/// Colours in the 0x00BBGGRR layout.
inline constexpr std::uint32_t SizeMessageYellow = 0x0000FFFF;
inline constexpr std::uint32_t SizeMessageRed = 0x000000FF;

/// What the size label shows: its text (lines broken by a carriage return), colour, style.
struct SizeMessage {
    std::string Caption;
    std::uint32_t Colour { SizeMessageYellow };
    bool Bold { false };

    bool operator==(const SizeMessage&) const = default;
};

/// What the size message is made from.
struct ChartSizeInputs {
    std::int32_t ChartWidth { 0 };
    std::int32_t ChartHeight { 0 };
    double StitchesAcross { 6.0 }; ///< per unit; may be a blank field's value
    double StitchesDown { 7.5 };
    std::string_view UnitCaption { "inch" }; ///< caption of the chosen unit
    std::int32_t PagesRequired { 0 };
};

/// The size message: the chart's size in stitches and at the gauge, or the warning that it
/// cannot be printed. A gauge that is blank or not positive gives no physical size; that
/// dimension reads "?" instead of a meaningless number.
SizeMessage MakeSizeMessage(const ChartSizeInputs& inputs, std::string_view decimalSeparator);

} // namespace wendle
