#include "chart/ChartOptions.h"

#include "chart/BlankValue.h"
#include "chart/WendleFont.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace wendle {

bool ChartOptions::IsUsable() const
{
    return BlankRowsRange.Contains(BlankRows) && EndBlanksRange.Contains(EndBlanks)
        && WordGapRange.Contains(WordGap) && Alignment >= AlignLeft && Alignment <= AlignFull
        && FontForm >= 0 && FontForm < FontFormCount;
}

std::optional<int> RoundOptionValue(double value)
{
    if (IsBlankValue(value) || !std::isfinite(value))
        return std::nullopt;
    // std::nearbyint rounds in the current mode, which is to nearest with ties to even
    // unless somebody changed it; say so explicitly rather than rely on it.
    const int previousMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previousMode);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(rounded);
}

std::optional<ChartOptions> MakeChartOptions(
    double blankRows, double endBlanks, double wordGap, int alignment, int fontForm)
{
    const auto rows = RoundOptionValue(blankRows);
    const auto ends = RoundOptionValue(endBlanks);
    const auto gap = RoundOptionValue(wordGap);
    if (!rows || !ends || !gap)
        return std::nullopt;
    return ChartOptions { *rows, *ends, *gap, alignment, fontForm };
}

} // namespace wendle
