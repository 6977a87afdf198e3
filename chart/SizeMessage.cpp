#include "chart/SizeMessage.h"

#include "chart/FormatFixed.h"

#include <cmath>

namespace wendle {

namespace {

    std::string PhysicalSize(
        std::int32_t stitches, std::optional<double> perUnit, std::string_view separator)
    {
        if (!perUnit || !std::isfinite(*perUnit) || *perUnit <= 0.0)
            return "?";
        return FormatFixed(static_cast<double>(stitches) / *perUnit, 1, separator);
    }

} // namespace

SizeMessage MakeSizeMessage(const ChartSizeInputs& inputs, std::string_view decimalSeparator)
{
    if (inputs.PagesRequired == UnprintablePages)
        return { "The design has too many rows to print\nat the current print settings!", RedColour,
            true };

    const std::string unit = inputs.Unit == LengthUnit::Centimetre ? " cm" : " inches";
    std::string caption = "Area shown is ";
    caption += std::to_string(inputs.ChartWidth);
    caption += " stitches wide by ";
    caption += std::to_string(inputs.ChartHeight);
    caption += " stitches deep,\nor ";
    caption += PhysicalSize(inputs.ChartWidth, inputs.StitchesAcross, decimalSeparator);
    caption += unit;
    caption += " wide by ";
    caption += PhysicalSize(inputs.ChartHeight, inputs.StitchesDown, decimalSeparator);
    caption += unit;
    caption += " deep";
    return { caption, YellowColour, false };
}

} // namespace wendle
