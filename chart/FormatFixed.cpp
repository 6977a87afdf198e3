#include "chart/FormatFixed.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace wendle {

namespace {

    // Rounds a string of decimal digits (most significant first) to its first \a keep
    // digits, half away from zero. Returns true when rounding carried out of the top
    // digit, in which case the digits are now "1000...".
    bool RoundDigits(std::string& digits, std::size_t keep)
    {
        if (keep >= digits.size())
            return false;
        const bool roundUp = digits[keep] >= '5';
        digits.resize(keep);
        if (!roundUp)
            return false;
        for (std::size_t i = keep; i-- > 0;) {
            if (digits[i] != '9') {
                ++digits[i];
                return false;
            }
            digits[i] = '0';
        }
        digits.insert(digits.begin(), '1');
        return true;
    }

} // namespace

std::string FixedPointText(
    double value, int decimals, int significantDigits, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return {};
    decimals = std::clamp(decimals, 0, 18);
    significantDigits = std::clamp(significantDigits, 1, MaxSignificantDigits);

    // Scientific notation gives exactly the significant digits and the exponent; to_chars
    // ignores the C locale, whose decimal point the window system may have changed.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
        std::chars_format::scientific, significantDigits - 1);
    const std::string scientific(buffer, written.ptr);
    const std::size_t exponentAt = scientific.find('e');
    std::string digits;
    for (std::size_t i = 0; i < exponentAt; ++i) {
        if (scientific[i] != '.')
            digits += scientific[i];
    }
    int exponent = std::atoi(scientific.c_str() + exponentAt + 1);
    if (value == 0.0)
        exponent = 0;

    // The value is 0.digits x 10^(exponent + 1); place the point and pad with zeros so
    // that integer and fraction digits are all present before rounding.
    int integerDigits = exponent + 1;
    if (integerDigits <= 0) {
        digits.insert(0, static_cast<std::size_t>(-integerDigits), '0');
        integerDigits = 0;
    }
    const std::size_t wanted
        = static_cast<std::size_t>(integerDigits) + static_cast<std::size_t>(decimals);
    if (digits.size() < wanted)
        digits.append(wanted - digits.size(), '0');
    if (RoundDigits(digits, wanted))
        ++integerDigits;

    const std::string_view allDigits(digits);
    const std::string_view integerPart = integerDigits > 0
        ? allDigits.substr(0, static_cast<std::size_t>(integerDigits))
        : std::string_view("0");
    const std::string_view fractionPart = allDigits.substr(static_cast<std::size_t>(integerDigits));

    const bool isZero = std::all_of(digits.begin(), digits.end(), [](char d) { return d == '0'; });
    std::string result;
    if (value < 0 && !isZero)
        result += '-';
    result += integerPart;
    if (decimals > 0) {
        result += decimalSeparator;
        result += fractionPart;
    }
    return result;
}

std::string FormatFixed(
    std::optional<double> value, int decimals, std::string_view decimalSeparator)
{
    if (!value)
        return {};
    const std::string result
        = FixedPointText(*value, decimals, MaxSignificantDigits, decimalSeparator);

    const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const auto first = std::find_if_not(result.begin(), result.end(), isTrimmed);
    const auto last = std::find_if_not(result.rbegin(), result.rend(), isTrimmed).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace wendle
