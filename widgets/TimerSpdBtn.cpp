#include "widgets/TimerSpdBtn.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <qdrawutil.h>

#include <array>

namespace wendle {

namespace {

    // The glyphs are 7 x 5 pixel triangles: per row, how many pixels are black, centred.
    constexpr int GlyphWidth = 7;
    constexpr int GlyphHeight = 5;
    constexpr std::array<int, GlyphHeight> UpRows { 1, 3, 5, 7, 0 };
    constexpr std::array<int, GlyphHeight> DownRows { 0, 7, 5, 3, 1 };

    void DrawGlyph(QPainter& painter, const std::array<int, GlyphHeight>& rows, QPoint origin,
        const QColor& colour)
    {
        for (int row = 0; row < GlyphHeight; ++row) {
            const int count = rows[static_cast<std::size_t>(row)];
            if (count > 0)
                painter.fillRect(
                    origin.x() + (GlyphWidth - count) / 2, origin.y() + row, count, 1, colour);
        }
    }

} // namespace

TTimerSpdBtn::TTimerSpdBtn(TGlyph glyph, QWidget* parent)
    : QWidget(parent)
    , Glyph(glyph)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TTimerSpdBtn::sizeHint() const { return { GlyphWidth + 6, GlyphHeight + 4 }; }

void TTimerSpdBtn::TimerExpired()
{
    if (FRepeatTimer)
        FRepeatTimer->setInterval(RepeatTiming.RepeatIntervalMs);
    // Off the button the repetition pauses; moving back resumes it.
    if (IsDrawnPressed())
        emit Click();
}

void TTimerSpdBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool sunken = IsDrawnPressed();
    const QBrush face = palette().brush(QPalette::Button);
    qDrawWinButton(&painter, rect(), palette(), sunken, &face);
    const int shift = sunken ? 1 : 0;
    const QPoint origin((width() - GlyphWidth) / 2 + shift, (height() - GlyphHeight) / 2 + shift);
    const auto& rows = Glyph == TGlyph::Up ? UpRows : DownRows;
    if (isEnabled()) {
        DrawGlyph(painter, rows, origin, Qt::black);
    } else {
        // Embossed, the way disabled glyphs look on classic buttons.
        DrawGlyph(painter, rows, origin + QPoint(1, 1), palette().color(QPalette::Light));
        DrawGlyph(painter, rows, origin, palette().color(QPalette::Dark));
    }
}

void TTimerSpdBtn::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const Qt::MouseButton button = event->button();
    if (button == Qt::LeftButton) {
        LeftDown = true;
        PointerInside = true;
        update();
    }
    emit MouseDown(button);
    // The first step comes with the press, not with the release.
    emit Click();
    // Only the left button repeats: any other press is never drawn pressed, so it would
    // never step again.
    if (button == Qt::LeftButton && LeftDown) {
        if (!FRepeatTimer) {
            FRepeatTimer = new QTimer(this);
            connect(FRepeatTimer, &QTimer::timeout, this, &TTimerSpdBtn::TimerExpired);
        }
        FRepeatTimer->setInterval(RepeatTiming.InitialDelayMs);
        FRepeatTimer->start();
    }
}

void TTimerSpdBtn::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!LeftDown)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != PointerInside) {
        PointerInside = inside;
        update();
    }
}

void TTimerSpdBtn::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton) {
        LeftDown = false;
        update();
    }
    emit MouseUp(event->button());
    StopRepeat();
}

void TTimerSpdBtn::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            AbandonPress();
        update();
    }
}

void TTimerSpdBtn::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    AbandonPress();
}

void TTimerSpdBtn::StopRepeat()
{
    if (FRepeatTimer)
        FRepeatTimer->stop();
}

void TTimerSpdBtn::AbandonPress()
{
    // A disabled or hidden button gets no release, so the held press ends here.
    StopRepeat();
    if (LeftDown) {
        LeftDown = false;
        emit MouseUp(Qt::LeftButton);
    }
}

} // namespace wendle
