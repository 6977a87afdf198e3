#pragma once

#include "widgets/SpinCaretGeometry.h"
#include "widgets/SpinTextFormat.h"

#include <cstdint>
#include <functional>
#include <string>

namespace wendle {

/// The occasions on which a new value of a spin field is clamped to its bounds.
enum FxSpBoundsCheckOccasion : std::uint8_t {
    fxspbcDirectSet = 0, ///< set by the program, restored, or a blank turned into a bound
    fxspbcSpinner = 1, ///< one step of the spin buttons or of the Up and Down keys
    fxspbcKeystroke = 2, ///< typed entry and Esc
};

/// A set of FxSpBoundsCheckOccasion: bit n stands for the occasion with ordinal n.
using FxSpBoundsCheckSet = std::uint8_t;

/// The set of a newly created field: every occasion clamps.
inline constexpr FxSpBoundsCheckSet FxSpAllOccasions
    = (1u << fxspbcDirectSet) | (1u << fxspbcSpinner) | (1u << fxspbcKeystroke);

/// The value, the display text and the entry rules of a numeric spin field, without any
/// window: the widget TFxPSpinEdit measures, draws and feeds events into this class. The
/// text is written by a TSpinTextFormat and placed by a TSpinCaretGeometry; besides digits,
/// "-", "." and the thousand separator it may hold placeholders, which stand for digit
/// positions left of the number and for every position of a blank field.
class TSpinValueModel {
public:
    TSpinValueModel();

    /// Called after the stored value changed (held back during a spin when TrackSpin is off).
    std::function<void()> OnChange;
    /// Called after the increment changed.
    std::function<void()> OnSetIncrement;
    /// Called whenever the display text or the marked digit changed and must be redrawn.
    std::function<void()> OnRedraw;

    // Properties.
    double Value() const { return FValue; }
    /// A direct set by the program (occasion fxspbcDirectSet).
    void SetValue(double value) { ApplyValue(fxspbcDirectSet, value); }
    double MinValue() const { return FMinValue; }
    void SetMinValue(double value);
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double value);
    bool IsBounded() const { return FMinValue != FMaxValue; }
    int Decimals() const { return FTextFormat.Decimals(); }
    /// Clamps to 0..18, rebuilds the text; the marked digit stays where it is.
    void SetDecimals(int decimals);
    double Increment() const { return FIncrement; }
    /// Marks the power of ten at or below \a value and steps by exactly |value|. Zero and
    /// values that are no finite number are refused: the increment keeps its value.
    void SetIncrement(double value);
    int IncExponent() const { return FIncExponent; }
    char ThousandSeparator() const { return FTextFormat.ThousandSeparator(); }
    /// '\0' for none. A separator TSpinTextFormat refuses throws std::out_of_range("Invalid
    /// thousand separator") and leaves the separator as it was.
    void SetThousandSeparator(char separator);
    FxSpBoundsCheckSet CheckBounds() const { return FCheckBounds; }
    void SetCheckBounds(FxSpBoundsCheckSet occasions) { FCheckBounds = occasions; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }
    bool TrackSpin() const { return FTrackSpin; }
    void SetTrackSpin(bool trackSpin) { FTrackSpin = trackSpin; }
    bool PresumeDirectEntry() const { return FPresumeDirectEntry; }
    void SetPresumeDirectEntry(bool presume) { FPresumeDirectEntry = presume; }
    void SetInputEnabled(bool enabled) { FInputEnabled = enabled; }

    // State read by the widget and by tests.
    bool IsBlank() const;
    /// The display text, placeholders included.
    const std::string& Text() const { return FText; }
    /// The text as it is drawn: empty for a blank field (a "- " entry in progress stays).
    std::string VisibleText() const;
    /// The number as shown, without placeholders; empty when blank.
    std::string ValueText() const { return FTextFormat.TextFor(FValue); }
    /// How the field writes its numbers: its decimals and its separator.
    const TSpinTextFormat& TextFormat() const { return FTextFormat; }
    /// 1-based position of the marked (increment) digit in Text(); it may lie right of the
    /// end when the program set an increment finer than the last decimal.
    int CaretIndex() const { return FCaretIndex; }
    bool DirectEntry() const { return FDirectEntry; }
    const std::string& EntryBuffer() const { return FEntryBuffer; }

    // Geometry. Without metrics the model works as if no window existed.
    void SetMetrics(TSpinTextMetrics metrics);
    /// Places the text right-aligned against \a textRight, its top at \a textTop.
    void SetTextPosition(int textRight, int textTop);
    /// Where the text stands and the pixel cell of the marked digit.
    const TSpinCaretGeometry& Geometry() const { return FGeometry; }

    // The value operations.
    /// The one path by which the value changes: clamps when \a occasion is in CheckBounds,
    /// then stores, rebuilds the text and reports the change. Values that are no finite
    /// number are ignored; every blank value is stored as FxSpEmptyValue.
    void ApplyValue(FxSpBoundsCheckOccasion occasion, double value);
    void UpdateText();
    void PlaceIncrementDigit();
    void SetIncExponent(int exponent);
    void TruncateToIncrement();
    void UpClick();
    void DownClick();

    // Entry, one call per user action.
    void SpinMouseDown(bool leftButton);
    void SpinMouseUp();
    void ArrowUpPressed();
    void ArrowDownPressed();
    void ArrowLeftPressed();
    void ArrowRightPressed();
    void CtrlZeroPressed();
    /// Any key release ends a spin held by the Up or Down key.
    void KeyReleased();
    static constexpr char Escape = '\x1b';
    static constexpr char Backspace = '\b';
    /// A typed character: Escape, Backspace, "-", "." or a digit; others do nothing.
    void TypeCharacter(char character);
    /// A mouse press at client x; only the left button moves the mark.
    void MousePress(int x, bool leftButton);
    void DoubleClick();
    void FocusReceived();
    /// Leaving the field ends direct entry.
    void FocusLost();
    /// One wheel notch in angle units (eighths of a degree): a turn of the mouse wheel.
    static constexpr int WheelNotch = 120;
    /// A turn of the wheel by \a angleDelta, positive away from the user: each whole notch is
    /// one step up or down, clamped and reported as the Up and Down keys' are. The finer turns
    /// of a high-resolution wheel add up until they make a notch.
    void WheelTurned(int angleDelta);

    /// ⌊log10 |x|⌋, at least 1, one more for a negative number.
    static int LeadExponent(double x);
    /// 10 to the power \a exponent, exact for -4..9.
    static double PowerOfTen(int exponent);

private:
    /// The text rebuilt from the value, the mark placed in it, and a redraw.
    void ShowValue();
    void Redraw() const;
    void EndDirectEntry();
    void FireChange();
    void Overtype(char digit);
    void DirectEntryCharacter(char character);
    void ConvertEntryBuffer();

    double FMinValue { 0.0 };
    double FMaxValue { 0.0 };
    double FValue { 0.0 };
    double FIncrement { 1.0 };
    int FIncExponent { 0 };
    TSpinTextFormat FTextFormat; // the decimals and the thousand separator
    bool FPresumeDirectEntry { false };
    bool FReadOnly { false };
    bool FTrackSpin { true };
    bool FChangePending { false };
    bool FInputEnabled { true };
    FxSpBoundsCheckSet FCheckBounds { FxSpAllOccasions };
    std::string FText;
    int FCaretIndex { 1 };
    bool FSpinning { false };
    double FEnterValue { 0.0 };
    std::string FEntryBuffer;
    bool FDirectEntry { false };
    int FWheelRemainder { 0 }; // a part of a notch, turned but not yet stepped
    TSpinCaretGeometry FGeometry;
};

} // namespace wendle
