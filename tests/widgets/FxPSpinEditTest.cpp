#include "widgets/FxPSpinEdit.h"
#include "chart/BlankValue.h"
#include "tests/support/AccessibilityRecorder.h"
#include "widgets/TimerSpdBtn.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <tuple>

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

// One user action per character. Keys: ^ v < the arrows, E Esc, B Backspace, Z Ctrl+0, C Ctrl+5,
// "," and K the keypad's decimal key and 5; other characters are typed. Mouse: c a click on the
// leading digit and w a double-click there, P and R a left press and release on the up button,
// q and Q the pointer leaving it and coming back, x its timer expiring, D a click on the down
// button, h half a wheel notch over the field. Assistive technology: S sets 40, A decreases. o the
// other button takes the focus, t Tab moves it on; O read-only, T TrackSpin off, X disabled.
TEST_F(FxPSpinEditTest, KeysClicksSpinButtonsAndAssistiveTechnologyReachTheField)
{
    test::AccessibilityRecorder recorder;
    TTimerSpdBtn* up = edit->UpButton();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    ASSERT_TRUE(accessible && accessible->valueInterface() && accessible->actionInterface());
    QAccessibleValueInterface* value = accessible->valueInterface();
    QAccessibleActionInterface* steps = accessible->actionInterface();
    const auto key = [this](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        return [=, this] { QTest::keyClick(edit, key, modifiers); };
    };
    const auto mouse = [up](QTest::MouseAction action, QPoint at = {}) {
        return [=] { QTest::mouseEvent(action, up, Qt::LeftButton, {}, at); };
    };
    // Two pixels into the leading digit, whose cell starts at the text's left.
    const auto leading = [this] { return QPoint(edit->Model().Geometry().TextLeft() + 3, 11); };
    QWheelEvent halfNotch({}, {}, {}, { 0, 60 }, {}, {}, Qt::NoScrollPhase, false);
    const std::map<char, std::function<void()>> actions { { '^', key(Qt::Key_Up) },
        { 'v', key(Qt::Key_Down) }, { '<', key(Qt::Key_Left) }, { 'E', key(Qt::Key_Escape) },
        { 'B', key(Qt::Key_Backspace) }, { 'Z', key(Qt::Key_0, Qt::ControlModifier) },
        { 'C', key(Qt::Key_5, Qt::ControlModifier) },
        { ',', key(Qt::Key_Comma, Qt::KeypadModifier) },
        { 'K', key(Qt::Key_5, Qt::KeypadModifier) }, { 'P', mouse(QTest::MousePress) },
        { 'R', mouse(QTest::MouseRelease) }, { 'q', mouse(QTest::MouseMove, QPoint(-20, -20)) },
        { 'Q', mouse(QTest::MouseMove, QPoint(2, 2)) }, { 'x', [up] { up->TimerExpired(); } },
        { 'D', [this] { QTest::mouseClick(edit->DownButton(), Qt::LeftButton); } },
        { 'c', [&] { QTest::mouseClick(edit, Qt::LeftButton, {}, leading()); } },
        { 'w', [&] { QTest::mouseDClick(edit, Qt::LeftButton, {}, leading()); } },
        { 'S', [value] { value->setCurrentValue(40); } },
        { 'A', [steps] { steps->doAction(steps->decreaseAction()); } },
        { 'h', [&] { QApplication::sendEvent(edit, &halfNotch); } },
        { 't', [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); } },
        { 'o', [this] { other->setFocus(); } }, { 'O', [this] { edit->SetReadOnly(true); } },
        { 'T', [this] { edit->SetTrackSpin(false); } },
        { 'X', [this] { edit->setEnabled(false); } } };
    const std::tuple<double, double, double, const char*, double, qsizetype> cases[]
        = { { 2, 16, 6, "^vv", 5, 3 }, { 0, 0, FxSpEmptyValue, "90,K", 90.5, 3 },
              { 0, 0, FxSpEmptyValue, "9B.5", 0.5, 4 }, { 0, 0, 6.5, "a/:+ C", 6.5, 0 },
              { 2, 16, 6, "EE", 6, 2 }, { 0, 0, 123.45, "<Z", 120, 1 },
              { 0, 0, 123.5, "ocw", 100, 1 }, { 0, 100, 10, "oPqxxQxR", 12, 2 },
              { 0, 100, 10, "TPxXR", 12, 1 }, { 2, 16, 6, "SA", 15, 2 }, { 2, 16, 6, "OSA", 6, 0 },
              { 0, 100, 10, "oD", 9, 1 }, { 0, 100, 10, "ohhhh", 12, 2 },
              { 0, 0, FxSpEmptyValue, "-tt5", 5, 1 } };
    for (const auto& [min, max, start, script, result, signalled] : cases) {
        SCOPED_TRACE(script);
        Configure(min, max, 1, start);
        for (const char c : std::string(script))
            actions.contains(c) ? actions.at(c)() : QTest::keyClick(edit, c);
        EXPECT_EQ(std::pair(edit->Value(), changes->count()), std::pair(result, signalled));
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
