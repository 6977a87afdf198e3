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

#include <tuple>

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
    }

    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowActive(&window)); }

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

    QWidget window;
    TFxPSpinEdit* edit { new TFxPSpinEdit(&window) }; // owned by the window
    QPushButton* other { new QPushButton(QStringLiteral("Other"), &window) };
    std::unique_ptr<QSignalSpy> changes;
};

// The field sizes itself for the longer bound's text, so every value shows whole and Left
// from the units reaches the leading digit.
TEST_F(FxPSpinEditTest, AutoSizeFitsTheLongerBoundsTextAndLeftReachesItsLeadingDigit)
{
    const QFontMetrics metrics(edit->font());
    const int height = (metrics.height() + metrics.height() / 3) | 1;
    edit->resize(77, 40);
    edit->SetAutoSize(true);
    EXPECT_EQ(edit->size(), QSize(77, height)) << "equal bounds keep the width";
    const std::tuple<double, double, int, const char*, int> cases[] = { { 2, 16, 1, "16.0", 1 },
        { 1, 999, 0, "999", 2 }, { -10, 100, 0, "-10", 1 }, { 16, 2000, 2, "2000.00", 3 } };
    for (const auto& [min, max, decimals, longer, exponent] : cases) {
        SCOPED_TRACE(longer);
        Configure(min, max, decimals, min);
        EXPECT_EQ(edit->size(), QSize(metrics.horizontalAdvance(longer) + height, height));
        edit->SetIncrement(1);
        for (int press = 0; press < exponent; ++press)
            QTest::keyClick(edit, Qt::Key_Left);
        EXPECT_EQ(edit->IncExponent(), exponent);
    }
}

// Keys: ^ v < the arrows, E Esc, B Backspace, Z Ctrl+0, C Ctrl+5, "," the keypad's decimal
// key, [ and ] the press and release of a held Up key and h one of its repeats (a release and a
// press flagged as such); O makes the field read-only, T turns TrackSpin off; any other
// character is typed as it is.
TEST_F(FxPSpinEditTest, KeysReachTheFieldAndChangesAreSignalledOnce)
{
    const std::map<char, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys {
        { '^', { Qt::Key_Up, {} } }, { 'v', { Qt::Key_Down, {} } }, { '<', { Qt::Key_Left, {} } },
        { 'E', { Qt::Key_Escape, {} } }, { 'B', { Qt::Key_Backspace, {} } },
        { 'Z', { Qt::Key_0, Qt::ControlModifier } }, { 'C', { Qt::Key_5, Qt::ControlModifier } },
        { ',', { Qt::Key_Comma, Qt::KeypadModifier } }
    };
    const std::tuple<double, double, double, const char*, double, int> cases[]
        = { { 2, 16, 6, "^vv", 5, 3 }, { 0, 0, Blank, "3,5B", 3, 3 }, { 0, 0, 6, "a/:+ C", 6, 0 },
              { 2, 16, 6, "EE", 6, 2 }, { 0, 0, 123.45, "<Z", 120, 1 }, { 0, 0, 6, "O^E9", 6, 0 },
              { 0, 100, 10, "T[hhhh]", 15, 1 }, { 0, 100, 10, "[hhhh]", 15, 5 } };
    for (const auto& [min, max, start, script, value, signalled] : cases) {
        SCOPED_TRACE(script);
        edit->SetReadOnly(false);
        edit->SetTrackSpin(true);
        edit->SetIncrement(1);
        Configure(min, max, 1, start);
        for (const char key : std::string(script)) {
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
        EXPECT_EQ(edit->Value(), value);
        EXPECT_EQ(changes->count(), signalled);
        EXPECT_TRUE(edit->hasFocus()) << "no key moves the focus away";
    }
}

TEST_F(FxPSpinEditTest, ClickMarksTheDigitAndDoubleClickZeroesRightOfIt)
{
    Configure(0, 0, 2, 123.45); // "123.45"
    const QFontMetrics metrics(edit->font());
    const auto at = [&](const char* left) {
        return QPoint(1 + edit->Model().TextLeft() + metrics.horizontalAdvance(left) + 2, 11);
    };
    other->setFocus();
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, at("123.4"));
    EXPECT_EQ(edit->IncExponent(), -2);
    EXPECT_TRUE(edit->hasFocus()) << "a click takes the focus";
    // A real double-click is a click, then a second press that arrives as the double-click.
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, at("1"));
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, at("1"));
    EXPECT_EQ(edit->Value(), 120);
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(FxPSpinEditTest, SpinButtonsStepOnThePressAndHoldBackChangesWithoutTrackSpin)
{
    TTimerSpdBtn* up = edit->UpButton();
    for (const bool track : { true, false }) {
        SCOPED_TRACE(track);
        Configure(0, 100, 0, 10);
        edit->SetTrackSpin(track);
        other->setFocus();
        QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
        EXPECT_EQ(edit->Value(), 11) << "the first step comes with the press";
        EXPECT_TRUE(edit->hasFocus()) << "a spin takes the focus";
        for (int expiry = 0; expiry < 4; ++expiry)
            up->TimerExpired();
        EXPECT_EQ(changes->count(), track ? 5 : 0);
        QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
        EXPECT_EQ(edit->Value(), 15) << "the release never steps";
        EXPECT_EQ(changes->count(), track ? 5 : 1);
        EXPECT_FALSE(up->RepeatTimer()->isActive());
    }
    QTest::mouseClick(edit->DownButton(), Qt::LeftButton);
    EXPECT_EQ(edit->Value(), 14);
    // A change held back while the button is held is delivered when the field is disabled.
    Configure(0, 100, 0, 10);
    edit->SetTrackSpin(false);
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    up->TimerExpired();
    edit->setEnabled(false);
    EXPECT_EQ(edit->Value(), 12);
    EXPECT_EQ(changes->count(), 1);
    EXPECT_FALSE(up->RepeatTimer()->isActive());
    QTest::mouseRelease(other, Qt::LeftButton);
    edit->setEnabled(true);
}

TEST_F(FxPSpinEditTest, HeldButtonRepeatsAfterTheInitialDelayAtTheRepeatInterval)
{
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

TEST_F(FxPSpinEditTest, AccessibleSpinBoxReadsTheShownTextTakesValuesAndSteps)
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
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(edit->Value(), 15.5);
    EXPECT_EQ(changes->count(), 2);
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
