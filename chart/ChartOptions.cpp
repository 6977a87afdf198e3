#include "chart/ChartOptions.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace wendle {

bool ChartOptions::IsUsable() const
{
    const int align = static_cast<int>(Align);
    const int form = static_cast<int>(Form);
    return BlankRowsSetting.Contains(BlankRows) && EndBlanksSetting.Contains(EndBlanks)
        && WordGapSetting.Contains(WordGap) && align >= static_cast<int>(Alignment::Left)
        && align <= static_cast<int>(Alignment::Full) && form >= static_cast<int>(FontForm::Narrow)
        && form <= static_cast<int>(FontForm::Wide);
}

std::optional<int> RoundOptionValue(std::optional<double> value)
{
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    // std::nearbyint rounds in the current mode, which is to nearest with ties to even
    // unless somebody changed it; say so explicitly rather than rely on it.
    const int previousMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(*value);
    std::fesetround(previousMode);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(rounded);
}

std::optional<ChartOptions> MakeChartOptions(std::optional<double> blankRows,
    std::optional<double> endBlanks, std::optional<double> wordGap, Alignment align, FontForm form)
{
    const auto rows = RoundOptionValue(blankRows);
    const auto ends = RoundOptionValue(endBlanks);
    const auto gap = RoundOptionValue(wordGap);
    if (!rows || !ends || !gap)
        return std::nullopt;
    return ChartOptions { *rows, *ends, *gap, align, form };
}

} // namespace wendle
