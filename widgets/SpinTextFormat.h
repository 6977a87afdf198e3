#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wendle {

/// How a spin field writes and reads its numbers: a fixed number of decimals with "." as the
/// point whatever the locale, an optional thousand separator, and Placeholder characters for
/// the digit positions between the number and a marked digit left of it. The texts are plain
/// ASCII and never longer than MaxTextLength.
class TSpinTextFormat {
public:
    /// Stands for an empty digit position; drawn as a small square, measured as a "0".
    static constexpr char Placeholder = '\x01';
    /// No operation works on more text than this; longer texts are cut.
    static constexpr std::size_t MaxTextLength = 31;

    int Decimals() const { return FDecimals; }
    /// Clamped to 0..18.
    void SetDecimals(int decimals);
    char ThousandSeparator() const { return FThousandSeparator; }
    /// '\0' for none. Throws std::out_of_range("Invalid thousand separator") for "+", "-",
    /// the digits, the point and control characters; the separator then stays as it was.
    void SetThousandSeparator(char separator);

    /// \a value with Decimals places, grouped by the separator, without placeholders; empty
    /// for a blank value and for one that is no finite number.
    std::string TextFor(double value) const;

    /// A display text and the 1-based position of its marked digit in it.
    struct TMarkedText {
        std::string Text;
        int CaretIndex { 1 };
    };
    /// Finds the digit of decimal exponent \a incExponent in \a text. Left of the number it
    /// puts placeholders (and separators between them) in front, so that the digit has a
    /// position; placeholders left of the digit that it no longer needs are dropped.
    TMarkedText MarkDigit(std::string_view text, int incExponent) const;

    /// \a value as text, without separators, with every digit below the one of exponent
    /// \a incExponent set to zero.
    std::string TruncatedText(double value, int incExponent) const;

    /// Reads an optional "-", then digits with at most one "." among them and at least one
    /// character after the sign; "." alone reads as 0. Nothing else is a number here.
    static std::optional<double> ReadNumber(std::string_view text);

private:
    int FDecimals { 2 };
    char FThousandSeparator { '\0' };
};

} // namespace wendle
