#include "FxPSpinEdit.h"

#include "BlankValue.h"
#include "TimerSpdBtn.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>

using namespace wendle;

namespace {

constexpr double Blank = FxSpEmptyValue;

// A shown, active window holding one spin field and a button that can take the focus away,
// so that key and mouse events travel the way they do in the program.
class FxPSpinEditTest : public ::testing::Test {
protected:
    FxPSpinEditTest()
    {
        window.resize(320, 120);
        edit = new TFxPSpinEdit(&window); // owned by the window
        edit->setGeometry(10, 10, 140, 23);
        edit->SetRepeatTiming({ 600000, 600000 }); // a held button repeats only when told
        other = new QPushButton(QStringLiteral("Other"), &window); // owned by the window
        other->setGeometry(10, 60, 80, 25);
        window.show();
        window.activateWindow();
        windowActive = QTest::qWaitForWindowActive(&window);
    }

    // The owner's settings come first; the signals are counted from then on.
    void Configure(double minValue, double maxValue, int decimals, double value)
    {
        edit->SetDecimals(decimals);
        edit->SetMaxValue(maxValue);
        edit->SetMinValue(minValue);
        edit->SetValue(value);
        changes = std::make_unique<QSignalSpy>(edit, &TFxPSpinEdit::OnChange);
    }

    // Gives the field the focus afresh, so that it remembers its value for Esc.
    void FocusField()
    {
        other->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(edit->hasFocus());
    }

    // The field-relative point in the middle of character \a index of the text; -1 is a point
    // left of the number.
    QPoint At(int index) const
    {
        const QFontMetrics metrics(edit->font());
        const QString text = QString::fromStdString(edit->Model().Text());
        const int left = 1 + edit->Model().TextLeft();
        if (index < 0)
            return { left - 3, edit->height() / 2 };
        return { left + metrics.horizontalAdvance(text.left(index))
                + metrics.horizontalAdvance(text[index]) / 2,
            edit->height() / 2 };
    }

    static int Count(const QImage& image, const QRect& area, const QColor& colour)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixel(x, y) == colour.rgb() ? 1 : 0;
        }
        return count;
    }

    QImage Grab() const
    {
        QCoreApplication::processEvents();
        return edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QWidget window;
    TFxPSpinEdit* edit { nullptr };
    QPushButton* other { nullptr };
    bool windowActive { false };
    std::unique_ptr<QSignalSpy> changes;
};

// The field sizes itself for the longer bound's text, so every value shows whole and Left can
// move the mark to the leading digits (a mark cell at the field's left edge stops it).
TEST_F(FxPSpinEditTest, AutoSizeFitsTheLongerBoundsTextAndLeftReachesItsLeadingDigit)
{
    ASSERT_TRUE(windowActive);
    const QFontMetrics metrics(edit->font());
    int height = metrics.height() + metrics.height() / 3;
    height += height % 2 == 0 ? 1 : 0;
    edit->resize(77, 40);
    edit->SetAutoSize(true);
    EXPECT_EQ(edit->size(), QSize(77, height)) << "equal bounds keep the width";
    const struct {
        double min, max;
        int decimals;
        const char* longer;
        double value;
        int lefts, exponent;
    } cases[] = { { 2, 16, 1, "16.0", 16, 1, 1 }, { 2, 16, 1, "16.0", 12.5, 1, 1 },
        { -5, 5, 2, "-5.00", -5, 0, 0 }, { 1, 999, 0, "999", 1, 2, 2 },
        { 1, 999, 0, "999", 999, 2, 2 }, { -10, 100, 0, "-10", -10, 0, 0 },
        { 16, 2000, 0, "2000", 2000, 3, 3 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.longer << " at " << c.value);
        Configure(c.min, c.max, c.decimals, c.value);
        EXPECT_EQ(edit->size(), QSize(metrics.horizontalAdvance(c.longer) + height, height));
        EXPECT_EQ(edit->sizeHint(), edit->size());
        edit->SetIncrement(1);
        FocusField();
        for (int press = 0; press < c.lefts; ++press)
            QTest::keyClick(edit, Qt::Key_Left);
        EXPECT_EQ(edit->IncExponent(), c.exponent);
        EXPECT_GE(edit->Model().TextLeft(), 0) << "the first digit is in view";
    }
    edit->SetDecimals(2);
    EXPECT_EQ(edit->width(), metrics.horizontalAdvance("2000.00") + height);
}

// Keys: ^ v < > the arrows, E Esc, B Backspace, Z Ctrl+0, C Ctrl+5, "," the keypad's decimal
// key, [ and ] the press and release of a held Up key and h one of its repeats (a release and a
// press flagged as such); O makes the field read-only, T turns TrackSpin off; any other
// character is typed as it is.
TEST_F(FxPSpinEditTest, KeysReachTheFieldAndChangesAreSignalledOnce)
{
    ASSERT_TRUE(windowActive);
    const std::map<char, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys {
        { '^', { Qt::Key_Up, Qt::NoModifier } }, { 'v', { Qt::Key_Down, Qt::NoModifier } },
        { '<', { Qt::Key_Left, Qt::NoModifier } }, { '>', { Qt::Key_Right, Qt::NoModifier } },
        { 'E', { Qt::Key_Escape, Qt::NoModifier } }, { 'B', { Qt::Key_Backspace, Qt::NoModifier } },
        { 'Z', { Qt::Key_0, Qt::ControlModifier } }, { 'C', { Qt::Key_5, Qt::ControlModifier } },
        { ',', { Qt::Key_Comma, Qt::KeypadModifier } }
    };
    const struct {
        double min, max;
        int decimals;
        double start;
        const char* keys;
        double value;
        int exponent, changes;
    } cases[] = { { 2, 16, 1, 6, "^vv", 5, 0, 3 }, { 2, 16, 1, 6, ">><<<<", 6, 2, 0 },
        { 0, 0, 1, Blank, "12.5", 12.5, -1, 3 }, { 0, 0, 1, Blank, "12.5BBBB", Blank, 0, 6 },
        { 0, 0, 1, Blank, "3,5", 3.5, -1, 2 }, { 0, 0, 1, 12.5, "73", 17.3, -1, 2 },
        { 0, 0, 1, 6, "a/:+ C", 6, 0, 0 }, { 0, 0, 1, Blank, "a/:+ C", Blank, 0, 0 },
        { 2, 16, 1, 6, "EE", 6, 0, 2 }, { 0, 0, 2, 123.45, "<Z", 120, 1, 1 },
        { 0, 0, 1, 6, "O^<E9", 6, 0, 0 }, { 0, 100, 0, 10, "T[hhhh", 15, 0, 0 },
        { 0, 100, 0, 10, "T[hhhh]", 15, 0, 1 }, { 0, 100, 0, 10, "[hhhh]", 15, 0, 5 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        edit->SetReadOnly(false);
        edit->SetTrackSpin(true);
        edit->SetIncrement(1);
        Configure(c.min, c.max, c.decimals, c.start);
        FocusField();
        for (const char key : std::string(c.keys)) {
            const auto special = keys.find(key);
            if (key == 'O' || key == 'T') {
                key == 'O' ? edit->SetReadOnly(true) : edit->SetTrackSpin(false);
            } else if (key == '[' || key == ']') {
                QTest::sendKeyEvent(key == '[' ? QTest::Press : QTest::Release, edit, Qt::Key_Up,
                    QString(), Qt::NoModifier);
            } else if (key == 'h') {
                for (const auto type : { QEvent::KeyRelease, QEvent::KeyPress }) {
                    QKeyEvent repeat(type, Qt::Key_Up, Qt::NoModifier, QString(), true);
                    QApplication::sendEvent(edit, &repeat);
                }
            } else if (special != keys.end()) {
                QTest::keyClick(edit, special->second.first, special->second.second);
            } else {
                QTest::keyClick(edit, key);
            }
        }
        EXPECT_EQ(edit->Value(), c.value);
        EXPECT_EQ(edit->IncExponent(), c.exponent);
        EXPECT_EQ(changes->count(), c.changes);
        EXPECT_TRUE(edit->hasFocus()) << "no key moves the focus away";
    }
}

TEST_F(FxPSpinEditTest, ClickMarksTheDigitAndDoubleClickZeroesRightOfIt)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 2, 123.45);
    const std::pair<int, int> clicks[] = { { 0, 2 }, { 3, 0 }, { 5, -2 }, { -1, 3 } };
    for (const auto& [index, exponent] : clicks) {
        other->setFocus();
        QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, At(index));
        EXPECT_EQ(edit->IncExponent(), exponent) << index;
        EXPECT_TRUE(edit->hasFocus()) << "a click takes the focus";
    }
    EXPECT_EQ(changes->count(), 0);
    edit->SetIncrement(1);
    // A real double-click is a click, then a second press that arrives as the double-click.
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, At(1));
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, At(1));
    EXPECT_EQ(edit->Value(), 120);
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(FxPSpinEditTest, SpinButtonsStepOnThePressAndHoldBackChangesWithoutTrackSpin)
{
    ASSERT_TRUE(windowActive);
    const struct {
        bool track;
        Qt::MouseButton button;
        int expiries;
        double value;
        int during, after;
    } cases[] = { { true, Qt::LeftButton, 4, 15, 5, 5 }, { false, Qt::LeftButton, 4, 15, 0, 1 },
        { false, Qt::LeftButton, 0, 11, 0, 1 }, { false, Qt::RightButton, 4, 11, 1, 1 } };
    TTimerSpdBtn* up = edit->UpButton();
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.track << " " << c.button << " " << c.expiries);
        Configure(0, 100, 0, 10);
        edit->SetTrackSpin(c.track);
        other->setFocus();
        QTest::mousePress(up, c.button, Qt::NoModifier, up->rect().center());
        EXPECT_EQ(edit->Value(), 11) << "the first step comes with the press";
        EXPECT_TRUE(edit->hasFocus()) << "a spin takes the focus";
        for (int expiry = 0; expiry < c.expiries; ++expiry)
            up->TimerExpired();
        EXPECT_EQ(edit->Value(), c.value);
        EXPECT_EQ(changes->count(), c.during);
        QTest::mouseRelease(up, c.button, Qt::NoModifier, up->rect().center());
        EXPECT_EQ(edit->Value(), c.value) << "the release never steps";
        EXPECT_EQ(changes->count(), c.after);
        EXPECT_FALSE(up->RepeatTimer() && up->RepeatTimer()->isActive());
    }
    QTest::mouseClick(edit->DownButton(), Qt::LeftButton);
    EXPECT_EQ(edit->Value(), 10);
}

TEST_F(FxPSpinEditTest, HeldButtonPausesOffItAndEndsWhenDisabled)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 100, 0, 10);
    edit->SetTrackSpin(false);
    TTimerSpdBtn* up = edit->UpButton();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    QTest::mouseMove(up, QPoint(-20, 40));
    up->TimerExpired();
    EXPECT_EQ(edit->Value(), 11) << "paused off the button";
    QTest::mouseMove(up, up->rect().center());
    up->TimerExpired();
    EXPECT_EQ(edit->Value(), 12) << "resumed back on it";
    edit->setEnabled(false);
    EXPECT_FALSE(up->isEnabled());
    EXPECT_FALSE(edit->DownButton()->isEnabled());
    EXPECT_EQ(changes->count(), 1) << "the held-back change is delivered";
    EXPECT_FALSE(up->RepeatTimer()->isActive());
    EXPECT_FALSE(edit->Model().InputEnabled());
    QTest::mouseRelease(other, Qt::LeftButton);
    edit->setEnabled(true);
    EXPECT_TRUE(up->isEnabled());
    EXPECT_TRUE(edit->Model().InputEnabled());
}

TEST_F(FxPSpinEditTest, HeldButtonRepeatsAfterTheInitialDelayAtTheRepeatInterval)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 1000, 0, 10);
    edit->SetRepeatTiming({ 30, 5 });
    TTimerSpdBtn* up = edit->UpButton();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_EQ(up->RepeatTimer()->interval(), 30);
    EXPECT_TRUE(QTest::qWaitFor([&] { return edit->Value() >= 15; }, 5000));
    EXPECT_EQ(up->RepeatTimer()->interval(), 5);
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_FALSE(up->RepeatTimer()->isActive()) << "nothing steps after the release";
}

TEST_F(FxPSpinEditTest, MarkPlaceholdersAndDisabledLook)
{
    ASSERT_TRUE(windowActive);
    const QColor blue(0, 0, 255), base = edit->palette().color(QPalette::Base);
    QFont font = edit->font();
    font.setPixelSize(16); // "0" wider than 8 pixels, so that its thirds and quarters differ
    edit->setFont(font);
    Configure(2, 16, 1, 12.5);
    const TSpinCellRect c = edit->Model().CaretRect();
    const QRect cell = QRect(QPoint(c.Left, c.Top), QPoint(c.Right, c.Bottom)).translated(1, 1);
    const QRect band(2, cell.top(), edit->UpButton()->x() - 2, cell.height());
    const int bandArea = band.width() * band.height();
    FocusField();
    QImage image = Grab();
    EXPECT_GT(Count(image, cell, blue), cell.width() * cell.height() / 3);
    EXPECT_EQ(Count(image, band, blue), Count(image, cell, blue)) << "blue only in the cell";
    EXPECT_GT(Count(image, cell, Qt::white), 0) << "the marked digit is white";
    other->setFocus();
    image = Grab();
    EXPECT_EQ(Count(image, image.rect(), blue), 0);
    const QRect underline(cell.left(), cell.bottom(), cell.width() - 1, 1);
    EXPECT_EQ(Count(image, underline, Qt::black), underline.width());

    edit->SetValue(Blank);
    EXPECT_EQ(Count(Grab(), band, base), bandArea) << "a blank field shows nothing";
    FocusField();
    image = Grab();
    EXPECT_GT(Count(image, band, blue), 0);
    EXPECT_EQ(Count(image, band, blue) + Count(image, band, base), bandArea) << "only the cell";

    edit->SetMinValue(-20);
    edit->SetValue(-7);
    QTest::keyClick(edit, Qt::Key_Left);
    other->setFocus(); // "-_7.0": a hollow square between the sign and the 7
    const TSpinTextMetrics& m = edit->Model().Metrics();
    const int x = 1 + edit->Model().TextLeft() + QFontMetrics(edit->font()).horizontalAdvance('-');
    const int top = 1 + edit->Model().TextTop();
    const QRect square(QPoint(x + m.CharWidth / 3, top + m.CharHeight / 3),
        QPoint(x + 2 * (m.CharWidth / 3) + 1, top + 2 * (m.CharHeight / 3) + 1));
    EXPECT_EQ(Count(Grab(), square, Qt::black), 2 * (square.width() + square.height()) - 4);

    edit->SetIncrement(1);
    edit->setEnabled(false);
    image = Grab();
    EXPECT_GT(Count(image, band, QColor(192, 192, 192)), bandArea / 2);
    EXPECT_GT(Count(image, band, QColor(128, 128, 128)), 0) << "grey text";
    EXPECT_EQ(Count(image, band, Qt::black), 0);
}

TEST_F(FxPSpinEditTest, AccessibleSpinBoxIsNamedByItsCaptionAndReadsTheShownText)
{
    Configure(0, 0, 1, 0);
    edit->setAccessibleName(QStringLiteral("Stitches across")); // as the main window names it
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::SpinBox);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Stitches across"));
    edit->SetThousandSeparator(',');
    edit->SetIncrement(1E5); // placeholders are never read out
    const std::pair<double, const char*> shown[]
        = { { 7.5, "7.5" }, { 1234, "1,234.0" }, { Blank, "" } };
    for (const auto& [value, text] : shown) {
        edit->SetValue(value);
        EXPECT_EQ(accessible->text(QAccessible::Value), QLatin1String(text));
    }
    EXPECT_FALSE(accessible->valueInterface()->currentValue().isValid()) << "blank: no value";
}

TEST_F(FxPSpinEditTest, AccessibleValueIsTypedAndActionsStep)
{
    ASSERT_TRUE(windowActive);
    Configure(2, 16, 1, 6);
    edit->SetIncrement(0.5);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    QAccessibleValueInterface* value = accessible->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toDouble(), 6.0);
    EXPECT_EQ(value->minimumValue().toDouble(), 2.0);
    EXPECT_EQ(value->maximumValue().toDouble(), 16.0);
    EXPECT_EQ(value->minimumStepSize().toDouble(), 0.5);
    value->setCurrentValue(40);
    EXPECT_EQ(edit->Value(), 16) << "clamped like a typed number";
    edit->SetCheckBounds(1u << fxspbcDirectSet);
    value->setCurrentValue(40);
    EXPECT_EQ(edit->Value(), 40) << "the keystroke occasion decides the clamping";
    value->setCurrentValue(QStringLiteral("no number"));
    EXPECT_EQ(changes->count(), 2);

    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(edit->Value(), 39.5);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(edit->Value(), 40);
    edit->SetReadOnly(true);
    EXPECT_TRUE(accessible->state().readOnly);
    value->setCurrentValue(3);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(edit->Value(), 40) << "a read-only field takes no entry and no step";
    edit->SetReadOnly(false);
    edit->setEnabled(false);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(edit->Value(), 40) << "a disabled field does not step";
    Configure(0, 0, 1, 6);
    EXPECT_EQ(value->minimumValue().toDouble(), std::numeric_limits<double>::lowest());
    EXPECT_EQ(value->maximumValue().toDouble(), std::numeric_limits<double>::max());
}

} // namespace
