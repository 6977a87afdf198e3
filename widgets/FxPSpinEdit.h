#pragma once

#include "widgets/BlankValue.h"
#include "widgets/SpinRepeatTiming.h"
#include "widgets/SpinValueModel.h"

#include <QFrame>
#include <QSize>

#include <optional>

class QPainter;

namespace wendle {

class TTimerSpdBtn;

/// A self-drawn numeric field with spin buttons, in which every number of the main window is
/// set. It shows one double right-aligned with a fixed number of decimals and marks the
/// increment digit: the spin buttons, the Up and Down keys and each notch of the mouse wheel
/// add or subtract the increment, a click on a digit or Left and Right choose it, a typed
/// digit overwrites it, and typing into a blank field builds a new number as on a calculator
/// (a lone "-" is dropped when that entry ends). Esc blanks the field and, on a blank field,
/// brings back the value it had when it got the focus; a double-click or Ctrl+0 zeroes the
/// digits below the marked one. A blank field's Value() is FxSpEmptyValue.
///
/// When OnChange fires: after the stored value changed, whatever the cause — the program
/// setting Value, a new bound that clamps the value, a spin step, typed entry, Esc, a
/// double-click or Ctrl+0. Never when the new value equals the old one exactly. While a spin
/// is held (spin button or Up/Down key) and TrackSpin is false, it is held back and fires
/// once at the release, if anything changed; one turn of the wheel counts as one such spin.
///
/// Silent initial settings: like any Qt signal, OnChange reaches only receivers connected at
/// the time. An owner applies its initial range, decimals, increment and value first and
/// connects OnChange afterwards; where it must change settings of a connected field without
/// feedback, it wraps them in a QSignalBlocker on the field. Both keep every rule of the
/// field (clamping, text, marked digit) and only keep the notification away.
class TFxPSpinEdit : public QFrame {
    Q_OBJECT

public:
    enum class TBorderStyle { None, Single };

    explicit TFxPSpinEdit(QWidget* parent = nullptr);
    ~TFxPSpinEdit() override;

    double Value() const { return FModel.Value(); }
    /// The value, or nothing while the field is blank.
    std::optional<double> Number() const { return AsNumber(Value()); }
    /// A direct set by the program: clamped to the bounds (fxspbcDirectSet).
    void SetValue(double value);
    double MinValue() const { return FModel.MinValue(); }
    /// A new bound re-applies the value, which may clamp it and fire OnChange.
    void SetMinValue(double value);
    double MaxValue() const { return FModel.MaxValue(); }
    void SetMaxValue(double value);
    int Decimals() const { return FModel.Decimals(); }
    /// Clamped to 0..18.
    void SetDecimals(int decimals);
    double Increment() const { return FModel.Increment(); }
    /// A step adds exactly |increment|; the power of ten at or below it is marked. Zero is
    /// refused (the increment keeps its value). Fires OnSetIncrement.
    void SetIncrement(double increment);
    /// Decimal exponent of the marked digit: 0 units, 1 tens, -1 tenths.
    int IncExponent() const { return FModel.IncExponent(); }
    bool TrackSpin() const { return FModel.TrackSpin(); }
    void SetTrackSpin(bool trackSpin);
    bool ReadOnly() const { return FModel.ReadOnly(); }
    void SetReadOnly(bool readOnly);
    bool PresumeDirectEntry() const { return FModel.PresumeDirectEntry(); }
    void SetPresumeDirectEntry(bool presume);
    bool AutoSize() const { return FAutoSize; }
    /// When on, the field takes the height of its font and the width of its longer bound.
    void SetAutoSize(bool autoSize);
    TBorderStyle BorderStyle() const;
    /// Single is a one-pixel frame in the text colour around the field.
    void SetBorderStyle(TBorderStyle style);
    /// '\0' for none.
    char ThousandSeparator() const { return FModel.ThousandSeparator(); }
    /// Throws std::out_of_range("Invalid thousand separator") for "+", "-" and digits.
    void SetThousandSeparator(char separator);
    FxSpBoundsCheckSet CheckBounds() const { return FModel.CheckBounds(); }
    void SetCheckBounds(FxSpBoundsCheckSet occasions);

    /// Changes the value as a typed entry would (fxspbcKeystroke); used by assistive
    /// technology.
    void ApplyValue(FxSpBoundsCheckOccasion occasion, double value);
    /// One step up or down, as a click on a spin button.
    void UpClick();
    void DownClick();

    /// The pace of a held spin button; FromPlatform() unless set.
    void SetRepeatTiming(const TSpinRepeatTiming& timing);

    /// The value, text and mark as the field holds them.
    const TSpinValueModel& Model() const { return FModel; }
    TTimerSpdBtn* UpButton() const { return FUpButton; }
    TTimerSpdBtn* DownButton() const { return FDownButton; }

    QSize sizeHint() const override;

signals:
    /// The value changed (see the class comment for exactly when).
    void OnChange();
    /// The increment changed: a digit was clicked, Left or Right, typed entry moved the
    /// mark, or the program set Increment.
    void OnSetIncrement();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void MeasureFont();
    void LayoutButtons();
    void ApplyAutoSize();
    QSize AutoSizeFor(int currentWidth) const;
    void SpinMouseDown(Qt::MouseButton button);
    void SpinMouseUp();
    void ValueChanged();
    void DrawValueText(QPainter& painter) const;

    TSpinValueModel FModel;
    TTimerSpdBtn* FUpButton { nullptr }; // owned through Qt's parent
    TTimerSpdBtn* FDownButton { nullptr }; // owned through Qt's parent
    bool FAutoSize { false };
    int FUpButtonLeft { 0 };
};

} // namespace wendle
