#include "TimerSpdBtn.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace wendle;

namespace {

// One spin button alone in a shown window, with delays long enough never to fire by
// themselves: the tests run the timer's handler where a real expiry would.
class TimerSpdBtnTest : public ::testing::Test {
protected:
    TimerSpdBtnTest()
    {
        window.resize(100, 60);
        button = new TTimerSpdBtn(TTimerSpdBtn::TGlyph::Up, &window); // owned by the window
        button->setGeometry(10, 10, 20, 12);
        button->SetRepeatTiming({ 600000, 300000 });
        window.show();
        windowShown = QTest::qWaitForWindowExposed(&window);
    }

    QPoint Centre() const { return button->rect().center(); }

    QWidget window;
    TTimerSpdBtn* button { nullptr };
    bool windowShown { false };
};

TEST_F(TimerSpdBtnTest, PressStepsAtOnceAndStartsTheInitialDelay)
{
    ASSERT_TRUE(windowShown);
    QSignalSpy clicks(button, &TTimerSpdBtn::Click);
    QSignalSpy downs(button, &TTimerSpdBtn::MouseDown);
    EXPECT_EQ(button->RepeatTimer(), nullptr) << "the timer comes with the first press";
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, Centre());
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_TRUE(button->IsDrawnPressed());
    ASSERT_NE(button->RepeatTimer(), nullptr);
    EXPECT_TRUE(button->RepeatTimer()->isActive());
    EXPECT_EQ(button->RepeatTimer()->interval(), 600000);

    button->TimerExpired();
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(button->RepeatTimer()->interval(), 300000) << "later expiries at the repeat pace";
    button->TimerExpired();
    EXPECT_EQ(clicks.count(), 3);

    QSignalSpy ups(button, &TTimerSpdBtn::MouseUp);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, Centre());
    EXPECT_EQ(clicks.count(), 3) << "the release never steps";
    EXPECT_EQ(ups.count(), 1);
    EXPECT_FALSE(button->RepeatTimer()->isActive());
    EXPECT_FALSE(button->IsDrawnPressed());
}

TEST_F(TimerSpdBtnTest, PointerOffTheButtonPausesTheRepetition)
{
    ASSERT_TRUE(windowShown);
    QSignalSpy clicks(button, &TTimerSpdBtn::Click);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, Centre());
    QTest::mouseMove(button, QPoint(60, 30));
    EXPECT_FALSE(button->IsDrawnPressed());
    button->TimerExpired();
    EXPECT_EQ(clicks.count(), 1) << "paused off the button";
    QTest::mouseMove(button, Centre());
    EXPECT_TRUE(button->IsDrawnPressed());
    button->TimerExpired();
    EXPECT_EQ(clicks.count(), 2) << "resumed back on it";
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, Centre());
}

TEST_F(TimerSpdBtnTest, RightButtonNeverRepeats)
{
    ASSERT_TRUE(windowShown);
    QSignalSpy clicks(button, &TTimerSpdBtn::Click);
    QTest::mousePress(button, Qt::RightButton, Qt::NoModifier, Centre());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button->IsDrawnPressed());
    EXPECT_TRUE(button->RepeatTimer() == nullptr || !button->RepeatTimer()->isActive());
    button->TimerExpired();
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseRelease(button, Qt::RightButton, Qt::NoModifier, Centre());
}

TEST_F(TimerSpdBtnTest, HidingAHeldButtonEndsThePress)
{
    ASSERT_TRUE(windowShown);
    QSignalSpy ups(button, &TTimerSpdBtn::MouseUp);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, Centre());
    button->hide();
    EXPECT_EQ(ups.count(), 1);
    EXPECT_FALSE(button->RepeatTimer()->isActive());
    EXPECT_FALSE(button->IsDrawnPressed());
    QTest::mouseRelease(&window, Qt::LeftButton);
}

TEST_F(TimerSpdBtnTest, TimerWithoutAPressStepsNothing)
{
    QSignalSpy clicks(button, &TTimerSpdBtn::Click);
    button->TimerExpired();
    EXPECT_EQ(clicks.count(), 0);
}

} // namespace
