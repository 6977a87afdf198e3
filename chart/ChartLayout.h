#pragma once

#include "chart/ChartOptions.h"
#include "chart/WendleFont.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wendle {

/// The stitch grid: the message laid out in the stitch font, line under line, with blank
/// rows and stitches around it. Every run rebuilds the whole grid from the text.
class TChartLayout {
public:
    /// Lays \a lines out afresh. Characters outside the font count as blanks; a to z are
    /// taken as their capitals. Options outside their ranges leave the previous grid and
    /// size untouched, as does a chart too large to address. Returns true when the chart's
    /// size differs from the size before the run.
    bool LayOutChart(
        std::span<const std::string> lines, const ChartOptions& options, const TWendleFont& font);

    /// Row \a row of the grid: ChartWidth stitches, then spill room nobody shows.
    const std::uint8_t* Row(std::int32_t row) const
    {
        return StitchRows.data() + static_cast<std::size_t>(row) * RowLength;
    }

    /// Mirrors every row left to right: the chart as seen from the wrong side.
    void MirrorRows();

    /// True for a text stitch at (\a row, \a column); both must lie inside the chart.
    bool IsTextStitch(std::int32_t row, std::int32_t column) const { return Row(row)[column] != 0; }

    std::int32_t LineCount { 0 };
    std::int32_t ChartWidth { 0 };
    std::int32_t ChartHeight { 0 };
    std::int32_t RowsAllocated { 0 };
    std::int32_t RowLength { 0 };

private:
    // All rows in one block, RowLength bytes apart: one allocation per run instead of one
    // per row, and rows stay next to each other for the display and the printer.
    std::vector<std::uint8_t> StitchRows;
    std::vector<std::int32_t> LineTextWidths;
    std::vector<std::int32_t> LineBlankCounts;
};

} // namespace wendle
