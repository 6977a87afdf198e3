#include "widgets/FxPSpinEdit.h"
#include "tests/support/AccessibilityRecorder.h"
#include "widgets/BlankValue.h"
#include "widgets/TimerSpdBtn.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

using namespace wendle;

namespace {

// A shown, active window holding one spin field and a button that can take the focus away,
// so that key and mouse events travel the way they do in the program. The arithmetic behind
// the events is the value model's and is tested there; these tests check the wiring.
class FxPSpinEditTest : public ::testing::Test {
protected:
    FxPSpinEditTest()
    {
        edit->setGeometry(10, 10, 140, 23);
        edit->SetRepeatTiming({ 600000, 600000 }); // a held button repeats only when told
        window.show();
        window.activateWindow();
    }

    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowActive(&window)); }

    // The owner's settings come first; the signals are counted from then on. The focus
    // arrives afresh, so that the field remembers its value for Esc.
    void Configure(double minValue, double maxValue, int decimals, double value)
    {
        edit->setEnabled(true), edit->SetReadOnly(false), edit->SetTrackSpin(true);
        edit->SetIncrement(1), edit->SetDecimals(decimals);
        edit->SetMaxValue(maxValue), edit->SetMinValue(minValue), edit->SetValue(value);
        changes = std::make_unique<QSignalSpy>(edit, &TFxPSpinEdit::OnChange);
        other->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
    }

    QWidget window;
    TFxPSpinEdit* edit { new TFxPSpinEdit(&window) }; // owned by the window
    QPushButton* other { new QPushButton(QStringLiteral("Other"), &window) };
    std::unique_ptr<QSignalSpy> changes;
};

// One user action per word. A key's name (Up, Esc, Backspace, Ctrl+0, Num+5 on the keypad)
// presses it; other words are typed. Mouse: Click and DoubleClick on the leading digit; Press and
// Release the left button on the up button, Off and Back the pointer leaving it and coming back,
// Timer its repeat timer expiring; DownButton a click on the down button; HalfNotch half a wheel
// notch over the field. Assistive technology: Set40 and Decrease. Other gives the focus to the
// other button; ReadOnly, NoTrack and Disable set the field.
TEST_F(FxPSpinEditTest, KeysClicksSpinButtonsAndAssistiveTechnologyReachTheField)
{
    test::AccessibilityRecorder recorder;
    TTimerSpdBtn* up = edit->UpButton();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    ASSERT_TRUE(accessible && accessible->valueInterface() && accessible->actionInterface());
    QAccessibleValueInterface* value = accessible->valueInterface();
    QAccessibleActionInterface* steps = accessible->actionInterface();
    const auto mouse = [up](QTest::MouseAction action, QPoint at = {}) {
        return [=] { QTest::mouseEvent(action, up, Qt::LeftButton, {}, at); };
    };
    // Two pixels into the leading digit, whose cell starts at the text's left.
    const auto leading = [this] { return QPoint(edit->Model().Geometry().TextLeft() + 3, 11); };
    QWheelEvent halfNotch({}, {}, {}, { 0, 60 }, {}, {}, Qt::NoScrollPhase, false);
    const std::map<QString, std::function<void()>> actions { { "Press", mouse(QTest::MousePress) },
        { "Release", mouse(QTest::MouseRelease) }, { "Off", mouse(QTest::MouseMove, { -20, -20 }) },
        { "Back", mouse(QTest::MouseMove, { 2, 2 }) }, { "Timer", [up] { up->TimerExpired(); } },
        { "DownButton", [this] { QTest::mouseClick(edit->DownButton(), Qt::LeftButton); } },
        { "Click", [&] { QTest::mouseClick(edit, Qt::LeftButton, {}, leading()); } },
        { "DoubleClick", [&] { QTest::mouseDClick(edit, Qt::LeftButton, {}, leading()); } },
        { "Set40", [value] { value->setCurrentValue(40); } },
        { "Decrease", [steps] { steps->doAction(steps->decreaseAction()); } },
        { "HalfNotch", [&] { QApplication::sendEvent(edit, &halfNotch); } },
        { "Other", [this] { other->setFocus(); } },
        { "ReadOnly", [this] { edit->SetReadOnly(true); } },
        { "NoTrack", [this] { edit->SetTrackSpin(false); } },
        { "Disable", [this] { edit->setEnabled(false); } } };
    struct Case { // a field 0..100 at 10 unless a case says otherwise
        double lo = 0, hi = 100, from = 10;
        const char* keys;
        double to;
        int chg = 0; // OnChange signals
    } const cases[] { { .lo = 2, .hi = 16, .from = 6, .keys = "Up Down Down", .to = 5, .chg = 3 },
        { .hi = 0, .from = FxSpEmptyValue, .keys = "90 Num+, Num+5", .to = 90.5, .chg = 3 },
        { .hi = 0, .from = FxSpEmptyValue, .keys = "9 Backspace .5", .to = 0.5, .chg = 4 },
        { .hi = 0, .from = 6.5, .keys = "a/:+ Space Ctrl+5", .to = 6.5 },
        { .lo = 2, .hi = 16, .from = 6, .keys = "Esc Esc", .to = 6, .chg = 2 },
        { .hi = 0, .from = 123.45, .keys = "Left Ctrl+0", .to = 120, .chg = 1 },
        { .hi = 0, .from = 123.5, .keys = "Other Click DoubleClick", .to = 100, .chg = 1 },
        { .keys = "Other Press Off Timer Timer Back Timer Release", .to = 12, .chg = 2 },
        { .keys = "NoTrack Press Timer Disable Release", .to = 12, .chg = 1 },
        { .lo = 2, .hi = 16, .from = 6, .keys = "Set40 Decrease", .to = 15, .chg = 2 },
        { .lo = 2, .hi = 16, .from = 6, .keys = "ReadOnly Set40 Decrease", .to = 6 },
        { .keys = "Other DownButton", .to = 9, .chg = 1 },
        { .keys = "Other HalfNotch HalfNotch HalfNotch HalfNotch", .to = 12, .chg = 2 },
        { .hi = 0, .from = FxSpEmptyValue, .keys = "- Tab Tab 5", .to = 5, .chg = 1 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Configure(c.lo, c.hi, 1, c.from);
        for (const QString& word : QString(c.keys).split(' ')) {
            if (actions.contains(word))
                actions.at(word)();
            else if (QKeySequence key(word); word.size() > 1 && key[0].key() != Qt::Key_unknown)
                QTest::keySequence(QApplication::focusWidget(), key);
            else
                QTest::keyClicks(QApplication::focusWidget(), word);
        }
        EXPECT_EQ(std::pair(edit->Value(), changes->count()), std::pair(c.to, qsizetype(c.chg)));
        EXPECT_EQ(edit->hasFocus(), edit->isEnabled()) << "keys keep the focus, clicks take it";
        EXPECT_FALSE(up->IsDrawnPressed() || (up->RepeatTimer() && up->RepeatTimer()->isActive()));
    }
    edit->SetRepeatTiming({ 1, 1 }); // a real hold repeats by itself
    mouse(QTest::MousePress)();
    EXPECT_TRUE(QTest::qWaitFor([&] { return edit->Value() >= 20; }, 5000));
    mouse(QTest::MouseRelease)();
    // What assistive technology reads: a spin box, its keys, the number as shown but without
    // placeholders, and no value when blank.
    EXPECT_EQ(accessible->role(), QAccessible::SpinBox);
    EXPECT_EQ(steps->keyBindingsForAction(steps->decreaseAction()), QStringList { "Down" });
    EXPECT_TRUE(recorder.Saw(edit, QAccessible::ValueChanged));
    Configure(0, 0, 1, 0);
    edit->SetThousandSeparator(',');
    edit->SetIncrement(1E5);
    for (const auto& [number, text] : { std::pair { 1234.0, "1,234.0" }, { FxSpEmptyValue, "" } }) {
        edit->SetValue(number);
        EXPECT_EQ(test::ReadAccessible(edit, QAccessible::Value), QLatin1String(text));
    }
    EXPECT_FALSE(value->currentValue().isValid()) << "blank: no value";
}

// What the field draws where its model puts it: a placeholder as a small black square, the mark
// as a pure blue cell with the focus and an underline without, and a disabled field as a silver
// band with grey text. The mark stands on the first placeholder of "-__5".
TEST_F(FxPSpinEditTest, PaintsPlaceholdersTheMarkAndTheDisabledLook)
{
    // Inside the marked cell, on the top edge of its placeholder's square, and under the cell;
    // the model's coordinates lie inside the field's one-pixel border.
    const auto looks = [this] {
        const TSpinCaretGeometry& m = edit->Model().Geometry();
        const TSpinCellRect c = m.CaretRect();
        const QImage image = edit->grab().toImage();
        const QPoint square(
            c.Left + m.Metrics().CharWidth / 3 + 2, m.TextTop() + m.Metrics().CharHeight / 3 + 1);
        return std::array { image.pixel(c.Left + 2, c.Top + 2) & 0xFFFFFF,
            image.pixel(square) & 0xFFFFFF, image.pixel(c.Left + 1, c.Bottom + 1) & 0xFFFFFF };
    };
    Configure(0, 0, 0, -5);
    QTest::keyClick(edit, Qt::Key_Left), QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(looks(), (std::array<QRgb, 3> { 0x0000FF, 0, 0x0000FF }));
    other->setFocus();
    EXPECT_EQ(looks(), (std::array<QRgb, 3> { 0xFFFFFF, 0, 0 }));
    edit->setEnabled(false);
    EXPECT_EQ(looks(), (std::array<QRgb, 3> { 0xC0C0C0, 0, 0x808080 }));
}

// The field sizes itself for the longer bound's text, so every value shows whole; ties take the
// lower bound, and the height is odd so that the two spin buttons split it evenly.
TEST_F(FxPSpinEditTest, AutoSizeFitsTheLongerBoundsText)
{
    const QFontMetrics metrics(edit->font());
    const int height = (metrics.height() + metrics.height() / 3) | 1;
    edit->SetAutoSize(true);
    Configure(-10, 100, 0, 0);
    EXPECT_EQ(
        edit->size(), QSize(metrics.horizontalAdvance(QStringLiteral("-10")) + height, height));
}

} // namespace
