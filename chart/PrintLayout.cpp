#include "chart/PrintLayout.h"

#include "chart/SizeMessage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace wendle {

namespace {

    constexpr std::int32_t LargestInt32 = std::numeric_limits<std::int32_t>::max();

    // Each printed section is followed by this much space for its stitch numbers, and this
    // much of the page width is kept free for the row numbers.
    constexpr long double NumberSpace = 0.5L;

    bool IsUsableNumber(std::optional<double> value)
    {
        return value && std::isfinite(*value) && *value > 0.0;
    }

    // Page geometry of one orientation; the printer's own paper size is not consulted.
    void SetPageGeometry(PrintLayout& layout)
    {
        if (layout.PrintLandscape) {
            layout.PageWidth = 10.0f;
            layout.PageHeight = 7.0f;
            layout.PageLeftMargin = 1.0f;
            layout.PageTopMargin = 1.0f;
        } else {
            layout.PageWidth = 7.0f;
            layout.PageHeight = 10.0f;
            layout.PageLeftMargin = 1.5f;
            layout.PageTopMargin = 0.5f;
        }
    }

    // Cuts the chart into sections for the orientation in PrintLandscape. Intermediate
    // values are held in extended precision, as the counts were designed with.
    void LayOutSections(PrintLayout& layout, std::int32_t chartWidth)
    {
        SetPageGeometry(layout);
        const long double across = (static_cast<long double>(layout.PageWidth) - NumberSpace)
            * layout.PrintStitchesPerInch;
        std::int32_t stitches = across >= static_cast<long double>(LargestInt32)
            ? LargestInt32
            : static_cast<std::int32_t>(std::trunc(across));
        // Sections that cut the chart end on a tenth stitch, so that every cut falls on a
        // numbered column; a chart that fits in one section keeps the whole width.
        if (stitches < chartWidth)
            stitches -= stitches % 10;
        layout.StitchesPerSection = stitches;
        layout.SectionsPerPage = static_cast<std::int32_t>(std::trunc(
            static_cast<long double>(layout.PageHeight) / (layout.PrintedHeight + NumberSpace)));
    }

    struct Counts {
        std::int64_t Sections;
        std::int64_t Pages;
    };

    // Quotients rounded up the way the design counts them: adding 0.9999 and truncating.
    Counts CountSectionsAndPages(const PrintLayout& layout, std::int32_t chartWidth)
    {
        const auto sections = static_cast<std::int64_t>(
            std::trunc(static_cast<long double>(chartWidth) / layout.StitchesPerSection + 0.9999L));
        const auto pages = static_cast<std::int64_t>(
            std::trunc(static_cast<long double>(sections) / layout.SectionsPerPage + 0.9999L));
        return { sections, pages };
    }

    PrintLayout Unusable()
    {
        PrintLayout layout;
        layout.InputsUsable = false;
        layout.PagesRequired = UnprintablePages;
        return layout;
    }

} // namespace

PrintLayout ComputePrintRequirements(const PrintInputs& inputs)
{
    const std::array fields { inputs.PitchValue, inputs.StitchesAcross, inputs.StitchesDown };
    if (!std::ranges::all_of(fields, IsUsableNumber))
        return Unusable();
    const std::int32_t chartWidth = std::max(inputs.ChartWidth, std::int32_t { 0 });
    const std::int32_t chartHeight = std::max(inputs.ChartHeight, std::int32_t { 0 });

    PrintLayout layout;
    layout.PrintStitchesPerInch = static_cast<float>(*inputs.PitchValue);
    if (inputs.PitchUnit == LengthUnit::Centimetre)
        layout.PrintStitchesPerInch = static_cast<float>(layout.PrintStitchesPerInch * 2.54L);
    // A printed stitch has the proportions of a knitted one: height to width is across/down.
    layout.PrintRowsPerInch = static_cast<float>(layout.PrintStitchesPerInch
        / (static_cast<long double>(*inputs.StitchesAcross) / *inputs.StitchesDown));
    layout.PrintedHeight
        = static_cast<float>(static_cast<long double>(chartHeight) / layout.PrintRowsPerInch);
    // Extreme but finite numbers can still overflow single precision or vanish in it; rows
    // that vanish leave no finite printed height.
    if (!std::isfinite(layout.PrintStitchesPerInch) || !(layout.PrintStitchesPerInch > 0.0f)
        || !std::isfinite(layout.PrintRowsPerInch) || !std::isfinite(layout.PrintedHeight))
        return Unusable();

    layout.PrintLandscape = false;
    LayOutSections(layout, chartWidth);
    // A pitch so coarse that no section holds a stitch cannot be counted in sections.
    if (layout.StitchesPerSection <= 0)
        return Unusable();
    if (layout.SectionsPerPage == 0) {
        layout.TooTall = true;
        layout.PagesRequired = UnprintablePages;
        return layout;
    }
    const Counts portrait = CountSectionsAndPages(layout, chartWidth);

    layout.PrintLandscape = true;
    LayOutSections(layout, chartWidth);
    bool landscape = false;
    if (layout.SectionsPerPage > 0 && layout.StitchesPerSection > 0) {
        const Counts wide = CountSectionsAndPages(layout, chartWidth);
        landscape = wide.Pages < portrait.Pages
            || (wide.Pages == portrait.Pages && wide.Sections < portrait.Sections);
    }

    layout.PrintLandscape = landscape;
    LayOutSections(layout, chartWidth);
    const Counts chosen = CountSectionsAndPages(layout, chartWidth);
    layout.PagesRequired
        = static_cast<std::int32_t>(std::min<std::int64_t>(chosen.Pages, LargestInt32));
    return layout;
}

} // namespace wendle
