#include "widgets/FxPSpinEdit.h"

#include "widgets/FxPSpinEditAccessible.h"
#include "widgets/TimerSpdBtn.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <string>

namespace wendle {

namespace {

    const QColor MarkColour(0, 0, 255);
    const QColor DisabledBandColour(192, 192, 192);
    const QColor DisabledTextColour(128, 128, 128);

    QString Latin1(std::string_view text)
    {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }

    // The characters that typed entry takes; a numeric keypad's "," is its decimal key, and
    // the field's point is "." whatever the locale.
    char EntryCharacter(const QKeyEvent& event)
    {
        if (event.key() == Qt::Key_Escape)
            return TSpinValueModel::Escape;
        if (event.key() == Qt::Key_Backspace)
            return TSpinValueModel::Backspace;
        if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0)
            return '\0';
        const QString text = event.text();
        if (text.size() != 1)
            return '\0';
        const char16_t character = text.front().unicode();
        if ((event.modifiers() & Qt::KeypadModifier) != 0 && character == u',')
            return '.';
        if ((character >= u'0' && character <= u'9') || character == u'.' || character == u'-')
            return static_cast<char>(character);
        return '\0';
    }

} // namespace

TFxPSpinEdit::TFxPSpinEdit(QWidget* parent)
    : QFrame(parent)
{
    TFxPSpinEditAccessible::Install();
    // The field paints its whole area itself. It takes the focus by Tab, and by a press on
    // the text or a spin button only through its own handlers, so that the press has moved
    // the mark before the focus arrives.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    FUpButton = new TTimerSpdBtn(TTimerSpdBtn::TGlyph::Up, this);
    FDownButton = new TTimerSpdBtn(TTimerSpdBtn::TGlyph::Down, this);
    for (TTimerSpdBtn* button : { FUpButton, FDownButton }) {
        button->SetRepeatTiming(TSpinRepeatTiming::FromPlatform());
        connect(button, &TTimerSpdBtn::MouseDown, this, &TFxPSpinEdit::SpinMouseDown);
        connect(button, &TTimerSpdBtn::MouseUp, this, &TFxPSpinEdit::SpinMouseUp);
    }
    connect(FUpButton, &TTimerSpdBtn::Click, this, &TFxPSpinEdit::UpClick);
    connect(FDownButton, &TTimerSpdBtn::Click, this, &TFxPSpinEdit::DownClick);

    FModel.OnChange = [this] { ValueChanged(); };
    FModel.OnSetIncrement = [this] { emit OnSetIncrement(); };
    FModel.OnRedraw = [this] { update(); };

    // A thin border: a one-pixel frame, which lays the buttons out as the contents shrink.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    MeasureFont();
    resize(4 * fontMetrics().height(), AutoSizeFor(0).height());
}

TFxPSpinEdit::~TFxPSpinEdit()
{
    // The buttons outlive this destructor's body (Qt deletes children later), and the model's
    // callbacks point into this widget: nothing may reach it once it goes.
    disconnect(FUpButton, nullptr, this, nullptr);
    disconnect(FDownButton, nullptr, this, nullptr);
    FModel.OnChange = nullptr;
    FModel.OnSetIncrement = nullptr;
    FModel.OnRedraw = nullptr;
}

void TFxPSpinEdit::SetValue(double value) { FModel.SetValue(value); }

void TFxPSpinEdit::SetMinValue(double value)
{
    if (value == FModel.MinValue())
        return;
    FModel.SetMinValue(value);
    ApplyAutoSize();
}

void TFxPSpinEdit::SetMaxValue(double value)
{
    if (value == FModel.MaxValue())
        return;
    FModel.SetMaxValue(value);
    ApplyAutoSize();
}

void TFxPSpinEdit::SetDecimals(int decimals)
{
    FModel.SetDecimals(decimals);
    ApplyAutoSize();
    update();
}

void TFxPSpinEdit::SetIncrement(double increment) { FModel.SetIncrement(increment); }

void TFxPSpinEdit::SetTrackSpin(bool trackSpin) { FModel.SetTrackSpin(trackSpin); }

void TFxPSpinEdit::SetReadOnly(bool readOnly) { FModel.SetReadOnly(readOnly); }

void TFxPSpinEdit::SetPresumeDirectEntry(bool presume) { FModel.SetPresumeDirectEntry(presume); }

void TFxPSpinEdit::SetAutoSize(bool autoSize)
{
    FAutoSize = autoSize;
    ApplyAutoSize();
    updateGeometry();
}

TFxPSpinEdit::TBorderStyle TFxPSpinEdit::BorderStyle() const
{
    return frameShape() == QFrame::NoFrame ? TBorderStyle::None : TBorderStyle::Single;
}

void TFxPSpinEdit::SetBorderStyle(TBorderStyle style)
{
    // The new frame width changes the contents rectangle, which lays the buttons out again.
    setFrameShape(style == TBorderStyle::Single ? QFrame::Box : QFrame::NoFrame);
}

void TFxPSpinEdit::SetThousandSeparator(char separator) { FModel.SetThousandSeparator(separator); }

void TFxPSpinEdit::SetCheckBounds(FxSpBoundsCheckSet occasions)
{
    FModel.SetCheckBounds(occasions);
}

void TFxPSpinEdit::ApplyValue(FxSpBoundsCheckOccasion occasion, double value)
{
    FModel.ApplyValue(occasion, value);
}

void TFxPSpinEdit::UpClick()
{
    // A step takes the focus; Qt does nothing for a field that has it already, so a step never
    // runs the focus arrival again (which would forget the value Esc brings back).
    setFocus(Qt::OtherFocusReason);
    FModel.UpClick();
}

void TFxPSpinEdit::DownClick()
{
    setFocus(Qt::OtherFocusReason);
    FModel.DownClick();
}

void TFxPSpinEdit::SetRepeatTiming(const TSpinRepeatTiming& timing)
{
    FUpButton->SetRepeatTiming(timing);
    FDownButton->SetRepeatTiming(timing);
}

QSize TFxPSpinEdit::sizeHint() const
{
    if (FAutoSize)
        return AutoSizeFor(width());
    return { 4 * fontMetrics().height(), AutoSizeFor(0).height() };
}

void TFxPSpinEdit::MeasureFont()
{
    const QFontMetrics metrics = fontMetrics();
    TSpinTextMetrics textMetrics;
    textMetrics.CharWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    textMetrics.CharHeight = metrics.height();
    textMetrics.TextWidth
        = [this](std::string_view text) { return fontMetrics().horizontalAdvance(Latin1(text)); };
    FModel.SetMetrics(std::move(textMetrics));
    if (FAutoSize)
        ApplyAutoSize();
    LayoutButtons();
}

QSize TFxPSpinEdit::AutoSizeFor(int currentWidth) const
{
    const int charHeight = FModel.Geometry().Metrics().CharHeight;
    int height = charHeight + charHeight / 3;
    if (height % 2 == 0)
        ++height; // an odd height splits evenly between the two buttons and their seam
    int width = currentWidth;
    if (FModel.IsBounded()) {
        // The bound whose text is longer decides, so that every value in range shows whole
        // and the mark can reach each of its digits; ties take the lower bound. Comparing
        // the bounds' leading exponents instead would size 2.0..16.0 for "2.0".
        const std::string minText = FModel.TextFormat().TextFor(FModel.MinValue());
        const std::string maxText = FModel.TextFormat().TextFor(FModel.MaxValue());
        const std::string& longer = maxText.size() > minText.size() ? maxText : minText;
        width = FModel.Geometry().Metrics().TextWidth(longer) + height;
    }
    return { width, height };
}

void TFxPSpinEdit::ApplyAutoSize()
{
    if (!FAutoSize)
        return;
    resize(AutoSizeFor(width()));
    updateGeometry();
}

void TFxPSpinEdit::LayoutButtons()
{
    const QRect client = contentsRect();
    const int clientWidth = client.width();
    const int clientHeight = client.height();
    const int charWidth = FModel.Geometry().Metrics().CharWidth;
    const int buttonWidth = charWidth + charWidth / 2;
    // The buttons reach one pixel past the client area at the right and below; that pixel
    // is cut off, so that they never cover the border.
    const QRect clientArea(0, 0, clientWidth, clientHeight);
    const QRect up(clientWidth - buttonWidth + 1, 0, buttonWidth, clientHeight / 2 + 1);
    const QRect down(clientWidth - buttonWidth + 1, clientHeight / 2 + 1, buttonWidth,
        clientHeight - clientHeight / 2);
    FUpButton->setGeometry(up.intersected(clientArea).translated(client.topLeft()));
    FDownButton->setGeometry(down.intersected(clientArea).translated(client.topLeft()));
    FUpButtonLeft = up.left();
    FModel.SetTextPosition(FUpButtonLeft - charWidth / 2, 1);
    update();
}

void TFxPSpinEdit::SpinMouseDown(Qt::MouseButton button)
{
    FModel.SpinMouseDown(button == Qt::LeftButton);
}

void TFxPSpinEdit::SpinMouseUp() { FModel.SpinMouseUp(); }

void TFxPSpinEdit::ValueChanged()
{
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, FModel.IsBlank() ? QVariant() : QVariant(Value()));
        QAccessible::updateAccessibility(&event);
    }
    emit OnChange();
}

void TFxPSpinEdit::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect client = contentsRect();
    painter.translate(client.topLeft());
    painter.setClipRect(QRect(0, 0, FUpButtonLeft, client.height()));
    if (!FModel.Geometry().CaretValid())
        FModel.PlaceIncrementDigit();
    painter.fillRect(QRect(0, 0, FUpButtonLeft, client.height()), palette().color(QPalette::Base));
    DrawValueText(painter);
}

void TFxPSpinEdit::DrawValueText(QPainter& painter) const
{
    const std::string text = FModel.VisibleText();
    const TSpinTextMetrics& metrics = FModel.Geometry().Metrics();
    const TSpinCellRect cell = FModel.Geometry().CaretRect();
    const bool enabled = isEnabled();
    const QColor bandColour = enabled ? palette().color(QPalette::Base) : DisabledBandColour;
    const QColor textColour = enabled ? palette().color(QPalette::Text) : DisabledTextColour;
    const QFontMetrics fontMetrics = this->fontMetrics();
    const int top = FModel.Geometry().TextTop();
    const int baseline = top + fontMetrics.ascent();

    painter.fillRect(QRect(1, cell.Top, FUpButtonLeft - 1, cell.Bottom + 1 - cell.Top), bandColour);
    painter.setFont(font());

    // A placeholder is a small square outline in the middle of a "0" cell.
    const auto placeholderRect = [&](int x) {
        const int left = x + metrics.CharWidth / 3;
        const int squareTop = top + metrics.CharHeight / 3;
        const int right = x + 2 * (metrics.CharWidth / 3) + 2;
        const int bottom = top + 2 * (metrics.CharHeight / 3) + 2;
        return QRect(left, squareTop, right - left - 1, bottom - squareTop - 1);
    };

    int x = FModel.Geometry().TextLeft();
    std::size_t index = 0;
    while (index < text.size()) {
        if (text[index] == TSpinTextFormat::Placeholder) {
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(placeholderRect(x));
            x += metrics.CharWidth;
            ++index;
            continue;
        }
        const std::size_t end
            = std::min(text.find(TSpinTextFormat::Placeholder, index), text.size());
        const QString run = Latin1(std::string_view(text).substr(index, end - index));
        painter.setPen(textColour);
        painter.drawText(QPoint(x, baseline), run);
        x += fontMetrics.horizontalAdvance(run);
        index = end;
    }

    const QRect cellRect(QPoint(cell.Left, cell.Top), QPoint(cell.Right, cell.Bottom));
    const int caretIndex = FModel.CaretIndex();
    const bool caretInText = caretIndex >= 1 && caretIndex <= static_cast<int>(text.size());
    if (hasFocus()) {
        painter.fillRect(cellRect, MarkColour);
        if (caretInText) {
            const char marked = text[static_cast<std::size_t>(caretIndex - 1)];
            if (marked == TSpinTextFormat::Placeholder) {
                painter.setPen(Qt::black);
                painter.setBrush(MarkColour);
                painter.drawRect(placeholderRect(cell.Left));
            } else {
                painter.setPen(Qt::white);
                painter.drawText(QPoint(cell.Left, baseline), Latin1(std::string_view(&marked, 1)));
            }
        }
    } else if (caretInText) {
        painter.setPen(textColour);
        painter.drawLine(cell.Left, cell.Bottom, cell.Right - 1, cell.Bottom);
    }
}

void TFxPSpinEdit::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    LayoutButtons();
}

void TFxPSpinEdit::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        MeasureFont();
        break;
    case QEvent::ContentsRectChange:
        LayoutButtons();
        break;
    case QEvent::EnabledChange:
        FModel.SetInputEnabled(isEnabled());
        FUpButton->setEnabled(isEnabled());
        FDownButton->setEnabled(isEnabled());
        update();
        break;
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
}

void TFxPSpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (FModel.ReadOnly()) {
        event->accept(); // swallowed: nothing after the field sees it either
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        FModel.ArrowUpPressed();
        event->accept();
        return;
    case Qt::Key_Down:
        FModel.ArrowDownPressed();
        event->accept();
        return;
    case Qt::Key_Left:
        FModel.ArrowLeftPressed();
        event->accept();
        return;
    case Qt::Key_Right:
        FModel.ArrowRightPressed();
        event->accept();
        return;
    default:
        break;
    }
    if (event->key() == Qt::Key_0 && (event->modifiers() & Qt::ControlModifier) != 0) {
        FModel.CtrlZeroPressed();
        event->accept();
        return;
    }
    const char character = EntryCharacter(*event);
    if (character == '\0') {
        QFrame::keyPressEvent(event);
        return;
    }
    FModel.TypeCharacter(character);
    event->accept();
}

void TFxPSpinEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (FModel.ReadOnly()) {
        event->accept();
        return;
    }
    QFrame::keyReleaseEvent(event);
    // A held key repeats as release and press pairs; only the real release ends the spin.
    if (!event->isAutoRepeat())
        FModel.KeyReleased();
}

void TFxPSpinEdit::mousePressEvent(QMouseEvent* event)
{
    QFrame::mousePressEvent(event);
    event->accept();
    const int x = static_cast<int>(event->position().x()) - contentsRect().left();
    FModel.MousePress(x, event->button() == Qt::LeftButton);
    if (hasFocus())
        update();
    else
        setFocus(Qt::OtherFocusReason);
}

void TFxPSpinEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The press that began the double-click has already marked the clicked digit.
    if (event->button() == Qt::LeftButton)
        FModel.DoubleClick();
    mousePressEvent(event);
}

void TFxPSpinEdit::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    FModel.FocusReceived();
    update();
}

void TFxPSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    FModel.FocusLost();
    update();
}

void TFxPSpinEdit::wheelEvent(QWheelEvent* event)
{
    // A sideways wheel is not the field's, nor is any wheel over a read-only one: the window
    // around may use it.
    const int delta = event->angleDelta().y();
    if (delta == 0 || FModel.ReadOnly()) {
        event->ignore();
        return;
    }
    // A spin step takes the focus, as a click on a spin button does.
    setFocus(Qt::OtherFocusReason);
    FModel.WheelTurned(delta);
    event->accept();
}

} // namespace wendle
