#pragma once

#include "ChartLayout.h"

#include <string>
#include <vector>

// The grid as text, '#' for a text stitch and '.' for background, one string per row, so
// that expected charts can be written as pictures.
inline std::vector<std::string> ChartPicture(const wendle::TChartLayout& layout)
{
    std::vector<std::string> rows;
    for (std::int32_t r = 0; r < layout.ChartHeight; ++r) {
        std::string row;
        for (std::int32_t c = 0; c < layout.ChartWidth; ++c)
            row += layout.IsTextStitch(r, c) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}
