#include "widgets/SpinTextFormat.h"

#include "chart/FormatFixed.h"
#include "widgets/BlankValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <system_error>

namespace wendle {

namespace {

    // The truncation of the marked digit's tail works on 12 significant digits, so that
    // binary noise in the last places never survives as a digit.
    constexpr int TruncationDigits = 12;

    bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    bool IsInvalidSeparator(char separator)
    {
        const auto code = static_cast<unsigned char>(separator);
        // "+", "-" and digits would make the text read as another number; the point and
        // control characters (the placeholder among them) would make it unreadable.
        return separator == '+' || separator == '-' || separator == '.' || IsDigit(separator)
            || code < 32 || code == 127;
    }

} // namespace

void TSpinTextFormat::SetDecimals(int decimals) { FDecimals = std::clamp(decimals, 0, 18); }

void TSpinTextFormat::SetThousandSeparator(char separator)
{
    if (separator != '\0' && IsInvalidSeparator(separator))
        throw std::out_of_range("Invalid thousand separator");
    FThousandSeparator = separator;
}

std::string TSpinTextFormat::TextFor(double value) const
{
    if (IsBlankValue(value) || !std::isfinite(value))
        return {};
    // Rounded half away from zero from 18 significant digits; zero carries no minus sign.
    std::string text = FixedPointText(value, FDecimals, MaxSignificantDigits, ".");
    if (FThousandSeparator == '\0')
        return text;

    // Positions below are 1-based, as in the description of the grouping.
    int point = static_cast<int>(text.size()) - FDecimals;
    int at = point + 4;
    for (int groups = (FDecimals - 1) / 3; groups > 0; --groups) {
        text.insert(static_cast<std::size_t>(at - 1), 1, FThousandSeparator);
        at += 4;
    }
    if (FDecimals == 0)
        ++point;
    // The digit test keeps a separator from following a leading "-".
    while (point - 4 > 0) {
        if (IsDigit(text[static_cast<std::size_t>(point - 5)]))
            text.insert(static_cast<std::size_t>(point - 4), 1, FThousandSeparator);
        point -= 3;
    }
    return text;
}

TSpinTextFormat::TMarkedText TSpinTextFormat::MarkDigit(
    std::string_view text, int incExponent) const
{
    text = text.substr(0, MaxTextLength);
    // A negative entry in progress: the mark waits where the first digit will appear.
    if (text == "- ")
        return { std::string(text), 2 };

    // The sign is no digit position: placeholders for positions left of a negative number
    // go between the "-" and its first digit, so that overtyping them keeps the sign.
    const bool negative = text.starts_with('-');
    std::string body(text.substr(negative ? 1 : 0));
    const bool grouped = FThousandSeparator != '\0';
    int k = static_cast<int>(body.size()) - incExponent - FDecimals;
    if (incExponent >= 0 && FDecimals > 0)
        --k; // the "." lies between
    if (grouped) {
        k -= (FDecimals - 1) / 3;
        if (incExponent < 0)
            k += (-1 - incExponent) / 3;
        else
            k -= incExponent / 3;
    }
    const std::size_t room = MaxTextLength - (negative ? 1 : 0);
    if (k < 1) {
        for (int i = k; i <= 0 && body.size() < room; ++i) {
            const bool separatorHere
                = grouped && ((incExponent / 3) + incExponent + i + 1) % 4 == 0;
            body.insert(body.begin(), separatorHere ? FThousandSeparator : Placeholder);
        }
        k = 1;
    }
    // Placeholders left of the mark disappear once it moves right again.
    while (k > 1 && !body.empty()
        && (body.front() == Placeholder || (grouped && body.front() == FThousandSeparator))) {
        body.erase(body.begin());
        --k;
    }
    return { negative ? "-" + body : body, k + (negative ? 1 : 0) };
}

std::string TSpinTextFormat::TruncatedText(double value, int incExponent) const
{
    std::string text = FixedPointText(value, FDecimals, TruncationDigits, ".");
    int zeroes = 0;
    if (incExponent >= 0) {
        if (FDecimals > 0)
            text.erase(text.find('.'));
        zeroes = incExponent;
    } else {
        zeroes = FDecimals + incExponent; // none when the mark lies right of the text
    }
    // Only digits are zeroed: the sign of a negative number stays.
    for (auto it = text.rbegin(); it != text.rend() && zeroes > 0; ++it) {
        if (IsDigit(*it)) {
            *it = '0';
            --zeroes;
        }
    }
    return text;
}

std::optional<double> TSpinTextFormat::ReadNumber(std::string_view text)
{
    // Exponents, blanks, "inf" and "nan" are refused.
    const bool negative = text.starts_with('-');
    const std::string_view body = text.substr(negative ? 1 : 0);
    if (body.find_first_not_of("0123456789.") != body.npos)
        return std::nullopt;
    double magnitude = 0.0;
    if (body != ".") {
        // A second point ends the number early; one past the largest double is refused.
        const auto [end, error] = std::from_chars(
            body.data(), body.data() + body.size(), magnitude, std::chars_format::fixed);
        if (error != std::errc() || end != body.data() + body.size())
            return std::nullopt;
    }
    return (negative ? -magnitude : magnitude) + 0.0; // negative zero comes back as zero
}

} // namespace wendle
