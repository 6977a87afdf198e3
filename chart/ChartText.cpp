#include "chart/ChartText.h"

#include "chart/FormatFixed.h"
#include "chart/SizeMessage.h"

namespace wendle {

std::string ChartText(const TChartLayout& chart)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(chart.ChartWidth + 1) * chart.ChartHeight);
    for (std::int32_t r = 0; r < chart.ChartHeight; ++r) {
        const std::uint8_t* stitches = chart.Row(r);
        for (std::int32_t c = 0; c < chart.ChartWidth; ++c)
            text += stitches[c] ? '#' : '.';
        text += '\n';
    }
    return text;
}

std::string PlanText(const PrintLayout& plan)
{
    const auto decimal = [](float value) { return FixedPointText(value, 4, MaxSignificantDigits); };
    std::string text = "PagesRequired: "
        + (plan.PagesRequired == UnprintablePages ? std::string("Unprintable")
                                                  : std::to_string(plan.PagesRequired))
        + "\n";
    text += std::string("PrintLandscape: ") + (plan.PrintLandscape ? "true" : "false") + "\n";
    text += "StitchesPerSection: " + std::to_string(plan.StitchesPerSection) + "\n";
    text += "SectionsPerPage: " + std::to_string(plan.SectionsPerPage) + "\n";
    text += "PrintStitchesPerInch: " + decimal(plan.PrintStitchesPerInch) + "\n";
    text += "PrintRowsPerInch: " + decimal(plan.PrintRowsPerInch) + "\n";
    text += "PrintedHeight: " + decimal(plan.PrintedHeight) + "\n";
    return text;
}

} // namespace wendle
