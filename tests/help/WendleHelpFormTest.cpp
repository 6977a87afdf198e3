#include "help/WendleHelpForm.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

// Topics are chosen the way a user does: by keyboard in the focused drop-down list.
TEST(WendleHelpFormTest, ModelessWindowShowsSevenTopicsAtTheirTopAndKeepsTheChosenOneAndItsPlace)
{
    wendle::TWendleHelpForm form;
    ASSERT_EQ(form.HelpSelector->count(), 7);
    EXPECT_FALSE(form.isVisible() || form.isModal() || form.HelpSelector->isEditable());
    // Closing it only hides it: it must not end the program, nor keep it running.
    EXPECT_FALSE(form.testAttribute(Qt::WA_QuitOnClose));
    form.ShowHelp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // Each topic's title, its number of lines (a paragraph or an empty line each) and two
    // things it says.
    struct Topic {
        const char* title;
        int lines;
        QStringList says;
    } const topics[] {
        { .title = "Overview", .lines = 17, .says = { "1. Enter the message.", "90 stitches" } },
        { .title = "How the alphabet works", .lines = 11, .says = { "EJECT", "% for a diamond" } },
        { .title = "Entering and editing text", .lines = 5, .says = { "Insert key", "<Ctrl-V>" } },
        { .title = "Specifying stitch options", .lines = 11, .says = { "justify", "Centered:" } },
        { .title = "Specifying display options", .lines = 5, .says = { "slider", "grid line" } },
        { .title = "Specifying print options", .lines = 9, .says = { "landscape", "tenth row" } },
        { .title = "Working with your desktop", .lines = 7, .says = { "apt-get", "uninstall" } },
    };
    for (const int topic : { 1, 2, 3, 5, 6, 0, 4 }) {
        form.HelpMemo->moveCursor(QTextCursor::End);
        form.HelpSelector->setFocus();
        QTest::keyClick(form.HelpSelector, Qt::Key_Home);
        for (int i = 0; i < topic; ++i)
            QTest::keyClick(form.HelpSelector, Qt::Key_Down);
        QTest::keyClick(form.HelpMemo, Qt::Key_X); // the text is read-only
        const Topic& shown = topics[topic];
        const QString text = form.HelpMemo->toPlainText();
        EXPECT_EQ(form.HelpSelector->currentText().toStdString(), shown.title);
        EXPECT_EQ(text.count('\n') + 1, shown.lines) << shown.title;
        EXPECT_TRUE(text.contains(shown.says[0]) && text.contains(shown.says[1])) << shown.title;
        EXPECT_EQ(form.HelpMemo->textCursor().position(), 0) << "the top of the topic is in view";
        EXPECT_TRUE(form.HelpMemo->hasFocus()) << "the text takes the focus";
        // Every topic describes this program where it runs, and names no other system.
        for (const char* other : { "Windows", " 95", "registry", ".EXE", "MS " })
            EXPECT_FALSE(text.contains(other)) << other;
    }
    form.resize(600, 300); // the text grows with the window, above the bottom line's 17 pixels
    EXPECT_EQ(form.HelpMemo->geometry(), QRect(0, 31, 600, 249));
    form.resize(300, 100);
    EXPECT_EQ(form.size(), QSize(450, 200)) << "smaller than at first is refused";
    form.move(form.pos() + QPoint(30, 20));
    const QPoint moved = form.pos();
    EXPECT_TRUE(form.close());
    form.ShowHelp();
    EXPECT_EQ(form.HelpSelector->currentIndex(), 4) << "showing it again keeps the topic";
    EXPECT_EQ(form.pos(), moved) << "only the first showing centres it";
}
