#include "widgets/SpinValueModel.h"

#include "widgets/BlankValue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace wendle {

namespace {

    bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

TSpinValueModel::TSpinValueModel() { ShowValue(); }

void TSpinValueModel::SetMinValue(double value)
{
    if (value == FMinValue || !std::isfinite(value))
        return;
    FMinValue = value;
    ApplyValue(fxspbcDirectSet, FValue);
}

void TSpinValueModel::SetMaxValue(double value)
{
    if (value == FMaxValue || !std::isfinite(value))
        return;
    FMaxValue = value;
    ApplyValue(fxspbcDirectSet, FValue);
}

void TSpinValueModel::SetDecimals(int decimals)
{
    FTextFormat.SetDecimals(decimals);
    ShowValue();
}

void TSpinValueModel::SetIncrement(double value)
{
    // A zero step would never move the value and makes every relative comparison of
    // increments divide by zero, so it is refused like a step that is no number.
    if (!std::isfinite(value) || value == 0.0)
        return;
    value = std::fabs(value);
    if (std::fabs((value - FIncrement) / FIncrement) < 1E-7)
        return;
    if (value <= 1E-20) {
        FIncExponent = -Decimals() - 1;
    } else {
        auto exponent = static_cast<int>(std::nearbyint(std::log(value) / std::log(10.0)));
        // The tolerance lets 0.99999 count as 1.
        if (1.0001 * value < std::pow(10.0, exponent))
            --exponent;
        FIncExponent = exponent;
    }
    PlaceIncrementDigit();
    Redraw();
    FIncrement = value;
    if (OnSetIncrement)
        OnSetIncrement();
}

void TSpinValueModel::SetThousandSeparator(char separator)
{
    if (separator == ThousandSeparator())
        return;
    FTextFormat.SetThousandSeparator(separator);
    ShowValue();
}

bool TSpinValueModel::IsBlank() const { return IsBlankValue(FValue); }

std::string TSpinValueModel::VisibleText() const
{
    // A blank field shows no placeholders; the "- " of a negative entry in progress stays.
    if (IsBlank() && !FText.empty() && FText.front() != '-')
        return {};
    return FText;
}

void TSpinValueModel::SetMetrics(TSpinTextMetrics metrics)
{
    FGeometry.SetMetrics(std::move(metrics));
    FGeometry.Place(FText, FCaretIndex);
}

void TSpinValueModel::SetTextPosition(int textRight, int textTop)
{
    FGeometry.SetTextPosition(textRight, textTop);
    PlaceIncrementDigit();
}

void TSpinValueModel::ApplyValue(FxSpBoundsCheckOccasion occasion, double value)
{
    // A value that is no number could never be shown or read back, so it is ignored.
    if (std::isnan(value) || std::isinf(value))
        return;
    if (IsBlankValue(value)) {
        value = FxSpEmptyValue;
    } else {
        if ((FCheckBounds & (1u << occasion)) != 0 && IsBounded()) {
            if (value < FMinValue)
                value = FMinValue;
            else if (value > FMaxValue)
                value = FMaxValue;
        }
        value += 0.0; // no negative zero: it would show as "-0"
    }
    if (value == FValue)
        return;
    FValue = value;
    ShowValue();
    if (FSpinning && !FTrackSpin) {
        FChangePending = true;
        return;
    }
    FireChange();
}

void TSpinValueModel::UpdateText()
{
    FText = FTextFormat.TextFor(FValue);
    if (FText.size() > TSpinTextFormat::MaxTextLength)
        FText.resize(TSpinTextFormat::MaxTextLength);
}

void TSpinValueModel::PlaceIncrementDigit()
{
    auto [text, caretIndex] = FTextFormat.MarkDigit(FText, FIncExponent);
    FText = std::move(text);
    FCaretIndex = caretIndex;
    FGeometry.Place(FText, FCaretIndex);
}

void TSpinValueModel::SetIncExponent(int exponent)
{
    exponent = std::max(exponent, -Decimals());
    if (IsBounded()) {
        const int lead
            = std::max(LeadExponent(std::fabs(FMinValue)), LeadExponent(std::fabs(FMaxValue)));
        exponent = std::min(exponent, lead + 1);
    }
    const double power = PowerOfTen(exponent);
    if (!std::isfinite(power))
        return;
    if (std::fabs((power - FIncrement) / FIncrement) > 1E-7) {
        FIncrement = power;
        FIncExponent = exponent;
        if (OnSetIncrement)
            OnSetIncrement();
        PlaceIncrementDigit();
        Redraw();
    }
}

void TSpinValueModel::TruncateToIncrement()
{
    if (IsBlank())
        return;
    const std::string text = FTextFormat.TruncatedText(FValue, FIncExponent);
    if (const auto number = TSpinTextFormat::ReadNumber(text))
        ApplyValue(fxspbcDirectSet, *number);
}

void TSpinValueModel::UpClick()
{
    if (FReadOnly)
        return;
    EndDirectEntry();
    if (IsBlank())
        ApplyValue(fxspbcDirectSet, FMinValue);
    else
        ApplyValue(
            fxspbcSpinner, static_cast<double>(static_cast<long double>(FValue) + FIncrement));
}

void TSpinValueModel::DownClick()
{
    if (FReadOnly)
        return;
    EndDirectEntry();
    if (IsBlank())
        ApplyValue(fxspbcDirectSet, FMaxValue);
    else
        ApplyValue(
            fxspbcSpinner, static_cast<double>(static_cast<long double>(FValue) - FIncrement));
}

void TSpinValueModel::SpinMouseDown(bool leftButton)
{
    if (leftButton)
        FSpinning = true;
}

void TSpinValueModel::SpinMouseUp()
{
    if (!FSpinning)
        return;
    FSpinning = false;
    if (!FTrackSpin && FChangePending)
        FireChange();
}

void TSpinValueModel::ArrowUpPressed()
{
    if (FReadOnly)
        return;
    FSpinning = true;
    UpClick();
}

void TSpinValueModel::ArrowDownPressed()
{
    if (FReadOnly)
        return;
    FSpinning = true;
    DownClick();
}

void TSpinValueModel::ArrowLeftPressed()
{
    if (FReadOnly)
        return;
    EndDirectEntry();
    // The mark stops at the field's left edge; without a window there is no edge.
    if (!FGeometry.CaretAtLeftEdge())
        SetIncExponent(FIncExponent + 1);
}

void TSpinValueModel::ArrowRightPressed()
{
    if (FReadOnly)
        return;
    EndDirectEntry();
    if (FIncExponent > -Decimals())
        SetIncExponent(FIncExponent - 1);
}

void TSpinValueModel::CtrlZeroPressed()
{
    if (FReadOnly)
        return;
    EndDirectEntry();
    TruncateToIncrement();
}

void TSpinValueModel::KeyReleased()
{
    if (FReadOnly)
        return;
    SpinMouseUp();
}

void TSpinValueModel::TypeCharacter(char character)
{
    if (FReadOnly)
        return;
    if (character == Escape) {
        if (FValue == FxSpEmptyValue)
            ApplyValue(fxspbcDirectSet, FEnterValue);
        else
            ApplyValue(fxspbcKeystroke, FxSpEmptyValue);
        EndDirectEntry();
        return;
    }
    if (character == Backspace || character == '-' || character == '.' || IsDigit(character)) {
        if (FText.empty() || FText.back() == TSpinTextFormat::Placeholder) {
            FEntryBuffer.clear();
            FDirectEntry = true;
        }
        if (FDirectEntry) {
            DirectEntryCharacter(character);
            return;
        }
    }
    if (IsDigit(character) && FInputEnabled)
        Overtype(character);
}

void TSpinValueModel::DirectEntryCharacter(char character)
{
    if (character == Backspace) {
        if (FEntryBuffer.empty())
            return;
        FEntryBuffer.pop_back();
        if (FEntryBuffer.empty()) {
            ApplyValue(fxspbcDirectSet, FxSpEmptyValue);
            return;
        }
        ConvertEntryBuffer();
        return;
    }
    if (character == '-') {
        // Only as the first character; a "-" typed later is ignored.
        if (FEntryBuffer.empty()) {
            FEntryBuffer.push_back('-'); // not = "-": GCC 12 at -O3 warns falsely (-Wrestrict)
            FText = "- ";
            SetIncExponent(-1);
            PlaceIncrementDigit();
            Redraw();
        }
        return;
    }
    if (FEntryBuffer.size() < TSpinTextFormat::MaxTextLength)
        FEntryBuffer += character;
    ConvertEntryBuffer();
}

void TSpinValueModel::ConvertEntryBuffer()
{
    const auto number = TSpinTextFormat::ReadNumber(FEntryBuffer);
    if (!number) {
        FEntryBuffer.pop_back();
        return;
    }
    ApplyValue(fxspbcKeystroke, *number);
    if (FText == "- ") {
        // The entry read as the value the field already had, so nothing rebuilt the text.
        ShowValue();
    }
    const std::size_t point = FEntryBuffer.find('.');
    if (point != std::string::npos)
        SetIncExponent(static_cast<int>(point + 1) - static_cast<int>(FEntryBuffer.size()));
    else
        SetIncExponent(0);
}

void TSpinValueModel::Overtype(char digit)
{
    const auto length = static_cast<int>(FText.size());
    // A mark right of the end of the text has no digit to overwrite, and the sign, the
    // point and the separators are never overwritten.
    if (FCaretIndex < 1 || FCaretIndex > length)
        return;
    const char marked = FText[static_cast<std::size_t>(FCaretIndex - 1)];
    if (!IsDigit(marked) && marked != TSpinTextFormat::Placeholder)
        return;
    std::string text = FText;
    text[static_cast<std::size_t>(FCaretIndex - 1)] = digit;
    std::ranges::replace(text, TSpinTextFormat::Placeholder, '0');
    std::erase(text, ThousandSeparator());
    if (FIncExponent > -Decimals())
        SetIncExponent(FIncExponent - 1);
    if (const auto number = TSpinTextFormat::ReadNumber(text))
        ApplyValue(fxspbcKeystroke, *number);
}

void TSpinValueModel::MousePress(int x, bool leftButton)
{
    EndDirectEntry();
    if (leftButton && FGeometry.HasMetrics())
        SetIncExponent(FGeometry.ExponentAt(FText, x, FTextFormat));
}

void TSpinValueModel::DoubleClick()
{
    if (FReadOnly)
        return;
    TruncateToIncrement();
}

void TSpinValueModel::FocusReceived()
{
    FEnterValue = FValue;
    EndDirectEntry();
    FDirectEntry = FPresumeDirectEntry;
    FEntryBuffer.clear();
    ApplyValue(fxspbcDirectSet, FValue);
    Redraw();
}

void TSpinValueModel::FocusLost() { EndDirectEntry(); }

void TSpinValueModel::WheelTurned(int angleDelta)
{
    if (FReadOnly)
        return;
    const long long turned = static_cast<long long>(FWheelRemainder) + angleDelta;
    const long long notches = turned / WheelNotch;
    FWheelRemainder = static_cast<int>(turned - notches * WheelNotch);
    if (notches == 0)
        return;
    // One turn is one spin, as a press of Up or Down and its release: with TrackSpin off its
    // steps fire one OnChange when it ends. A spin already held by a key or button goes on.
    const bool held = FSpinning;
    FSpinning = true;
    for (long long step = 0; step < std::abs(notches); ++step)
        notches > 0 ? UpClick() : DownClick();
    if (!held)
        SpinMouseUp();
}

void TSpinValueModel::EndDirectEntry()
{
    FDirectEntry = false;
    // A lone "-" is no number, and once direct entry has ended no key could add digits to
    // it: the field is blank again, so that the next key starts a fresh entry.
    if (FText == "- ") {
        FEntryBuffer.clear();
        ShowValue();
    }
}

int TSpinValueModel::LeadExponent(double x)
{
    const double magnitude = std::fabs(x);
    int exponent = 0;
    if (magnitude > 1)
        exponent = static_cast<int>(std::nearbyint(std::log(magnitude) / std::log(10.0)));
    if (std::pow(10.0, exponent) > magnitude)
        --exponent;
    exponent = std::max(exponent, 1);
    if (x < 0)
        ++exponent;
    return exponent;
}

double TSpinValueModel::PowerOfTen(int exponent)
{
    static constexpr std::array<double, 14> Exact
        = { 1E-4, 1E-3, 1E-2, 1E-1, 1E0, 1E1, 1E2, 1E3, 1E4, 1E5, 1E6, 1E7, 1E8, 1E9 };
    if (exponent < -4) {
        double power = Exact.front();
        for (int i = exponent; i < -4; ++i)
            power /= 10;
        return power;
    }
    if (exponent > 9) {
        double power = Exact.back();
        for (int i = 9; i < exponent && std::isfinite(power); ++i)
            power *= 10;
        return power;
    }
    return Exact[static_cast<std::size_t>(exponent + 4)];
}

void TSpinValueModel::ShowValue()
{
    UpdateText();
    PlaceIncrementDigit();
    Redraw();
}

void TSpinValueModel::Redraw() const
{
    if (OnRedraw)
        OnRedraw();
}

void TSpinValueModel::FireChange()
{
    FChangePending = false;
    if (OnChange)
        OnChange();
}

} // namespace wendle
