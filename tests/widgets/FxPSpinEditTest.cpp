#include "FxPSpinEdit.h"

#include "AccessibilityRecorder.h"
#include "BlankValue.h"
#include "TimerSpdBtn.h"

#include <QAccessibleValueInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

using namespace wendle;

namespace {

constexpr double Blank = FxSpEmptyValue;

// A shown, active window holding one spin field and a button that can take the focus away,
// so that key and mouse events travel the way they do in the program. The arithmetic behind
// the events is the value model's and is tested there; these tests check the wiring.
class FxPSpinEditTest : public ::testing::Test {
protected:
    FxPSpinEditTest()
    {
        window.resize(320, 120);
        edit->setGeometry(10, 10, 140, 23);
        edit->SetRepeatTiming({ 600000, 600000 }); // a held button repeats only when told
        other->setGeometry(10, 60, 80, 25);
        window.show();
        window.activateWindow();
        windowActive = QTest::qWaitForWindowActive(&window);
    }

    // The owner's settings come first; the signals are counted from then on. The focus
    // arrives afresh, so that the field remembers its value for Esc.
    void Configure(double minValue, double maxValue, int decimals, double value)
    {
        edit->SetDecimals(decimals);
        edit->SetMaxValue(maxValue);
        edit->SetMinValue(minValue);
        edit->SetValue(value);
        changes = std::make_unique<QSignalSpy>(edit, &TFxPSpinEdit::OnChange);
        other->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
    }

    // Pixels of \a colour in \a area of the field as it is drawn now.
    int Count(const QRect& area, const QColor& colour) const
    {
        QCoreApplication::processEvents();
        const QImage image = edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixel(x, y) == colour.rgb() ? 1 : 0;
        }
        return count;
    }

    QWidget window;
    TFxPSpinEdit* edit { new TFxPSpinEdit(&window) }; // owned by the window
    QPushButton* other { new QPushButton(QStringLiteral("Other"), &window) };
    bool windowActive { false };
    std::unique_ptr<QSignalSpy> changes;
};

// The field sizes itself for the longer bound's text, so every value shows whole.
TEST_F(FxPSpinEditTest, AutoSizeFitsTheLongerBoundsText)
{
    const QFontMetrics metrics(edit->font());
    const int height = (metrics.height() + metrics.height() / 3) | 1;
    edit->resize(77, 40);
    edit->SetAutoSize(true);
    EXPECT_EQ(edit->size(), QSize(77, height)) << "equal bounds keep the width";
    Configure(-10, 100, 0, 5);
    EXPECT_EQ(edit->size(), QSize(metrics.horizontalAdvance("-10") + height, height));
    Configure(16, 2000, 2, 16);
    EXPECT_EQ(edit->width(), metrics.horizontalAdvance("2000.00") + height);
}

// Keys: ^ v < the arrows, E Esc, B Backspace, Z Ctrl+0, C Ctrl+5, "," the keypad's decimal
// key, [ and ] the press and release of a held Up key and h one of its repeats (a release and a
// press flagged as such); O makes the field read-only, T turns TrackSpin off; any other
// character is typed as it is.
TEST_F(FxPSpinEditTest, KeysReachTheFieldAndChangesAreSignalledOnce)
{
    ASSERT_TRUE(windowActive);
    const std::map<char, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys {
        { '^', { Qt::Key_Up, {} } }, { 'v', { Qt::Key_Down, {} } }, { '<', { Qt::Key_Left, {} } },
        { 'E', { Qt::Key_Escape, {} } }, { 'B', { Qt::Key_Backspace, {} } },
        { 'Z', { Qt::Key_0, Qt::ControlModifier } }, { 'C', { Qt::Key_5, Qt::ControlModifier } },
        { ',', { Qt::Key_Comma, Qt::KeypadModifier } }
    };
    const struct {
        double min, max, start;
        const char* keys;
        double value;
        int changes;
    } cases[]
        = { { 2, 16, 6, "^vv", 5, 3 }, { 0, 0, Blank, "3,5B", 3, 3 }, { 0, 0, 6, "a/:+ C", 6, 0 },
              { 2, 16, 6, "EE", 6, 2 }, { 0, 0, 123.45, "<Z", 120, 1 }, { 0, 0, 6, "O^E9", 6, 0 },
              { 0, 100, 10, "T[hhhh]", 15, 1 }, { 0, 100, 10, "[hhhh]", 15, 5 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        edit->SetReadOnly(false);
        edit->SetTrackSpin(true);
        edit->SetIncrement(1);
        Configure(c.min, c.max, 1, c.start);
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
        EXPECT_EQ(changes->count(), c.changes);
        EXPECT_TRUE(edit->hasFocus()) << "no key moves the focus away";
    }
}

TEST_F(FxPSpinEditTest, ClickMarksTheDigitAndDoubleClickZeroesRightOfIt)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 2, 123.45); // "123.45"
    const QFontMetrics metrics(edit->font());
    const auto at = [&](const char* left) {
        return QPoint(1 + edit->Model().TextLeft() + metrics.horizontalAdvance(left) + 2, 11);
    };
    const std::pair<const char*, int> clicks[] = { { "", 2 }, { "123.", -1 }, { "123.4", -2 } };
    for (const auto& [left, exponent] : clicks) {
        other->setFocus();
        QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, at(left));
        EXPECT_EQ(edit->IncExponent(), exponent) << left;
        EXPECT_TRUE(edit->hasFocus()) << "a click takes the focus";
    }
    // A real double-click is a click, then a second press that arrives as the double-click.
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, at("1"));
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, at("1"));
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
        { false, Qt::RightButton, 4, 11, 1, 1 } };
    TTimerSpdBtn* up = edit->UpButton();
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.track << " " << c.button);
        Configure(0, 100, 0, 10);
        edit->SetTrackSpin(c.track);
        other->setFocus();
        QTest::mousePress(up, c.button, Qt::NoModifier, up->rect().center());
        EXPECT_EQ(edit->Value(), 11) << "the first step comes with the press";
        EXPECT_TRUE(edit->hasFocus()) << "a spin takes the focus";
        for (int expiry = 0; expiry < c.expiries; ++expiry)
            up->TimerExpired();
        EXPECT_EQ(changes->count(), c.during);
        QTest::mouseRelease(up, c.button, Qt::NoModifier, up->rect().center());
        EXPECT_EQ(edit->Value(), c.value) << "the release never steps";
        EXPECT_EQ(changes->count(), c.after);
        EXPECT_FALSE(up->RepeatTimer() && up->RepeatTimer()->isActive());
    }
    QTest::mouseClick(edit->DownButton(), Qt::LeftButton);
    EXPECT_EQ(edit->Value(), 10);
    // A held button pauses while the pointer is off it and ends when the field is disabled.
    Configure(0, 100, 0, 10);
    edit->SetTrackSpin(false);
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    QTest::mouseMove(up, QPoint(-20, 40));
    up->TimerExpired();
    EXPECT_EQ(edit->Value(), 11) << "paused off the button";
    QTest::mouseMove(up, up->rect().center());
    up->TimerExpired();
    EXPECT_EQ(edit->Value(), 12) << "resumed back on it";
    edit->setEnabled(false);
    EXPECT_FALSE(edit->DownButton()->isEnabled());
    EXPECT_EQ(changes->count(), 1) << "the held-back change is delivered";
    EXPECT_FALSE(up->RepeatTimer()->isActive());
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
    EXPECT_GT(Count(cell, blue), cell.width() * cell.height() / 3);
    EXPECT_EQ(Count(band, blue), Count(cell, blue)) << "blue only in the cell";
    EXPECT_GT(Count(cell, Qt::white), 0) << "the marked digit is white";
    other->setFocus();
    EXPECT_EQ(Count(band, blue), 0);
    const QRect underline(cell.left(), cell.bottom(), cell.width() - 1, 1);
    EXPECT_EQ(Count(underline, Qt::black), underline.width());
    edit->SetValue(Blank);
    EXPECT_EQ(Count(band, base), bandArea) << "a blank field shows nothing";

    edit->SetMinValue(-20);
    edit->SetValue(-7);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Left);
    other->setFocus(); // "-_7.0": a hollow square between the sign and the 7
    const TSpinTextMetrics& m = edit->Model().Metrics();
    const int x = 1 + edit->Model().TextLeft() + QFontMetrics(font).horizontalAdvance('-');
    const int top = 1 + edit->Model().TextTop();
    const QRect square(QPoint(x + m.CharWidth / 3, top + m.CharHeight / 3),
        QPoint(x + 2 * (m.CharWidth / 3) + 1, top + 2 * (m.CharHeight / 3) + 1));
    EXPECT_EQ(Count(square, Qt::black), 2 * (square.width() + square.height()) - 4);

    edit->SetIncrement(1);
    edit->setEnabled(false);
    EXPECT_GT(Count(band, QColor(192, 192, 192)), bandArea / 2);
    EXPECT_GT(Count(band, QColor(128, 128, 128)), 0) << "grey text";
    EXPECT_EQ(Count(band, Qt::black), 0);
}

TEST_F(FxPSpinEditTest, AccessibleSpinBoxReadsTheShownTextTakesTypedValuesAndSteps)
{
    test::AccessibilityRecorder recorder;
    Configure(2, 16, 1, 6);
    edit->setAccessibleName(QStringLiteral("Stitches across")); // as the main window names it
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::SpinBox);
    EXPECT_EQ(test::ReadAccessible(edit), QStringLiteral("Stitches across"));
    QAccessibleValueInterface* value = accessible->valueInterface();
    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_TRUE(value && actions);
    edit->SetIncrement(0.5);
    value->setCurrentValue(40);
    EXPECT_EQ(edit->Value(), 16) << "clamped like a typed number";
    EXPECT_TRUE(recorder.Saw(edit, QAccessible::ValueChanged));
    edit->SetCheckBounds(1u << fxspbcDirectSet);
    value->setCurrentValue(40);
    value->setCurrentValue(QStringLiteral("no number"));
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(edit->Value(), 39.5) << "the keystroke occasion decides the clamping";
    EXPECT_EQ(changes->count(), 3);
    edit->SetReadOnly(true);
    EXPECT_TRUE(accessible->state().readOnly);
    value->setCurrentValue(3);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(edit->Value(), 39.5) << "a read-only field takes no entry and no step";
    Configure(0, 0, 1, 0);
    edit->SetThousandSeparator(',');
    edit->SetIncrement(1E5); // placeholders are never read out
    for (const auto& [number, text] : { std::pair { 1234.0, "1,234.0" }, { Blank, "" } }) {
        edit->SetValue(number);
        EXPECT_EQ(test::ReadAccessible(edit, QAccessible::Value), QLatin1String(text));
    }
    EXPECT_FALSE(value->currentValue().isValid()) << "blank: no value";
}

} // namespace
