#include "help/WendleHelpForm.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <utility>

using wendle::TWendleHelpForm;

namespace {

// Topics are chosen the way a user does: by keyboard in the focused drop-down list.
TEST(HelpFormTest, ModelessWindowShowsSevenTopicsAtTheirTopAndKeepsTheChosenOneAndItsPlace)
{
    TWendleHelpForm form;
    auto* selector = form.findChild<QComboBox*>(QStringLiteral("HelpSelector"));
    auto* memo = form.findChild<QPlainTextEdit*>(QStringLiteral("HelpMemo"));
    ASSERT_TRUE(selector && memo && selector->count() == 7);
    EXPECT_FALSE(form.isVisible() || form.isModal() || selector->isEditable());
    // Closing it only hides it: it must not end the program, nor keep it running.
    EXPECT_FALSE(form.testAttribute(Qt::WA_QuitOnClose));
    form.ShowHelp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const char* titles[] { "Overview", "How the alphabet works", "Entering and editing text",
        "Specifying stitch options", "Specifying display options", "Specifying print options",
        "Working with your desktop" };
    for (const int topic : { 1, 2, 3, 5, 6, 0, 4 }) {
        memo->moveCursor(QTextCursor::End);
        selector->setFocus();
        QTest::keyClick(selector, Qt::Key_Home);
        for (int i = 0; i < topic; ++i)
            QTest::keyClick(selector, Qt::Key_Down);
        QTest::keyClick(memo, Qt::Key_X); // the text is read-only
        EXPECT_EQ(memo->toPlainText().split('\n'), TWendleHelpForm::TopicLines(topic)) << topic;
        EXPECT_EQ(memo->textCursor().position(), 0) << "the top of the topic is in view";
        EXPECT_TRUE(memo->hasFocus()) << "the text takes the focus";
        EXPECT_EQ(selector->currentText().toStdString(), titles[topic]);
        // Every topic describes this program where it runs, and names no other system.
        for (const char* other : { "Windows", " 95", "registry", ".EXE", "MS " })
            EXPECT_FALSE(memo->toPlainText().contains(other)) << other;
    }
    form.resize(600, 300); // the text grows with the window, above the bottom line's 17 pixels
    EXPECT_EQ(memo->geometry(), QRect(0, 31, 600, 249));
    form.resize(300, 100);
    EXPECT_EQ(form.size(), QSize(450, 200)) << "smaller than at first is refused";
    form.move(form.pos() + QPoint(30, 20));
    const QPoint moved = form.pos();
    EXPECT_TRUE(form.close());
    form.ShowHelp();
    EXPECT_EQ(form.CurrentTopic(), 4) << "showing it again keeps the topic";
    EXPECT_EQ(form.pos(), moved) << "only the first showing centres it";
}

} // namespace
