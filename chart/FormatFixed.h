#pragma once

#include <string>
#include <string_view>

namespace wendle {

/// \a value in fixed-point notation with exactly \a decimals digits after
/// \a decimalSeparator, no thousands separators, rounded half away from zero from its
/// 18 significant digits, and trimmed. Empty for a blank field's value or a value that is
/// no finite number. A result that rounds to zero carries no minus sign.
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator = ".");

} // namespace wendle
