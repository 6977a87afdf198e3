#include "SpinEditFixture.h"

#include "BlankValue.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>

using namespace wendle;
using wendle::testing::SpinEditFixture;

namespace {

constexpr char P = TSpinValueModel::Placeholder;

std::string Chars(std::initializer_list<char> characters) { return std::string(characters); }

class FxPSpinEditTest : public SpinEditFixture { };

// --- Construction and the owner's settings ----------------------------------------------

TEST_F(FxPSpinEditTest, NewFieldHasItsDocumentedState)
{
    TFxPSpinEdit fresh;
    EXPECT_EQ(fresh.Value(), 0.0);
    EXPECT_EQ(fresh.Model().Text(), "0.00");
    EXPECT_EQ(fresh.Decimals(), 2);
    EXPECT_EQ(fresh.Increment(), 1.0);
    EXPECT_EQ(fresh.IncExponent(), 0);
    EXPECT_EQ(fresh.MinValue(), 0.0);
    EXPECT_EQ(fresh.MaxValue(), 0.0);
    EXPECT_TRUE(fresh.TrackSpin());
    EXPECT_FALSE(fresh.ReadOnly());
    EXPECT_FALSE(fresh.AutoSize());
    EXPECT_EQ(fresh.BorderStyle(), TFxPSpinEdit::TBorderStyle::Single);
    EXPECT_EQ(fresh.ThousandSeparator(), '\0');
    EXPECT_EQ(fresh.CheckBounds(), FxSpAllOccasions);
    EXPECT_TRUE(fresh.focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(fresh.width(), 4 * QFontMetrics(fresh.font()).height());
    EXPECT_EQ(fresh.height() % 2, 1);
}

TEST_F(FxPSpinEditTest, SpinButtonsSitAtTheRightEdgeOfTheClientArea)
{
    const int charWidth = edit->Model().Metrics().CharWidth;
    const int buttonWidth = charWidth + charWidth / 2;
    const int clientWidth = edit->width() - 2;
    const int clientHeight = edit->height() - 2;
    const QRect up = edit->UpButton()->geometry();
    const QRect down = edit->DownButton()->geometry();
    EXPECT_EQ(up.left(), 1 + clientWidth - buttonWidth + 1);
    EXPECT_EQ(up.top(), 1);
    EXPECT_EQ(up.height(), clientHeight / 2 + 1);
    EXPECT_EQ(down.top(), 1 + clientHeight / 2 + 1);
    EXPECT_EQ(up.right(), edit->width() - 2) << "cut at the client area, off the border";
    EXPECT_EQ(down.bottom(), edit->height() - 2);
    EXPECT_EQ(edit->Model().TextRight(), clientWidth - buttonWidth + 1 - charWidth / 2);
    EXPECT_EQ(edit->Model().TextTop(), 1);

    edit->SetBorderStyle(TFxPSpinEdit::TBorderStyle::None);
    EXPECT_EQ(edit->UpButton()->geometry().top(), 0);
    EXPECT_EQ(edit->UpButton()->geometry().right(), edit->width() - 1);
}

TEST_F(FxPSpinEditTest, OwnerSettingsBeforeConnectingFireNothing)
{
    TFxPSpinEdit field;
    field.SetDecimals(1);
    field.SetMaxValue(16);
    field.SetMinValue(2);
    field.SetValue(6);
    QSignalSpy spy(&field, &TFxPSpinEdit::OnChange);
    field.SetValue(6);
    EXPECT_EQ(spy.count(), 0);
    field.SetValue(7.5);
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(FxPSpinEditTest, SignalBlockerKeepsSettingsSilentButApplied)
{
    QSignalSpy spy(edit, &TFxPSpinEdit::OnChange);
    {
        const QSignalBlocker blocker(edit);
        edit->SetDecimals(1);
        edit->SetMaxValue(16);
        edit->SetMinValue(2); // clamps 0 to 2
        edit->SetValue(7.5);
    }
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(edit->Value(), 7.5);
    EXPECT_EQ(Text(), "7.5");
    edit->SetValue(8);
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(FxPSpinEditTest, ProgramChangesFireTheirSignals)
{
    Configure(2, 16, 1, 6);
    edit->SetValue(7.5);
    edit->SetMaxValue(7); // clamps
    EXPECT_EQ(changes->count(), 2);
    EXPECT_EQ(edit->Value(), 7);
    edit->SetIncrement(0.5);
    EXPECT_EQ(incrementChanges->count(), 1);
    EXPECT_EQ(edit->IncExponent(), -1);
    edit->SetIncrement(0);
    EXPECT_EQ(edit->Increment(), 0.5) << "zero is refused";
    EXPECT_EQ(incrementChanges->count(), 1);
}

TEST_F(FxPSpinEditTest, InvalidSeparatorThrowsFromTheWidget)
{
    EXPECT_THROW(edit->SetThousandSeparator('7'), std::out_of_range);
    edit->SetThousandSeparator(',');
    edit->SetValue(1234.5);
    EXPECT_EQ(Text(), "1,234.50");
}

// --- Keyboard ---------------------------------------------------------------------------------

TEST_F(FxPSpinEditTest, ArrowKeysStepAndMoveTheMark)
{
    ASSERT_TRUE(windowActive);
    Configure(2, 16, 1, 6);
    FocusField();
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->Value(), 7);
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->Value(), 5);
    EXPECT_EQ(changes->count(), 3);

    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(edit->IncExponent(), -1);
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_EQ(edit->IncExponent(), -1) << "one decimal is the last place";
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(edit->IncExponent(), 2) << "hundreds is the cap of 2..16";
    EXPECT_EQ(incrementChanges->count(), 4);
    EXPECT_EQ(Text(), Chars({ P, P, '5', '.', '0' }));
    EXPECT_TRUE(edit->hasFocus()) << "arrows never move the focus";
}

TEST_F(FxPSpinEditTest, HeldArrowKeyWithoutTrackSpinFiresOnceAtTheRelease)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 100, 0, 10);
    edit->SetTrackSpin(false);
    FocusField();
    // A held key arrives as a press, then release and press pairs flagged as repeats.
    QKeyEvent first(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(edit, &first);
    for (int repeat = 0; repeat < 4; ++repeat) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), true);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(edit, &release);
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(edit->Value(), 15);
    EXPECT_EQ(changes->count(), 0);
    QKeyEvent last(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(edit, &last);
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(FxPSpinEditTest, TypingIntoABlankFieldBuildsANumber)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 1, FxSpEmptyValue);
    FocusField();
    QTest::keyClicks(edit, QStringLiteral("12.5"));
    EXPECT_EQ(edit->Value(), 12.5);
    EXPECT_EQ(Text(), "12.5");
    EXPECT_EQ(edit->IncExponent(), -1);
    for (int erase = 0; erase < 4; ++erase)
        QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Value(), FxSpEmptyValue);
    EXPECT_EQ(changes->count(), 6) << "1, 12, 12.5, then 12, 1 and blank; a repeat is no change";
}

TEST_F(FxPSpinEditTest, KeypadCommaIsThePoint)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 1, FxSpEmptyValue);
    FocusField();
    QTest::keyClick(edit, Qt::Key_3, Qt::KeypadModifier);
    QTest::keyClick(edit, Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClick(edit, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(edit->Value(), 3.5);
}

TEST_F(FxPSpinEditTest, TypedDigitOvertypesTheMark)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 1, 12.5);
    FocusField();
    QTest::keyClick(edit, Qt::Key_7);
    EXPECT_EQ(edit->Value(), 17.5);
    QTest::keyClick(edit, Qt::Key_3);
    EXPECT_EQ(edit->Value(), 17.3);
    EXPECT_EQ(edit->IncExponent(), -1);
}

TEST_F(FxPSpinEditTest, EscBlanksAndRestoresTheFocusValue)
{
    ASSERT_TRUE(windowActive);
    Configure(2, 16, 1, 6);
    FocusField();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Value(), FxSpEmptyValue);
    EXPECT_EQ(changes->count(), 1);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Value(), 6);
    EXPECT_EQ(changes->count(), 2);
}

TEST_F(FxPSpinEditTest, CtrlZeroTruncatesBelowTheMark)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 2, 123.45);
    FocusField();
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(edit->Value(), 120);
    EXPECT_EQ(Text(), "120.00");
}

TEST_F(FxPSpinEditTest, ReadOnlyFieldSwallowsKeys)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 1, 6);
    edit->SetReadOnly(true);
    FocusField();
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_9);
    EXPECT_EQ(edit->Value(), 6);
    EXPECT_EQ(edit->IncExponent(), 0);
    EXPECT_EQ(changes->count(), 0);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, CharacterCentre(2));
    EXPECT_EQ(edit->IncExponent(), -1) << "a click still moves the mark";
}

// --- Mouse -----------------------------------------------------------------------------------

TEST_F(FxPSpinEditTest, ClickOnADigitMarksItAndTakesTheFocus)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 2, 123.45);
    other->setFocus();
    ASSERT_FALSE(edit->hasFocus());
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, CharacterCentre(0));
    EXPECT_EQ(edit->IncExponent(), 2);
    EXPECT_TRUE(edit->hasFocus());
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, CharacterCentre(3)); // the point
    EXPECT_EQ(edit->IncExponent(), 0);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, CharacterCentre(5));
    EXPECT_EQ(edit->IncExponent(), -2);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(3, edit->height() / 2));
    EXPECT_EQ(edit->IncExponent(), 3) << "left of the number: one left of its first digit";
    EXPECT_EQ(changes->count(), 0);
}

TEST_F(FxPSpinEditTest, DoubleClickZeroesEverythingRightOfTheDigit)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 2, 123.45);
    const QPoint tens = CharacterCentre(1);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, tens);
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, tens);
    EXPECT_EQ(edit->Value(), 120);
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(FxPSpinEditTest, FocusRemembersTheValueForEsc)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 0, 1, 4);
    FocusField();
    edit->SetValue(9);
    other->setFocus();
    FocusField();
    EXPECT_EQ(edit->Model().EnterValue(), 9);
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Value(), 9);
}

TEST_F(FxPSpinEditTest, LeavingABlankFieldKeepsItBlank)
{
    ASSERT_TRUE(windowActive);
    Configure(2, 16, 1, 6);
    FocusField();
    QTest::keyClick(edit, Qt::Key_Escape);
    other->setFocus();
    EXPECT_EQ(edit->Value(), FxSpEmptyValue);
}

// --- Spin buttons ----------------------------------------------------------------------------

TEST_F(FxPSpinEditTest, PressOnTheUpButtonStepsOnceAtThePress)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 100, 0, 10);
    other->setFocus();
    TTimerSpdBtn* up = edit->UpButton();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_EQ(edit->Value(), 11) << "the step comes with the press";
    EXPECT_TRUE(edit->hasFocus()) << "a spin takes the focus";
    EXPECT_TRUE(edit->Model().Spinning());
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_EQ(edit->Value(), 11) << "the release never steps";
    EXPECT_FALSE(edit->Model().Spinning());
    QTest::mouseClick(edit->DownButton(), Qt::LeftButton);
    EXPECT_EQ(edit->Value(), 10);
    EXPECT_EQ(changes->count(), 2);
}

TEST_F(FxPSpinEditTest, HeldButtonWithoutTrackSpinFiresOnceAfterFiveSteps)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 100, 0, 10);
    edit->SetTrackSpin(false);
    TTimerSpdBtn* up = edit->UpButton();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    for (int repeat = 0; repeat < 4; ++repeat)
        up->TimerExpired();
    EXPECT_EQ(edit->Value(), 15);
    EXPECT_EQ(changes->count(), 0);
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(FxPSpinEditTest, HeldButtonWithTrackSpinFiresAtEveryStep)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 100, 0, 10);
    TTimerSpdBtn* up = edit->UpButton();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    for (int repeat = 0; repeat < 4; ++repeat)
        up->TimerExpired();
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_EQ(changes->count(), 5);
}

TEST_F(FxPSpinEditTest, RightButtonStepsOnceWithoutHoldingBack)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 100, 0, 10);
    edit->SetTrackSpin(false);
    TTimerSpdBtn* up = edit->UpButton();
    QTest::mousePress(up, Qt::RightButton, Qt::NoModifier, up->rect().center());
    EXPECT_EQ(edit->Value(), 11);
    EXPECT_EQ(changes->count(), 1);
    up->TimerExpired();
    EXPECT_EQ(edit->Value(), 11) << "a right press never repeats";
    QTest::mouseRelease(up, Qt::RightButton, Qt::NoModifier, up->rect().center());
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(FxPSpinEditTest, HeldButtonRepeatsByItselfAtTheInjectedPace)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 1000, 0, 10);
    edit->SetRepeatTiming({ 30, 5 });
    TTimerSpdBtn* up = edit->UpButton();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_EQ(up->RepeatTimer()->interval(), 30) << "first the initial delay";
    EXPECT_TRUE(QTest::qWaitFor([&] { return edit->Value() >= 15; }, 5000));
    EXPECT_EQ(up->RepeatTimer()->interval(), 5) << "then the repeat interval";
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_FALSE(up->RepeatTimer()->isActive());
    const double released = edit->Value();
    QTest::qWait(40);
    EXPECT_EQ(edit->Value(), released) << "nothing steps after the release";
}

TEST_F(FxPSpinEditTest, QuickClickStepsExactlyOnce)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 1000, 0, 10);
    edit->SetRepeatTiming({ 250, 5 });
    QTest::mouseClick(edit->UpButton(), Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_EQ(edit->Value(), 11);
}

TEST_F(FxPSpinEditTest, DisabledFieldDisablesItsButtonsAndInput)
{
    Configure(0, 100, 0, 10);
    edit->setEnabled(false);
    EXPECT_FALSE(edit->UpButton()->isEnabled());
    EXPECT_FALSE(edit->DownButton()->isEnabled());
    EXPECT_FALSE(edit->Model().InputEnabled());
    edit->setEnabled(true);
    EXPECT_TRUE(edit->UpButton()->isEnabled());
    EXPECT_TRUE(edit->Model().InputEnabled());
}

TEST_F(FxPSpinEditTest, DisablingDuringAHeldSpinEndsIt)
{
    ASSERT_TRUE(windowActive);
    Configure(0, 100, 0, 10);
    edit->SetTrackSpin(false);
    TTimerSpdBtn* up = edit->UpButton();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    edit->setEnabled(false);
    EXPECT_FALSE(edit->Model().Spinning());
    EXPECT_EQ(changes->count(), 1) << "the held-back change is delivered";
    EXPECT_FALSE(up->RepeatTimer()->isActive());
    // The test's own record of the held button ends with a release elsewhere.
    QTest::mouseRelease(other, Qt::LeftButton);
}

// --- Size -------------------------------------------------------------------------------------

TEST_F(FxPSpinEditTest, AutoSizeTakesTheLongerBoundsText)
{
    edit->SetDecimals(2);
    edit->SetMaxValue(5);
    edit->SetMinValue(-5);
    edit->SetAutoSize(true);
    const QFontMetrics metrics(edit->font());
    int height = metrics.height() + metrics.height() / 3;
    if (height % 2 == 0)
        ++height;
    EXPECT_EQ(edit->height(), height);
    EXPECT_EQ(edit->width(), metrics.horizontalAdvance(QStringLiteral("-5.00")) + height);
    EXPECT_EQ(edit->sizeHint(), edit->size());

    edit->SetDecimals(0);
    EXPECT_EQ(edit->width(), metrics.horizontalAdvance(QStringLiteral("-5")) + height)
        << "decimals re-apply the size";
}

TEST_F(FxPSpinEditTest, AutoSizeWithEqualBoundsKeepsTheWidth)
{
    edit->resize(77, 40);
    edit->SetAutoSize(true);
    EXPECT_EQ(edit->width(), 77);
    EXPECT_NE(edit->height(), 40);
    EXPECT_EQ(edit->height() % 2, 1);
}

} // namespace
