#pragma once

// The lines laid out by the options, in a font built for them.

#include "chart/ChartLayout.h"
#include "chart/WendleFont.h"

namespace wendle::test {

inline TChartLayout LaidOut(const std::vector<std::string>& lines, const ChartOptions& options = {})
{
    TWendleFont font;
    font.BuildFont();
    TChartLayout chart;
    chart.LayOutChart(lines, options, font);
    return chart;
}

} // namespace wendle::test
