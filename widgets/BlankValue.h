#pragma once

#include <optional>

namespace wendle {

/// The value a blank number field holds: single-precision -1.0E35 widened to double.
inline constexpr double FxSpEmptyValue = static_cast<double>(-1.0E35f);

/// Any value at or below this single-precision limit counts as blank.
inline constexpr double FxSpEmptyLimit = static_cast<double>(-9.9999E34f);

/// True when \a value stands for a blank field.
constexpr bool IsBlankValue(double value) { return value <= FxSpEmptyLimit; }

/// A field's value as the rest of the program takes it: nothing for a blank field.
constexpr std::optional<double> AsNumber(double value)
{
    return IsBlankValue(value) ? std::nullopt : std::optional<double>(value);
}

} // namespace wendle
