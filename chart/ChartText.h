#pragma once

#include "chart/ChartLayout.h"
#include "chart/Floats.h"
#include "chart/Numbering.h"
#include "chart/PrintLayout.h"

#include <string>

namespace wendle {

/// The chart as text, a line per row: '#' for a text stitch, '.' for a background stitch.
std::string ChartText(const TChartLayout& chart);

/// The print layout as text, one "Name: value" line per field, as a script reads it.
std::string PlanText(const PrintLayout& plan);

/// How the floats of a chart are listed: the limit and why, and how stitches and rows are
/// numbered (the offsets as NumberOffset gives them).
struct FloatListing {
    std::int32_t Limit;
    std::string Why;
    std::int32_t FirstStitchOffset { 0 };
    std::int32_t FirstRowOffset { 0 };
    Numbering Order { Numbering::Chart };
};

/// The floats of \a chart longer than the limit, a line each, "Row R: stitches A-B (L
/// stitches, text yarn)", between a line that says the limit and why and the longest float;
/// or the one line "No float longer than N stitches".
std::string FloatsText(const TChartLayout& chart, const FloatListing& listing);

} // namespace wendle
