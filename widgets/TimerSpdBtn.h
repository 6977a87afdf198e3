#pragma once

#include "widgets/SpinRepeatTiming.h"

#include <QWidget>

class QTimer;

namespace wendle {

/// A flat spin button with a triangle glyph that steps once on a press and then repeats
/// while the left mouse button holds it, at the pace of a TSpinRepeatTiming. It takes no
/// focus; the field it belongs to does.
class TTimerSpdBtn : public QWidget {
    Q_OBJECT

public:
    enum class TGlyph { Up, Down };

    TTimerSpdBtn(TGlyph glyph, QWidget* parent);

    void SetRepeatTiming(const TSpinRepeatTiming& timing) { RepeatTiming = timing; }

    /// The left button holds it and the pointer is over it.
    bool IsDrawnPressed() const { return LeftDown && PointerInside; }
    /// The repeat timer, created on the first press; null before.
    QTimer* RepeatTimer() const { return FRepeatTimer; }
    /// The repeat timer's handler: one more step while the button is drawn pressed. Tests
    /// call it to step through a held press without waiting.
    void TimerExpired();

    QSize sizeHint() const override;

signals:
    /// One step: on the press, and at every repeat while held.
    void Click();
    /// A mouse button went down on the button.
    void MouseDown(Qt::MouseButton button);
    /// A mouse button came up, or the held press ended because the button was disabled or
    /// hidden. A release never steps.
    void MouseUp(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void StopRepeat();
    void AbandonPress();

    const TGlyph Glyph;
    TSpinRepeatTiming RepeatTiming;
    QTimer* FRepeatTimer { nullptr }; // owned through Qt's parent (this button)
    bool LeftDown { false }; // the left mouse button went down here and is still held
    bool PointerInside { false };
};

} // namespace wendle
