#include "widgets/SpinValueModel.h"

#include "widgets/BlankValue.h"
#include "chart/FormatFixed.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace wendle {

namespace {

    // The truncation of the marked digit's tail works on 12 significant digits, so that
    // binary noise in the last places never survives as a digit.
    constexpr int TruncationDigits = 12;

    bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    // \a value in fixed-point notation with exactly \a decimals places, taken from its first
    // \a significant digits and rounded half away from zero. "." is the point whatever the
    // locale. A value that rounds to zero carries no minus sign.
    std::string FixedText(double value, int decimals, int significant)
    {
        return FixedPointText(value, decimals, significant, ".");
    }

    // Reads an optional "-", then digits with at most one "." among them and at least one
    // character after the sign; "." alone reads as 0. Nothing else is a number here, so
    // exponents, blanks, "inf" and "nan" are refused. Negative zero comes back as zero.
    bool ReadNumber(std::string_view text, double& number)
    {
        const bool negative = text.starts_with('-');
        const std::string_view body = text.substr(negative ? 1 : 0);
        if (body.find_first_not_of("0123456789.") != body.npos)
            return false;
        double magnitude = 0.0;
        if (body != ".") {
            // A second point ends the number early; one past the largest double is refused.
            const auto [end, error] = std::from_chars(
                body.data(), body.data() + body.size(), magnitude, std::chars_format::fixed);
            if (error != std::errc() || end != body.data() + body.size())
                return false;
        }
        number = (negative ? -magnitude : magnitude) + 0.0;
        return true;
    }

    // The text as it is measured: a placeholder takes the room of a "0".
    std::string MeasuredText(std::string_view text)
    {
        std::string measured(text);
        std::replace(measured.begin(), measured.end(), TSpinValueModel::Placeholder, '0');
        return measured;
    }

    bool IsInvalidSeparator(char separator)
    {
        const auto code = static_cast<unsigned char>(separator);
        // "+", "-" and digits would make the text read as another number; the point and
        // control characters (the placeholder among them) would make it unreadable.
        return separator == '+' || separator == '-' || separator == '.' || IsDigit(separator)
            || code < 32 || code == 127;
    }

} // namespace

TSpinValueModel::TSpinValueModel()
{
    UpdateText();
    PlaceIncrementDigit();
}

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
    FDecimals = std::clamp(decimals, 0, 18);
    UpdateText();
    PlaceIncrementDigit();
    Redraw();
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
        FIncExponent = -FDecimals - 1;
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
    if (separator == FThousandSeparator)
        return;
    if (separator != '\0' && IsInvalidSeparator(separator))
        throw std::out_of_range("Invalid thousand separator");
    FThousandSeparator = separator;
    UpdateText();
    PlaceIncrementDigit();
    Redraw();
}

bool TSpinValueModel::IsBlank() const { return IsBlankValue(FValue); }

std::string TSpinValueModel::VisibleText() const
{
    // A blank field shows no placeholders; the "- " of a negative entry in progress stays.
    if (IsBlank() && !FText.empty() && FText.front() != '-')
        return {};
    return FText;
}

std::string TSpinValueModel::ValueText() const { return TextFor(FValue); }

std::string TSpinValueModel::TextFor(double value) const
{
    if (IsBlankValue(value) || !std::isfinite(value))
        return {};
    std::string text = FixedText(value, FDecimals, MaxSignificantDigits);
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

void TSpinValueModel::SetMetrics(TSpinTextMetrics metrics)
{
    FMetrics = std::move(metrics);
    ComputeCaretRect();
}

void TSpinValueModel::SetTextPosition(int textRight, int textTop)
{
    FTextRight = textRight;
    FTextTop = textTop;
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
    UpdateText();
    PlaceIncrementDigit();
    Redraw();
    if (FSpinning && !FTrackSpin) {
        FChangePending = true;
        return;
    }
    FireChange();
}

void TSpinValueModel::UpdateText()
{
    FText = TextFor(FValue);
    if (FText.size() > MaxTextLength)
        FText.resize(MaxTextLength);
}

void TSpinValueModel::PlaceIncrementDigit()
{
    std::string text = FText.substr(0, MaxTextLength);
    if (text == "- ") {
        // A negative entry in progress: the mark waits where the first digit will appear.
        FCaretIndex = 2;
        ComputeCaretRect();
        return;
    }

    // The sign is no digit position: placeholders for positions left of a negative number
    // go between the "-" and its first digit, so that overtyping them keeps the sign.
    const bool negative = !text.empty() && text.front() == '-';
    std::string body = negative ? text.substr(1) : text;
    int k = static_cast<int>(body.size()) - FIncExponent - FDecimals;
    if (FIncExponent >= 0 && FDecimals > 0)
        --k; // the "." lies between
    if (FThousandSeparator != '\0') {
        k -= (FDecimals - 1) / 3;
        if (FIncExponent < 0)
            k += (-1 - FIncExponent) / 3;
        else
            k -= FIncExponent / 3;
    }
    const std::size_t room = MaxTextLength - (negative ? 1 : 0);
    if (k < 1) {
        for (int i = k; i <= 0 && body.size() < room; ++i) {
            const bool separatorHere = FThousandSeparator != '\0'
                && ((FIncExponent / 3) + FIncExponent + i + 1) % 4 == 0;
            body.insert(body.begin(), separatorHere ? FThousandSeparator : Placeholder);
        }
        k = 1;
    }
    // Placeholders left of the mark disappear once it moves right again.
    while (k > 1 && !body.empty()
        && (body.front() == Placeholder
            || (FThousandSeparator != '\0' && body.front() == FThousandSeparator))) {
        body.erase(body.begin());
        --k;
    }
    FText = negative ? "-" + body : body;
    FCaretIndex = k + (negative ? 1 : 0);
    ComputeCaretRect();
}

void TSpinValueModel::ComputeCaretRect()
{
    if (!HasMetrics()) {
        FCaretValid = false;
        return;
    }
    const std::string measured = MeasuredText(FText);
    const int width = FMetrics.TextWidth(measured);
    FTextLeft = FTextRight - width;
    const auto length = static_cast<int>(measured.size());
    int right = 0;
    int left = 0;
    if (FCaretIndex <= length) {
        right = FTextLeft
            + FMetrics.TextWidth(
                std::string_view(measured).substr(0, static_cast<std::size_t>(FCaretIndex)))
            - 1;
        left = right
            - FMetrics.TextWidth(
                std::string_view(measured).substr(static_cast<std::size_t>(FCaretIndex - 1), 1))
            + 1;
    } else {
        // A mark right of the end of the text (an increment finer than the last decimal)
        // gets the cells of the digits it stands for, one "0" wide each.
        right = FTextLeft + width + (FCaretIndex - length) * FMetrics.CharWidth - 1;
        left = right - FMetrics.CharWidth + 1;
    }
    FCaretRect = { left, FTextTop, right, FTextTop + FMetrics.CharHeight - 1 };
    FCaretValid = true;
}

void TSpinValueModel::SetIncExponent(int exponent)
{
    exponent = std::max(exponent, -FDecimals);
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
    std::string text = FixedText(FValue, FDecimals, TruncationDigits);
    int zeroes = 0;
    if (FIncExponent >= 0) {
        if (FDecimals > 0)
            text.erase(text.find('.'));
        zeroes = FIncExponent;
    } else {
        zeroes = FDecimals + FIncExponent; // none when the mark lies right of the text
    }
    // Only digits are zeroed: the sign of a negative number stays.
    for (auto it = text.rbegin(); it != text.rend() && zeroes > 0; ++it) {
        if (IsDigit(*it)) {
            *it = '0';
            --zeroes;
        }
    }
    double number = 0.0;
    if (ReadNumber(text, number))
        ApplyValue(fxspbcDirectSet, number);
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
    if (!FCaretValid || FCaretRect.Left > FMetrics.CharWidth - 2)
        SetIncExponent(FIncExponent + 1);
}

void TSpinValueModel::ArrowRightPressed()
{
    if (FReadOnly)
        return;
    EndDirectEntry();
    if (FIncExponent > -FDecimals)
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
        if (FText.empty() || FText.back() == Placeholder) {
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
    if (FEntryBuffer.size() < MaxTextLength)
        FEntryBuffer += character;
    ConvertEntryBuffer();
}

void TSpinValueModel::ConvertEntryBuffer()
{
    double number = 0.0;
    if (!ReadNumber(FEntryBuffer, number)) {
        FEntryBuffer.pop_back();
        return;
    }
    ApplyValue(fxspbcKeystroke, number);
    if (FText == "- ") {
        // The entry read as the value the field already had, so nothing rebuilt the text.
        UpdateText();
        PlaceIncrementDigit();
        Redraw();
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
    if (!IsDigit(marked) && marked != Placeholder)
        return;
    std::string text = FText;
    text[static_cast<std::size_t>(FCaretIndex - 1)] = digit;
    std::replace(text.begin(), text.end(), Placeholder, '0');
    if (FThousandSeparator != '\0')
        text.erase(std::remove(text.begin(), text.end(), FThousandSeparator), text.end());
    if (FIncExponent > -FDecimals)
        SetIncExponent(FIncExponent - 1);
    double number = 0.0;
    if (ReadNumber(text, number))
        ApplyValue(fxspbcKeystroke, number);
}

void TSpinValueModel::MousePress(int x, bool leftButton)
{
    EndDirectEntry();
    if (!leftButton || !HasMetrics())
        return;
    std::string text = MeasuredText(FText);
    if (!text.empty())
        text.pop_back();
    int exponent = -FDecimals;
    // Walk left from the last digit until the text left of the candidate ends left of x;
    // the point and the separators are no digit positions and are stepped over.
    while (!text.empty() && FMetrics.TextWidth(text) > x - FTextLeft) {
        ++exponent;
        text.pop_back();
        if (!text.empty()
            && (exponent == 0 || (FThousandSeparator != '\0' && text.back() == FThousandSeparator)))
            text.pop_back();
    }
    if (x < FTextLeft)
        ++exponent; // left of the number: the position one left of its first digit
    SetIncExponent(exponent);
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
        UpdateText();
        PlaceIncrementDigit();
        Redraw();
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
