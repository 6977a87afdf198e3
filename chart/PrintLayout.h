#pragma once

#include <cstdint>

namespace wendle {

/// The range of the printed-pitch field.
struct PitchLimits {
    double Minimum;
    double Maximum;
};

/// Limits of the printed-pitch field for unit 0 (inch: 5.0 to 20.0) or 1 (cm: 5/2.54 to
/// 20/2.54), so that both units allow 5 to 20 printed stitches per inch. Any other unit
/// counts as inch. The window sets the maximum first, then the minimum.
PitchLimits PrintScaleLimits(int pitchUnit);

/// What the print layout is made from: the chart's size and the raw field values.
struct PrintInputs {
    std::int32_t ChartWidth { 0 };
    std::int32_t ChartHeight { 0 };
    double PitchValue { 12.0 }; ///< printed stitches per unit; may be a blank field's value
    int PitchUnit { 0 }; ///< 0 inch, 1 cm
    double StitchesAcross { 6.0 }; ///< gauge per unit; may be blank
    double StitchesDown { 7.5 };
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
