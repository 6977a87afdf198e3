#pragma once

#include "chart/Settings.h"

#include <cstdint>
#include <optional>

namespace wendle {

/// What the print layout is made from: the chart's size and the fields' values, each empty
/// for a blank field.
struct PrintInputs {
    std::int32_t ChartWidth { 0 };
    std::int32_t ChartHeight { 0 };
    /// Printed stitches per PitchUnit.
    std::optional<double> PitchValue { PrintPitchSetting(LengthUnit::Inch).Default };
    LengthUnit PitchUnit { LengthUnit::Inch };
    /// The gauge, stitches and rows per unit: a printed stitch has a knitted one's shape.
    std::optional<double> StitchesAcross { StitchesAcrossSetting.Default };
    std::optional<double> StitchesDown { StitchesDownSetting.Default };
};

/// How the chart lies on paper: printed scale, page geometry of the chosen orientation (all
/// lengths in inches) and the cutting into sections and pages.
struct PrintLayout {
    float PrintStitchesPerInch {};
    float PrintRowsPerInch {};
    float PrintedHeight {};
    bool PrintLandscape { false };
    float PageWidth {};
    float PageHeight {};
    float PageLeftMargin {};
    float PageTopMargin {};
    std::int32_t StitchesPerSection {};
    std::int32_t SectionsPerPage {};
    std::int32_t PagesRequired {};
    bool TooTall { false }; ///< unprintable because the chart is too tall for the page
    bool InputsUsable { true }; ///< false: a pitch or gauge is blank or no usable number
};

/// The print layout for \a inputs, in the orientation that needs fewer pages (or as many
/// pages and fewer sections; portrait on a tie). PagesRequired is UnprintablePages when the
/// chart is too tall for a portrait page or the inputs are unusable; an empty chart needs
/// no pages.
PrintLayout ComputePrintRequirements(const PrintInputs& inputs);

} // namespace wendle
