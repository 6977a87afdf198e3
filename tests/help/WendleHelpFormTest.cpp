#include "WendleHelpForm.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using wendle::TWendleHelpForm;

namespace {

class HelpFormTest : public ::testing::Test {
protected:
    void ShowAndWait()
    {
        form.ShowHelp();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // Chooses a topic the way a user does: by keyboard in the focused drop-down list.
    void ChooseTopic(int topic)
    {
        selector->setFocus();
        QTest::keyClick(selector, Qt::Key_Home);
        for (int i = 0; i < topic; ++i)
            QTest::keyClick(selector, Qt::Key_Down);
    }

    QString Label(const char* name) const { return form.findChild<QLabel*>(name)->text(); }

    TWendleHelpForm form;
    QComboBox* selector { form.findChild<QComboBox*>(QStringLiteral("HelpSelector")) };
    QPlainTextEdit* memo { form.findChild<QPlainTextEdit*>(QStringLiteral("HelpMemo")) };
};

TEST_F(HelpFormTest, SevenTopicsInListOrderEachShownAtItsTopWhenChosen)
{
    const struct {
        const char* title;
        int lines, quotedLine;
        const char* quoted;
    } topics[] = { { "Overview", 17, 8, "1. Enter the message." },
        { "How the alphabet works", 11, 7, "   $ for a clamshell" },
        { "Entering and editing text", 5, 3, "  <Ctrl-C>:copy; <Ctrl-X>:cut; <Ctrl-V>:paste." },
        { "Specifying stitch options", 11, 4, "There are four ways to justify multi-line text:" },
        { "Specifying display options", 5, 1, "" }, { "Specifying print options", 9, 7, "" },
        { "Working with MS Windows", 7, 4,
            "To uninstall Wendle, simply delete the Wendle.EXE file and any shortcut to it or "
            "start menu entry that you have created." } };
    ASSERT_TRUE(selector && memo);
    ASSERT_EQ(selector->count(), 7);
    EXPECT_EQ(selector->view()->sizeHintForRow(0), 19) << "the list's item height";
    EXPECT_FALSE(form.isVisible()) << "created hidden";
    ShowAndWait();
    for (const int topic : { 1, 2, 3, 4, 5, 6, 0 }) {
        SCOPED_TRACE(topic);
        memo->moveCursor(QTextCursor::End);
        memo->ensureCursorVisible();
        ChooseTopic(topic);
        const QStringList shown = memo->toPlainText().split('\n');
        EXPECT_EQ(selector->itemText(topic), QLatin1String(topics[topic].title));
        EXPECT_EQ(form.CurrentTopic(), topic);
        ASSERT_EQ(shown.size(), topics[topic].lines);
        EXPECT_EQ(shown[topics[topic].quotedLine], QLatin1String(topics[topic].quoted));
        EXPECT_EQ(memo->textCursor().position(), 0) << "the top of the topic is in view";
        EXPECT_TRUE(memo->hasFocus()) << "the text takes the focus";
    }
    memo->moveCursor(QTextCursor::End);
    memo->ensureCursorVisible();
    ASSERT_GT(memo->verticalScrollBar()->value(), 0) << "the overview must scroll here";
    selector->showPopup(); // choosing the shown topic again goes back to its top
    QTest::keyClick(selector->view(), Qt::Key_Return);
    EXPECT_EQ(memo->verticalScrollBar()->value(), 0);
}

TEST_F(HelpFormTest, ModelessWindowKeepsItsTopicAndGrowsOnlyItsText)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Help for Wendle"));
    EXPECT_EQ(Label("Label19"), QStringLiteral("Select your help topic here"));
    EXPECT_EQ(Label("Label1"),
        QStringLiteral(
            "(You can adjust this program's forms by dragging their title bars or corners)"));
    EXPECT_FALSE(form.isModal());
    ShowAndWait();
    ChooseTopic(4);
    EXPECT_TRUE(form.close());
    ShowAndWait();
    EXPECT_EQ(form.CurrentTopic(), 4) << "showing it again keeps the topic";
    EXPECT_EQ(memo->toPlainText().split('\n'), TWendleHelpForm::TopicLines(4));
    form.resize(300, 100);
    EXPECT_EQ(form.size(), QSize(450, 200));
    const QRect memoBefore = memo->geometry();
    form.resize(700, 450);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return memo->geometry() == memoBefore.adjusted(0, 0, 250, 250); }));
}

// The program's end is decided inside the event loop, so this runs one: closing the help
// window must not end the program, and a visible help window must not keep it alive.
TEST_F(HelpFormTest, OnlyTheMainWindowEndsTheProgram)
{
    QWidget mainWindow;
    mainWindow.show();
    ShowAndWait();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    int closedEarly = -1;
    bool timedOut = false;
    QTimer::singleShot(0, &form, [this] { form.close(); });
    QTimer::singleShot(0, &mainWindow, [&] {
        closedEarly = static_cast<int>(lastClosed.count());
        form.ShowHelp();
        mainWindow.close();
    });
    QTimer::singleShot(5000, qApp, [&timedOut] {
        timedOut = true;
        QApplication::quit();
    });
    QApplication::exec();
    EXPECT_EQ(closedEarly, 0) << "closing help ended the program";
    EXPECT_FALSE(timedOut) << "the visible help window kept the program alive";
}

} // namespace
