#pragma once

#include "chart/ChartLayout.h"
#include "chart/Settings.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace wendle {

/// The yarn carried behind a float.
enum class Yarn { Text, Background };

/// A float: in two-colour knitting the yarn not in use is carried behind the work, and a
/// long carry snags. It lies behind a run of stitches of one row.
struct Float {
    std::int32_t Row { 0 }; ///< 0-based, from the top
    std::int32_t FirstColumn { 0 }; ///< 0-based, the run's leftmost stitch
    std::int32_t Length { 0 }; ///< stitches
    Yarn Carried { Yarn::Text };

    bool operator==(const Float&) const = default;
};

/// Every float of \a chart longer than \a limit stitches, top row first, left to right; only
/// those in rows \a firstRow to \a endRow (exclusive) when they are given. The text yarn floats
/// behind each maximal run of background stitches that has a text stitch on both sides in its
/// row; the background yarn floats behind each maximal run of text stitches.
std::vector<Float> FindFloats(const TChartLayout& chart, std::int32_t limit,
    std::int32_t firstRow = 0, std::int32_t endRow = INT32_MAX);

/// The float limit a gauge suggests: the stitches in one inch at \a stitchesAcross per
/// \a unit (a per-cm gauge times 2.54), rounded down, and at least 3. Empty for a blank or
/// unusable gauge.
std::optional<std::int32_t> DefaultFloatLimit(
    std::optional<double> stitchesAcross, LengthUnit unit);

/// The limits a knitter may give: 1 to 999 stitches.
inline constexpr NumberSetting FloatLimitSetting { 1, 999, 3, 0 };

} // namespace wendle
