#include "WendleHelpForm.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <utility>

using wendle::TWendleHelpForm;

namespace {

class HelpFormTest : public ::testing::Test {
protected:
    void ShowAndWait()
    {
        form.ShowHelp();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    TWendleHelpForm form;
    QComboBox* selector { form.findChild<QComboBox*>(QStringLiteral("HelpSelector")) };
    QPlainTextEdit* memo { form.findChild<QPlainTextEdit*>(QStringLiteral("HelpMemo")) };
};

// Topics are chosen the way a user does: by keyboard in the focused drop-down list.
TEST_F(HelpFormTest, ModelessWindowShowsSevenTopicsAtTheirTopAndKeepsTheChosenOne)
{
    const std::pair<const char*, int> topics[] = { { "Overview", 17 },
        { "How the alphabet works", 11 }, { "Entering and editing text", 5 },
        { "Specifying stitch options", 11 }, { "Specifying display options", 5 },
        { "Specifying print options", 9 }, { "Working with MS Windows", 7 } };
    ASSERT_TRUE(selector && memo);
    ASSERT_EQ(selector->count(), 7);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Help for Wendle"));
    EXPECT_FALSE(form.isModal());
    EXPECT_FALSE(form.isVisible()) << "created hidden";
    ShowAndWait();
    for (const int topic : { 1, 2, 3, 5, 6, 0, 4 }) {
        SCOPED_TRACE(topic);
        memo->moveCursor(QTextCursor::End);
        selector->setFocus();
        QTest::keyClick(selector, Qt::Key_Home);
        for (int i = 0; i < topic; ++i)
            QTest::keyClick(selector, Qt::Key_Down);
        EXPECT_EQ(selector->itemText(topic), QLatin1String(topics[topic].first));
        EXPECT_EQ(form.CurrentTopic(), topic);
        EXPECT_EQ(memo->toPlainText().split('\n'), TWendleHelpForm::TopicLines(topic));
        EXPECT_EQ(TWendleHelpForm::TopicLines(topic).size(), topics[topic].second);
        EXPECT_EQ(memo->textCursor().position(), 0) << "the top of the topic is in view";
        EXPECT_TRUE(memo->hasFocus()) << "the text takes the focus";
    }
    EXPECT_EQ(TWendleHelpForm::TopicLines(0)[8], QStringLiteral("1. Enter the message."));
    EXPECT_TRUE(form.close());
    ShowAndWait();
    EXPECT_EQ(form.CurrentTopic(), 4) << "showing it again keeps the topic";
}

// The program's end is decided inside the event loop, so this runs one: closing the help
// window must not end the program, and a visible help window must not keep it alive.
TEST_F(HelpFormTest, OnlyTheMainWindowEndsTheProgram)
{
    QWidget mainWindow;
    mainWindow.show();
    ShowAndWait();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, &form, [this] { form.close(); });
    QTimer::singleShot(0, &mainWindow, [&] {
        EXPECT_EQ(lastClosed.count(), 0) << "closing help ended the program";
        form.ShowHelp();
        mainWindow.close();
    });
    QTimer::singleShot(5000, &mainWindow, [] {
        ADD_FAILURE() << "the visible help window kept the program alive";
        QApplication::quit();
    });
    QApplication::exec();
}

} // namespace
