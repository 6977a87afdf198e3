#include "chart/SizeMessage.h"

#include "chart/BlankValue.h"
#include "chart/FormatFixed.h"

#include <algorithm>
#include <cmath>

namespace wendle {

namespace {

    std::string PhysicalSize(std::int32_t stitches, double perUnit, std::string_view separator)
    {
        if (IsBlankValue(perUnit) || !std::isfinite(perUnit) || perUnit <= 0.0)
            return "?";
        return FormatFixed(static_cast<double>(stitches) / perUnit, 1, separator);
    }

} // namespace

SizeMessage MakeSizeMessage(const ChartSizeInputs& inputs, std::string_view decimalSeparator)
{
    if (inputs.PagesRequired == UnprintablePages)
        return { "The design has too many rows to print\rat the current print settings!",
            SizeMessageRed, true };

    std::string unit = " ";
    unit += inputs.UnitCaption;
    unit.resize(std::min<std::size_t>(unit.size(), 7));
    if (unit == " inch")
        unit = " inches";

    std::string caption = "Area shown is ";
    caption += std::to_string(inputs.ChartWidth);
    caption += " stitches wide by ";
    caption += std::to_string(inputs.ChartHeight);
    caption += " stitches deep,\ror ";
    caption += PhysicalSize(inputs.ChartWidth, inputs.StitchesAcross, decimalSeparator);
    caption += unit;
    caption += " wide by ";
    caption += PhysicalSize(inputs.ChartHeight, inputs.StitchesDown, decimalSeparator);
    caption += unit;
    caption += " deep";
    return { caption, SizeMessageYellow, false };
}

} // namespace wendle
