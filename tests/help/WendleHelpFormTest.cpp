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
    // Something each topic says, in the selector's order.
    const char* const says[] { "1. Enter the message.", "% for a diamond", "<Ctrl-V>",
        "Centered:", "grid line", "tenth row", "uninstall" };
    for (const int topic : { 1, 2, 3, 5, 6, 0, 4 }) {
        form.HelpMemo->moveCursor(QTextCursor::End);
        form.HelpSelector->setFocus();
        QTest::keyClick(form.HelpSelector, Qt::Key_Home);
        for (int i = 0; i < topic; ++i)
            QTest::keyClick(form.HelpSelector, Qt::Key_Down);
        QTest::keyClick(form.HelpMemo, Qt::Key_X); // the text is read-only
        const QString text = form.HelpMemo->toPlainText();
        EXPECT_EQ(form.HelpSelector->currentIndex(), topic);
        EXPECT_TRUE(text.contains(says[topic])) << topic;
        EXPECT_EQ(form.HelpMemo->textCursor().position(), 0) << "the top of the topic is in view";
        EXPECT_TRUE(form.HelpMemo->hasFocus()) << "the text takes the focus";
        // Every topic describes this program where it runs, and names no other system.
        for (const char* other : { "Windows", " 95", "registry", ".EXE", "MS " })
            EXPECT_FALSE(text.contains(other)) << other;
    }
    form.move(form.pos() + QPoint(30, 20));
    const QPoint moved = form.pos();
    EXPECT_TRUE(form.close());
    form.ShowHelp();
    EXPECT_EQ(form.HelpSelector->currentIndex(), 4) << "showing it again keeps the topic";
    EXPECT_EQ(form.pos(), moved) << "only the first showing centres it";
}
