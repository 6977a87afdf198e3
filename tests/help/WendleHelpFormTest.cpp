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

#include <map>

using wendle::TWendleHelpForm;

namespace {

QComboBox* Selector(TWendleHelpForm& form)
{
    return form.findChild<QComboBox*>(QStringLiteral("HelpSelector"));
}

QPlainTextEdit* Memo(TWendleHelpForm& form)
{
    return form.findChild<QPlainTextEdit*>(QStringLiteral("HelpMemo"));
}

QLabel* LabelNamed(TWendleHelpForm& form, const char* name)
{
    return form.findChild<QLabel*>(QString::fromLatin1(name));
}

QStringList ShownLines(TWendleHelpForm& form) { return Memo(form)->toPlainText().split('\n'); }

// Chooses a topic the way a user does: by keyboard in the focused drop-down list.
void ChooseTopic(TWendleHelpForm& form, int topic)
{
    QComboBox* selector = Selector(form);
    selector->setFocus();
    QTest::keyClick(selector, Qt::Key_Home);
    for (int i = 0; i < topic; ++i)
        QTest::keyClick(selector, Qt::Key_Down);
}

void ShowAndWait(TWendleHelpForm& form)
{
    form.ShowHelp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
}

} // namespace

TEST(HelpFormWindow, HasItsCaptionSizeAndMinimumSize)
{
    TWendleHelpForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Help for Wendle"));
    EXPECT_EQ(form.size(), QSize(450, 200));
    EXPECT_EQ(form.minimumSize(), QSize(450, 200));
    EXPECT_EQ(form.windowType(), Qt::Tool);
    EXPECT_FALSE(form.isVisible()) << "the help window is created hidden";
}

TEST(HelpFormWindow, ControlsHaveTheirCaptionsAndPlaces)
{
    TWendleHelpForm form;
    QLabel* heading = LabelNamed(form, "Label19");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), QStringLiteral("Select your help topic here"));
    EXPECT_EQ(heading->geometry(), QRect(2, 2, 211, 21));
    EXPECT_EQ(heading->font().pixelSize(), 17);
    EXPECT_EQ(heading->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(heading->palette().color(QPalette::WindowText), QColor(255, 255, 0));

    QComboBox* selector = Selector(form);
    ASSERT_NE(selector, nullptr);
    EXPECT_FALSE(selector->isEditable());
    EXPECT_EQ(selector->pos(), QPoint(212, 2));
    EXPECT_EQ(selector->width(), 230);
    EXPECT_TRUE(selector->font().bold());
    EXPECT_EQ(selector->font().pixelSize(), 16);

    QPlainTextEdit* memo = Memo(form);
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(memo->pos(), QPoint(0, 31));
    EXPECT_EQ(memo->font().pixelSize(), 17);
    EXPECT_TRUE(memo->font().bold());
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(255, 251, 240));
    EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(128, 0, 0));

    QLabel* footer = LabelNamed(form, "Label1");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text(),
        QStringLiteral(
            "(You can adjust this program's forms by dragging their title bars or corners)"));
    EXPECT_EQ(footer->font().pixelSize(), 12);
    EXPECT_EQ(footer->geometry(), QRect(0, 200 - 17, 450, 17));

    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(128, 0, 0));
}

TEST(HelpFormWindow, ResizingIsBoundedBelowAndGrowsTheTextArea)
{
    TWendleHelpForm form;
    ShowAndWait(form);
    const QRect headingBefore = LabelNamed(form, "Label19")->geometry();
    const QRect selectorBefore = Selector(form)->geometry();
    const QRect memoBefore = Memo(form)->geometry();

    form.resize(300, 100);
    EXPECT_GE(form.width(), 450);
    EXPECT_GE(form.height(), 200);

    form.resize(700, 450);
    QTest::qWait(0);
    EXPECT_EQ(LabelNamed(form, "Label19")->geometry(), headingBefore);
    EXPECT_EQ(Selector(form)->geometry(), selectorBefore);
    const QRect memoAfter = Memo(form)->geometry();
    EXPECT_EQ(memoAfter.topLeft(), memoBefore.topLeft());
    EXPECT_EQ(memoAfter.width(), memoBefore.width() + 250);
    EXPECT_EQ(memoAfter.height(), memoBefore.height() + 250);
    EXPECT_EQ(LabelNamed(form, "Label1")->geometry(), QRect(0, 450 - 17, 700, 17))
        << "the bottom label stays docked to the bottom edge";
}

TEST(HelpFormWindow, TextAreaIsSixPixelsTallerThanDesigned)
{
    // Designed to end 9 pixels above the bottom label; start-up makes it 6 pixels taller.
    TWendleHelpForm form;
    EXPECT_EQ(Memo(form)->geometry().bottom() + 1, 200 - 17 - 9 + 6);
    EXPECT_EQ(Memo(form)->height(), 200 - 17 - 3 - 31);
}

TEST(HelpFormTopics, TitlesAreInListOrder)
{
    const QStringList expected {
        "Overview",
        "How the alphabet works",
        "Entering and editing text",
        "Specifying stitch options",
        "Specifying display options",
        "Specifying print options",
        "Working with MS Windows",
    };
    EXPECT_EQ(TWendleHelpForm::TopicTitles(), expected);

    TWendleHelpForm form;
    QComboBox* selector = Selector(form);
    ASSERT_EQ(selector->count(), expected.size());
    for (int i = 0; i < selector->count(); ++i)
        EXPECT_EQ(selector->itemText(i), expected[i]) << "item " << i;
}

TEST(HelpFormTopics, EachTopicHasItsLinesWithEmptySeparators)
{
    // Line counts and the positions of the empty lines, topic by topic.
    const std::map<int, std::pair<int, std::vector<int>>> shape {
        { 0, { 17, { 1, 5, 6, 13, 15 } } },
        { 1, { 11, { 1, 3, 5 } } },
        { 2, { 5, { 1, 4 } } },
        { 3, { 11, { 1, 3, 9 } } },
        { 4, { 5, { 1, 3 } } },
        { 5, { 9, { 1, 3, 5, 7 } } },
        { 6, { 7, { 1, 3, 5 } } },
    };
    for (const auto& [topic, expected] : shape) {
        const QStringList lines = TWendleHelpForm::TopicLines(topic);
        ASSERT_EQ(lines.size(), expected.first) << "topic " << topic;
        for (int i = 0; i < lines.size(); ++i) {
            const bool shouldBeEmpty = std::find(expected.second.begin(), expected.second.end(), i)
                != expected.second.end();
            EXPECT_EQ(lines[i].isEmpty(), shouldBeEmpty) << "topic " << topic << " line " << i;
        }
    }
    EXPECT_TRUE(TWendleHelpForm::TopicLines(7).isEmpty());
    EXPECT_TRUE(TWendleHelpForm::TopicLines(-1).isEmpty());
}

TEST(HelpFormTopics, QuotedLinesAreExact)
{
    const std::map<std::pair<int, int>, QString> quoted {
        { { 0, 0 }, "WinWendle: Wendle for Windows" },
        { { 0, 8 }, "1. Enter the message." },
        { { 0, 9 },
            "2. Adjust the message until it fits the number of stitches or of inches you want to "
            "fill." },
        { { 0, 10 },
            "3. Adjust the way the stitches will print to make a pattern you can work from "
            "easily." },
        { { 0, 11 }, "4. Print the pattern." },
        { { 0, 12 }, "5. Knit the garment, following the pattern carefully." },
        { { 1, 6 }, "Three characters are used for decorative motifs:" },
        { { 1, 7 }, "   $ for a clamshell" },
        { { 1, 8 }, "   % for a diamond" },
        { { 1, 9 }, "   & for a wide X" },
        { { 1, 10 },
            "They can be used to separate parts of the message or to fill out a line when even "
            "the wider font isn't quite long enough." },
        { { 2, 3 }, "  <Ctrl-C>:copy; <Ctrl-X>:cut; <Ctrl-V>:paste." },
        { { 3, 4 }, "There are four ways to justify multi-line text:" },
        { { 3, 5 }, "Left justified: all lines start in the same column" },
        { { 3, 6 }, "Right justified: all lines end in the same column" },
        { { 3, 7 }, "Centered: all lines have the same middle" },
        { { 3, 10 },
            "On this tab, you can also choose between the narrow and wide version of the font." },
        { { 6, 4 },
            "To uninstall Wendle, simply delete the Wendle.EXE file and any shortcut to it or "
            "start menu entry that you have created." },
    };
    for (const auto& [where, text] : quoted) {
        const QStringList lines = TWendleHelpForm::TopicLines(where.first);
        ASSERT_LT(where.second, lines.size());
        EXPECT_EQ(lines[where.second], text) << "topic " << where.first << " line " << where.second;
    }
}

TEST(HelpFormTopics, DescribedLinesSayWhatTheyMust)
{
    const QStringList overview = TWendleHelpForm::TopicLines(0);
    for (int credit : { 2, 3, 4 })
        EXPECT_TRUE(overview[credit].contains("the Wendle authors")) << "credit line " << credit;
    EXPECT_TRUE(overview[14].contains("90 stitches"));
    EXPECT_TRUE(overview[14].contains("88 stitches"));
    EXPECT_TRUE(overview[14].contains("72 stitches"));
    EXPECT_TRUE(overview[14].contains("83"));
    EXPECT_TRUE(TWendleHelpForm::TopicLines(1)[0].contains("EJECT"));
    // The fourth alignment is named as its radio button names it.
    EXPECT_TRUE(TWendleHelpForm::TopicLines(3)[8].startsWith("Fully justified:"));
    EXPECT_TRUE(TWendleHelpForm::TopicLines(2)[0].contains("\"Enter and Edit Text\""));
    EXPECT_TRUE(
        TWendleHelpForm::TopicLines(4)[0].contains("\"Specify Display and Print Options\""));
    EXPECT_TRUE(TWendleHelpForm::TopicLines(5)[6].contains("\"Preview\""));
    EXPECT_TRUE(TWendleHelpForm::TopicLines(5)[8].contains("28"));
    EXPECT_TRUE(TWendleHelpForm::TopicLines(6)[2].contains("WinWendle.EXE"));
}

TEST(HelpFormTopics, StartsWithTheOverview)
{
    TWendleHelpForm form;
    EXPECT_EQ(form.CurrentTopic(), 0);
    EXPECT_EQ(ShownLines(form), TWendleHelpForm::TopicLines(0));
    EXPECT_EQ(Memo(form)->textCursor().position(), 0);
    EXPECT_FALSE(Memo(form)->textCursor().hasSelection());
}

TEST(HelpFormTopics, ChoosingATopicShowsItsLines)
{
    TWendleHelpForm form;
    ShowAndWait(form);
    for (int topic : { 1, 2, 3, 4, 5, 6, 0 }) {
        ChooseTopic(form, topic);
        EXPECT_EQ(form.CurrentTopic(), topic);
        EXPECT_EQ(ShownLines(form), TWendleHelpForm::TopicLines(topic)) << "topic " << topic;
        EXPECT_EQ(Memo(form)->textCursor().position(), 0) << "topic " << topic;
    }
}

TEST(HelpFormTopics, ChoosingTheShownTopicAgainScrollsBackToItsTop)
{
    TWendleHelpForm form;
    ShowAndWait(form);
    QPlainTextEdit* memo = Memo(form);
    memo->moveCursor(QTextCursor::End);
    memo->ensureCursorVisible();
    ASSERT_GT(memo->verticalScrollBar()->value(), 0) << "the overview must be scrollable here";

    QComboBox* selector = Selector(form);
    selector->showPopup();
    QTest::qWait(0);
    QTest::keyClick(selector->view(), Qt::Key_Return);
    EXPECT_EQ(form.CurrentTopic(), 0);
    EXPECT_EQ(memo->textCursor().position(), 0);
    EXPECT_EQ(memo->verticalScrollBar()->value(), 0);
}

TEST(HelpFormTopics, TopicIsKeptWhenHiddenAndShownAgain)
{
    TWendleHelpForm form;
    ShowAndWait(form);
    ChooseTopic(form, 4);
    ASSERT_EQ(form.CurrentTopic(), 4);

    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
    ShowAndWait(form);
    EXPECT_EQ(form.CurrentTopic(), 4);
    EXPECT_EQ(ShownLines(form), TWendleHelpForm::TopicLines(4));
}

TEST(HelpFormTopics, ShowingWhileVisibleKeepsTheTopic)
{
    TWendleHelpForm form;
    ShowAndWait(form);
    ChooseTopic(form, 2);
    form.ShowHelp();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.CurrentTopic(), 2);
    EXPECT_EQ(ShownLines(form), TWendleHelpForm::TopicLines(2));
}

TEST(HelpFormWindow, ShowingGivesTheTextAreaTheFocus)
{
    TWendleHelpForm form;
    ShowAndWait(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_TRUE(Memo(form)->hasFocus());
    ChooseTopic(form, 1);
    EXPECT_TRUE(Memo(form)->hasFocus()) << "choosing a topic hands the focus to the text";
}

// The program's end is decided inside the event loop, so these two run one.
TEST(HelpFormWindow, ClosingItDoesNotEndTheProgram)
{
    TWendleHelpForm form;
    EXPECT_FALSE(form.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_FALSE(form.testAttribute(Qt::WA_DeleteOnClose));
    QWidget mainWindow;
    mainWindow.show();
    ShowAndWait(form);
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    int closedBeforeMainWindow = -1;
    QTimer::singleShot(0, &form, [&form] { form.close(); });
    QTimer::singleShot(100, &mainWindow, [&] {
        closedBeforeMainWindow = static_cast<int>(lastClosed.count());
        mainWindow.close();
    });
    QApplication::exec();
    EXPECT_EQ(closedBeforeMainWindow, 0) << "closing help must not end the program";
    EXPECT_FALSE(form.isVisible());
}

TEST(HelpFormWindow, ClosingTheMainWindowEndsTheProgramWhileHelpIsOpen)
{
    QWidget mainWindow;
    mainWindow.show();
    TWendleHelpForm form;
    ShowAndWait(form);
    bool timedOut = false;
    QTimer::singleShot(0, &mainWindow, [&mainWindow] { mainWindow.close(); });
    QTimer::singleShot(5000, qApp, [&timedOut] {
        timedOut = true;
        QApplication::quit();
    });
    QApplication::exec();
    EXPECT_FALSE(timedOut) << "a visible help window must not keep the program alive";
}
