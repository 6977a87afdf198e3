#include "widgets/SpinCaretGeometry.h"

#include "widgets/SpinTextFormat.h"

#include <algorithm>
#include <string>

namespace wendle {

namespace {

    // The text as it is measured: a placeholder takes the room of a "0".
    std::string MeasuredText(std::string_view text)
    {
        std::string measured(text);
        std::ranges::replace(measured, TSpinTextFormat::Placeholder, '0');
        return measured;
    }

} // namespace

void TSpinCaretGeometry::SetTextPosition(int textRight, int textTop)
{
    FTextRight = textRight;
    FTextTop = textTop;
}

void TSpinCaretGeometry::Place(std::string_view text, int caretIndex)
{
    if (!HasMetrics()) {
        FCaretValid = false;
        return;
    }
    const std::string measured = MeasuredText(text);
    const std::string_view view(measured);
    const int width = FMetrics.TextWidth(measured);
    FTextLeft = FTextRight - width;
    const auto length = static_cast<int>(measured.size());
    int right = 0;
    int left = 0;
    if (caretIndex <= length) {
        const auto index = static_cast<std::size_t>(caretIndex);
        right = FTextLeft + FMetrics.TextWidth(view.substr(0, index)) - 1;
        left = right - FMetrics.TextWidth(view.substr(index - 1, 1)) + 1;
    } else {
        right = FTextLeft + width + (caretIndex - length) * FMetrics.CharWidth - 1;
        left = right - FMetrics.CharWidth + 1;
    }
    FCaretRect = { left, FTextTop, right, FTextTop + FMetrics.CharHeight - 1 };
    FCaretValid = true;
}

bool TSpinCaretGeometry::CaretAtLeftEdge() const
{
    return FCaretValid && FCaretRect.Left <= FMetrics.CharWidth - 2;
}

int TSpinCaretGeometry::ExponentAt(
    std::string_view text, int x, const TSpinTextFormat& format) const
{
    std::string measured = MeasuredText(text);
    if (!measured.empty())
        measured.pop_back();
    const char separator = format.ThousandSeparator();
    int exponent = -format.Decimals();
    // Walk left from the last digit until the text left of the candidate ends left of x;
    // the point and the separators are no digit positions and are stepped over.
    while (!measured.empty() && FMetrics.TextWidth(measured) > x - FTextLeft) {
        ++exponent;
        measured.pop_back();
        if (!measured.empty()
            && (exponent == 0 || (separator != '\0' && measured.back() == separator)))
            measured.pop_back();
    }
    if (x < FTextLeft)
        ++exponent;
    return exponent;
}

} // namespace wendle
