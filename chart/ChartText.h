#pragma once

#include "chart/ChartLayout.h"
#include "chart/PrintLayout.h"

#include <string>

namespace wendle {

/// The chart as text, a line per row: '#' for a text stitch, '.' for a background stitch.
std::string ChartText(const TChartLayout& chart);

/// The print layout as text, one "Name: value" line per field, as a script reads it.
std::string PlanText(const PrintLayout& plan);

} // namespace wendle
