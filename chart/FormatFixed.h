#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendle {

/// The most significant digits a double holds reliably, and the most the texts below show.
inline constexpr int MaxSignificantDigits = 18;

/// \a value in fixed-point notation with exactly \a decimals digits after
/// \a decimalSeparator, no thousands separators, rounded half away from zero from its
/// 18 significant digits, and trimmed. Empty for a blank field (no value) or a value that is
/// no finite number. A result that rounds to zero carries no minus sign.
std::string FormatFixed(
    std::optional<double> value, int decimals, std::string_view decimalSeparator = ".");

/// The fixed-point text behind FormatFixed, for any number of significant digits (1 to 18):
/// an optional minus sign, the integer digits, and, when \a decimals is positive, the
/// separator and exactly \a decimals digits, rounded half away from zero from the value's
/// first \a significantDigits digits. Zero carries no minus sign. Empty for a value that is
/// no finite number; blank values are not treated specially.
std::string FixedPointText(
    double value, int decimals, int significantDigits, std::string_view decimalSeparator = ".");

} // namespace wendle
