#pragma once

#include <cstdint>

namespace wendle {

/// How the printed pattern numbers its stitches and rows. The chart's order reads like text:
/// stitch 1 at the left, row 1 at the top. Knitting order follows the knitter, who works from
/// the bottom up with the right side facing, each row from right to left: stitch 1 is the
/// rightmost and row 1 the bottom row.
enum class Numbering { Chart, Knitting };

/// The number of the stitch or row at \a index (0-based from the left or the top) of \a count,
/// in \a numbering, the first one numbered 1 + \a offset.
constexpr std::int64_t PatternNumber(
    std::int64_t index, std::int64_t count, std::int32_t offset, Numbering numbering)
{
    return (numbering == Numbering::Knitting ? count - index : index + 1) + offset;
}

} // namespace wendle
