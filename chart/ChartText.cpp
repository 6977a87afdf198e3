#include "chart/ChartText.h"

#include "chart/FormatFixed.h"
#include "chart/SizeMessage.h"

#include <algorithm>

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

std::string FloatsText(const TChartLayout& chart, const FloatListing& listing)
{
    const std::vector<Float> floats = FindFloats(chart, listing.Limit);
    const std::string limit = std::to_string(listing.Limit);
    if (floats.empty())
        return "No float longer than " + limit + " stitches\n";
    const auto row = [&](const Float& f) {
        return PatternNumber(f.Row, chart.ChartHeight, listing.FirstRowOffset, listing.Order);
    };
    std::string text = "Floats longer than " + limit + " stitches (" + listing.Why + "):\n";
    const Float* longest = &floats.front();
    for (const Float& f : floats) {
        const auto stitch = [&](std::int32_t column) {
            return PatternNumber(
                column, chart.ChartWidth, listing.FirstStitchOffset, listing.Order);
        };
        const std::int64_t first = stitch(f.FirstColumn),
                           last = stitch(f.FirstColumn + f.Length - 1);
        text += "Row " + std::to_string(row(f)) + ": stitches "
            + std::to_string(std::min(first, last)) + "-" + std::to_string(std::max(first, last))
            + " (" + std::to_string(f.Length) + " stitches, "
            + (f.Carried == Yarn::Text ? "text" : "background") + " yarn)\n";
        if (f.Length > longest->Length)
            longest = &f;
    }
    text += "Longest float: " + std::to_string(longest->Length) + " stitches (row "
        + std::to_string(row(*longest)) + ")\n";
    return text;
}

} // namespace wendle
