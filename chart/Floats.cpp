#include "chart/Floats.h"

#include <algorithm>
#include <cmath>

namespace wendle {

std::vector<Float> FindFloats(
    const TChartLayout& chart, std::int32_t limit, std::int32_t firstRow, std::int32_t endRow)
{
    std::vector<Float> floats;
    for (std::int32_t r = std::max(firstRow, 0); r < std::min(endRow, chart.ChartHeight); ++r) {
        const std::uint8_t* stitches = chart.Row(r);
        for (std::int32_t c = 0; c < chart.ChartWidth;) {
            const std::int32_t first = c;
            const bool text = stitches[c] != 0;
            while (c < chart.ChartWidth && (stitches[c] != 0) == text)
                ++c;
            // A run of background stitches at a row's end has no text yarn behind it: that
            // yarn is not yet, or no longer, in use on this row.
            const bool between = first > 0 && c < chart.ChartWidth;
            if (c - first > limit && (text || between))
                floats.push_back({ r, first, c - first, text ? Yarn::Background : Yarn::Text });
        }
    }
    return floats;
}

std::optional<std::int32_t> DefaultFloatLimit(std::optional<double> stitchesAcross, LengthUnit unit)
{
    if (!stitchesAcross || !std::isfinite(*stitchesAcross) || *stitchesAcross <= 0.0)
        return std::nullopt;
    const double perInch
        = unit == LengthUnit::Centimetre ? *stitchesAcross * 2.54 : *stitchesAcross;
    // Held to the largest limit a knitter may give, so that any gauge gives a number.
    const double inch = std::floor(std::min(perInch, FloatLimitSetting.Maximum));
    return std::max<std::int32_t>(3, static_cast<std::int32_t>(inch));
}

} // namespace wendle
