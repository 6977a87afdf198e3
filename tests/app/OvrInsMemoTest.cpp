#include "OvrInsMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

using wendle::TOvrInsMemo;

namespace {

// The field as the main window holds it: a mode label under it, a change handler guarded by
// its own Normalising flag that normalises and then runs one update, and another control the
// focus could move to.
class MemoHost : public QWidget {
public:
    MemoHost()
    {
        auto* column = new QVBoxLayout(this);
        PlainText = new TOvrInsMemo(this);
        OvrLabel = new QLabel(QStringLiteral(" Insert"), this);
        Neighbour = new QLineEdit(this);
        column->addWidget(PlainText);
        column->addWidget(OvrLabel);
        column->addWidget(Neighbour);
        PlainText->SetModeLabel(OvrLabel);
        connect(PlainText, &QPlainTextEdit::textChanged, this, &MemoHost::PlainTextChanged);
        resize(400, 300);
    }

    void PlainTextChanged()
    {
        ++changeEvents;
        if (Normalising)
            return;
        Normalising = true;
        PlainText->Normalise();
        Normalising = false;
        ++updates;
    }

    TOvrInsMemo* PlainText { nullptr };
    QLabel* OvrLabel { nullptr };
    QLineEdit* Neighbour { nullptr };
    bool Normalising { false };
    int changeEvents { 0 };
    int updates { 0 };
};

class OvrInsMemoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<MemoHost>();
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
        host->activateWindow();
        host->PlainText->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
    }

    TOvrInsMemo& Memo() { return *host->PlainText; }
    QString Text() { return Memo().toPlainText(); }
    int Caret() { return Memo().textCursor().position(); }

    void SetText(const QString& text)
    {
        Memo().setPlainText(text);
        host->updates = 0;
        host->changeEvents = 0;
    }

    void PlaceCaret(int position)
    {
        QTextCursor cursor = Memo().textCursor();
        cursor.setPosition(position);
        Memo().setTextCursor(cursor);
    }

    void Select(int from, int to)
    {
        QTextCursor cursor = Memo().textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Memo().setTextCursor(cursor);
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&Memo(), key, modifiers);
    }

    void Type(const QString& text) { QTest::keyClicks(&Memo(), text); }

    // A key whose character has no plain ASCII key of its own.
    void TypeCharacter(Qt::Key key, const QString& text)
    {
        QTest::sendKeyEvent(QTest::Click, &Memo(), key, text, Qt::NoModifier);
    }

    void EnterOverwriteMode()
    {
        Key(Qt::Key_Insert);
        ASSERT_EQ(host->OvrLabel->text(), QStringLiteral("Overwrite"));
        ASSERT_TRUE(Memo().OverwriteMode());
    }

    std::unique_ptr<MemoHost> host;
};

// Mode and the Insert key ------------------------------------------------------------------

TEST_F(OvrInsMemoTest, InsertKeyTogglesTheLabelCaption)
{
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral(" Insert"));
    EXPECT_FALSE(Memo().OverwriteMode());
    Key(Qt::Key_Insert);
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral("Overwrite"));
    EXPECT_TRUE(Memo().OverwriteMode());
    Key(Qt::Key_Insert);
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral("Insert"));
    EXPECT_FALSE(Memo().OverwriteMode());
    Key(Qt::Key_Insert);
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral("Overwrite"));
    EXPECT_TRUE(Memo().hasFocus());
}

TEST_F(OvrInsMemoTest, InsertWithAltStillToggles)
{
    Key(Qt::Key_Insert, Qt::AltModifier);
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral("Overwrite"));
}

TEST_F(OvrInsMemoTest, OverwriteOnlyWhenTheCaptionIsExactlyOverwrite)
{
    SetText("ABC");
    host->OvrLabel->setText(QStringLiteral("overwrite"));
    EXPECT_FALSE(Memo().OverwriteMode());
    PlaceCaret(1);
    Type("X");
    EXPECT_EQ(Text(), QStringLiteral("AXBC"));
    Key(Qt::Key_Insert);
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral("Overwrite"));
}

TEST_F(OvrInsMemoTest, ShiftInsertPastesWithoutChangingTheMode)
{
    SetText("AB");
    PlaceCaret(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Text(), QStringLiteral("AXYB"));
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral(" Insert"));
}

TEST_F(OvrInsMemoTest, ShiftInsertInOverwriteModeInsertsAsItIsNoTypedCharacter)
{
    SetText("AB");
    EnterOverwriteMode();
    PlaceCaret(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Text(), QStringLiteral("AXYB"));
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral("Overwrite"));
}

TEST_F(OvrInsMemoTest, CtrlInsertCopiesWithoutChangingTheMode)
{
    SetText("ABCD");
    QGuiApplication::clipboard()->clear();
    Select(1, 3);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("BC"));
    EXPECT_EQ(host->OvrLabel->text(), QStringLiteral(" Insert"));
    EXPECT_EQ(Text(), QStringLiteral("ABCD"));
}

TEST_F(OvrInsMemoTest, WithoutALabelTheFieldStaysInInsertMode)
{
    TOvrInsMemo bare;
    EXPECT_FALSE(bare.OverwriteMode());
    bare.setPlainText("AB");
    QTest::keyClick(&bare, Qt::Key_Insert);
    QTextCursor cursor = bare.textCursor();
    cursor.setPosition(1);
    bare.setTextCursor(cursor);
    QTest::keyClicks(&bare, "X");
    EXPECT_EQ(bare.toPlainText(), QStringLiteral("AXB"));
}

// Typed characters and the normalisation ------------------------------------------------

TEST_F(OvrInsMemoTest, TypedLettersAreUpperCasedAtTheKeyPress)
{
    // No normaliser here: the key press alone makes the capital.
    TOvrInsMemo bare;
    QTest::keyClicks(&bare, "abz AZ1");
    EXPECT_EQ(bare.toPlainText(), QStringLiteral("ABZ AZ1"));
}

TEST_F(OvrInsMemoTest, TypingALowerCaseLetterGivesTheCapital)
{
    Type("a");
    EXPECT_EQ(Text(), QStringLiteral("A"));
    Type("hello, world!");
    EXPECT_EQ(Text(), QStringLiteral("AHELLO, WORLD!"));
}

TEST_F(OvrInsMemoTest, CharactersTheFontLacksBecomeBlanks)
{
    SetText("A");
    Memo().moveCursor(QTextCursor::End);
    Type("{~`|}");
    EXPECT_EQ(Text(), QStringLiteral("A     "));
    TypeCharacter(Qt::Key_Eacute, QStringLiteral("\u00E9"));
    TypeCharacter(Qt::Key_unknown, QStringLiteral("\u20AC"));
    TypeCharacter(Qt::Key_unknown, QString::fromUcs4(U"\U0001F600", 1));
    EXPECT_EQ(Text(), QStringLiteral("A        ")) << "one blank for each character";
    EXPECT_EQ(Caret(), 9);
}

TEST_F(OvrInsMemoTest, FontCharactersAreKeptAsTheyAre)
{
    const QString font
        = QStringLiteral("A !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_");
    QGuiApplication::clipboard()->setText(font);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), font);
    EXPECT_EQ(host->updates, 1);
}

TEST_F(OvrInsMemoTest, PastingLowerCaseGivesUpperCaseByTheNormalisation)
{
    // Pasting into a field without the change handler shows the key press does not do it.
    TOvrInsMemo bare;
    QGuiApplication::clipboard()->setText(QStringLiteral("hello\nworld"));
    QTest::keyClick(&bare, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(bare.toPlainText(), QStringLiteral("hello\nworld"));

    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("HELLO\nWORLD"));
    EXPECT_EQ(Caret(), 11) << "the caret stays after the pasted text";
}

TEST_F(OvrInsMemoTest, LeadingBlanksOfATypedOrPastedLineAreRemoved)
{
    Type("  AB");
    EXPECT_EQ(Text(), QStringLiteral("AB"));
    Key(Qt::Key_Return);
    QGuiApplication::clipboard()->setText(QStringLiteral("   cd"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("AB\nCD"));
}

TEST_F(OvrInsMemoTest, ALineOfBlanksOnlyBecomesEmpty)
{
    SetText("AB\nCD");
    PlaceCaret(2);
    Key(Qt::Key_Return);
    Type("   ");
    EXPECT_EQ(Text(), QStringLiteral("AB\n\nCD"));
    EXPECT_EQ(Caret(), 3);
}

TEST_F(OvrInsMemoTest, ABlankMadeAtTheStartOfALineStaysUntilTheNextChange)
{
    SetText("AB\nX");
    PlaceCaret(3);
    Type("{");
    EXPECT_EQ(Text(), QStringLiteral("AB\n X"));
    Memo().moveCursor(QTextCursor::End);
    Type("Y");
    EXPECT_EQ(Text(), QStringLiteral("AB\nXY"));
}

TEST_F(OvrInsMemoTest, CaretKeepsItsPlaceWhenALineIsNormalised)
{
    SetText("ABCD");
    PlaceCaret(2);
    Type("{");
    EXPECT_EQ(Text(), QStringLiteral("AB CD"));
    EXPECT_EQ(Caret(), 3) << "the caret stands after the blank, not at the line's end";
}

TEST_F(OvrInsMemoTest, OneUpdatePerChangeAndNoNestedNormalisation)
{
    SetText("AB");
    Memo().moveCursor(QTextCursor::End);
    Type("{");
    EXPECT_EQ(host->updates, 1);
    EXPECT_GE(host->changeEvents, 2) << "the line replacement is itself a change";
    EXPECT_FALSE(host->Normalising);
}

TEST_F(OvrInsMemoTest, NormaliseReportsWhetherItChangedTheText)
{
    TOvrInsMemo bare;
    bare.setPlainText(QStringLiteral("ABC\nDEF"));
    EXPECT_FALSE(bare.Normalise());
    bare.setPlainText(QStringLiteral("  a\tb\n  \nc{"));
    EXPECT_TRUE(bare.Normalise());
    EXPECT_EQ(bare.toPlainText(), QStringLiteral("A B\n\nC "));
    EXPECT_FALSE(bare.Normalise());
}

TEST_F(OvrInsMemoTest, UndoAfterANormalisedKeyRestoresTheTextBefore)
{
    SetText("AB");
    Memo().moveCursor(QTextCursor::End);
    Type("{");
    ASSERT_EQ(Text(), QStringLiteral("AB "));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("AB"));
}

TEST_F(OvrInsMemoTest, UndoAfterANormalisedPasteRestoresTheTextBefore)
{
    SetText("AB");
    Memo().moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(QStringLiteral("c{d"));
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Text(), QStringLiteral("ABC D"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("AB"));
}

TEST_F(OvrInsMemoTest, UndoAfterAnOverwriteRestoresTheCharacter)
{
    SetText("ABC");
    EnterOverwriteMode();
    PlaceCaret(1);
    Type("x");
    ASSERT_EQ(Text(), QStringLiteral("AXC"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("ABC"));
}

TEST_F(OvrInsMemoTest, KeysThatDoNotEditReportNoChange)
{
    SetText("ABC");
    PlaceCaret(1);
    Key(Qt::Key_Right);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_End);
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Shift);
    EXPECT_EQ(host->changeEvents, 0);
    EXPECT_EQ(host->updates, 0);
}

// Overwrite mode -----------------------------------------------------------------------------

TEST_F(OvrInsMemoTest, OverwriteReplacesTheCharacterAfterTheCaret)
{
    SetText("ABC");
    EnterOverwriteMode();
    PlaceCaret(1);
    Type("x");
    EXPECT_EQ(Text(), QStringLiteral("AXC"));
    EXPECT_EQ(Caret(), 2);
    EXPECT_FALSE(Memo().textCursor().hasSelection());
}

TEST_F(OvrInsMemoTest, OverwriteAtTheEndOfALineInserts)
{
    SetText("AB\nCD");
    EnterOverwriteMode();
    PlaceCaret(2);
    Type("X");
    EXPECT_EQ(Text(), QStringLiteral("ABX\nCD"));
    Memo().moveCursor(QTextCursor::End);
    Type("E");
    EXPECT_EQ(Text(), QStringLiteral("ABX\nCDE"));
}

TEST_F(OvrInsMemoTest, OverwriteBackspaceMidLineDeletesTheCharacterAfterTheCaret)
{
    SetText("ABC");
    EnterOverwriteMode();
    PlaceCaret(1);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text(), QStringLiteral("AC"));
    EXPECT_EQ(Caret(), 1);
}

TEST_F(OvrInsMemoTest, OverwriteBackspaceAtTheEndOfALineDeletesBackwards)
{
    SetText("ABC\nD");
    EnterOverwriteMode();
    PlaceCaret(3);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text(), QStringLiteral("AB\nD"));
    EXPECT_EQ(Caret(), 2);
}

TEST_F(OvrInsMemoTest, OverwriteWithASelectionReplacesTheSelection)
{
    SetText("ABCD");
    EnterOverwriteMode();
    Select(1, 3);
    Type("X");
    EXPECT_EQ(Text(), QStringLiteral("AXD"));
}

TEST_F(OvrInsMemoTest, OverwriteEnterMidLineReplacesTheNextCharacterByALineBreak)
{
    SetText("ABC");
    EnterOverwriteMode();
    PlaceCaret(1);
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), QStringLiteral("A\nC"));
    EXPECT_EQ(Caret(), 2);
}

TEST_F(OvrInsMemoTest, OverwritePasteMidLineReplacesTheNextCharacter)
{
    SetText("ABC");
    EnterOverwriteMode();
    PlaceCaret(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("xy"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("AXYC"));
    EXPECT_EQ(Caret(), 3);
}

TEST_F(OvrInsMemoTest, OverwriteTabReplacesTheNextCharacterByABlank)
{
    SetText("ABC");
    EnterOverwriteMode();
    PlaceCaret(1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Text(), QStringLiteral("A C"));
}

TEST_F(OvrInsMemoTest, InsertModeInsertsInMidLine)
{
    SetText("ABC");
    PlaceCaret(1);
    Type("X");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text(), QStringLiteral("BC"));
}

// Tab stays in the field ---------------------------------------------------------------------

TEST_F(OvrInsMemoTest, TabInsertsABlankAndKeepsTheFocus)
{
    SetText("AB");
    PlaceCaret(1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Text(), QStringLiteral("A B"));
    EXPECT_TRUE(Memo().hasFocus());
    EXPECT_FALSE(host->Neighbour->hasFocus());
}

TEST_F(OvrInsMemoTest, ShiftTabInsertsABlankAndKeepsTheFocus)
{
    SetText("AB");
    PlaceCaret(1);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Text(), QStringLiteral("A  B"));
    EXPECT_TRUE(Memo().hasFocus());
}

TEST_F(OvrInsMemoTest, ALineStartingWithATabStartsWithOneBlankUntilTheNextChange)
{
    SetText("X\nAB");
    PlaceCaret(0);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Text(), QStringLiteral(" X\nAB"));
    EXPECT_EQ(Caret(), 1);
    Memo().moveCursor(QTextCursor::End);
    Type("C");
    EXPECT_EQ(Text(), QStringLiteral("X\nABC"));
}

// The shown lines ----------------------------------------------------------------------------

TEST_F(OvrInsMemoTest, LinesOfShortTextAreTheTextLines)
{
    TOvrInsMemo bare;
    bare.resize(400, 200);
    bare.show();
    EXPECT_EQ(bare.LineCount(), 0) << "an empty text has no lines";
    EXPECT_TRUE(bare.DisplayedLines().empty());

    bare.setPlainText(QStringLiteral("AB\n\nCD\n"));
    EXPECT_EQ(bare.LineCount(), 3) << "an empty last line after the final break is not counted";
    EXPECT_EQ(bare.Line(0), QStringLiteral("AB"));
    EXPECT_EQ(bare.Line(1), QString());
    EXPECT_EQ(bare.Line(2), QStringLiteral("CD"));
    EXPECT_EQ(bare.Line(3), QString());
    EXPECT_EQ(bare.DisplayedLines(), (std::vector<std::string> { "AB", "", "CD" }));

    bare.setPlainText(QStringLiteral("\n"));
    EXPECT_EQ(bare.LineCount(), 1);
}

TEST_F(OvrInsMemoTest, WrappedPiecesAreLinesOfTheirOwn)
{
    TOvrInsMemo bare;
    const QFontMetrics metrics(bare.font());
    const int fits = metrics.horizontalAdvance(QStringLiteral("HELLO "));
    const int tooWide = metrics.horizontalAdvance(QStringLiteral("HELLO WORLD"));
    const int textWidth = (fits + tooWide) / 2;
    const int chrome
        = 2 * bare.frameWidth() + 2 * static_cast<int>(bare.document()->documentMargin());
    bare.resize(textWidth + chrome, 200);
    bare.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bare));

    bare.setPlainText(QStringLiteral("HELLO WORLD\nAB"));
    ASSERT_EQ(bare.LineCount(), 3);
    EXPECT_EQ(bare.Line(0), QStringLiteral("HELLO "));
    EXPECT_EQ(bare.Line(1), QStringLiteral("WORLD"));
    EXPECT_EQ(bare.Line(2), QStringLiteral("AB"));
    EXPECT_EQ(bare.DisplayedLines(), (std::vector<std::string> { "HELLO ", "WORLD", "AB" }));

    // Replacing a wrapped piece leaves the rest of its text line alone.
    bare.ReplaceLine(1, QStringLiteral("ALL"));
    EXPECT_EQ(bare.toPlainText(), QStringLiteral("HELLO ALL\nAB"));

    // Widening the field joins the pieces without any change of the text.
    QSignalSpy changes(&bare, &QPlainTextEdit::textChanged);
    bare.resize(tooWide * 3 + chrome, 200);
    QTest::qWait(0);
    EXPECT_EQ(bare.LineCount(), 2);
    EXPECT_EQ(bare.Line(0), QStringLiteral("HELLO ALL"));
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(OvrInsMemoTest, AWordWiderThanTheFieldIsBrokenAnywhere)
{
    TOvrInsMemo bare;
    const QFontMetrics metrics(bare.font());
    const int chrome
        = 2 * bare.frameWidth() + 2 * static_cast<int>(bare.document()->documentMargin());
    bare.resize(metrics.horizontalAdvance(QStringLiteral("WWWW")) + chrome + 2, 200);
    bare.show();
    bare.setPlainText(QStringLiteral("WWWWWWWWWW"));
    ASSERT_GE(bare.LineCount(), 3);
    QString joined;
    for (const std::string& line : bare.DisplayedLines())
        joined += QString::fromStdString(line);
    EXPECT_EQ(joined, QStringLiteral("WWWWWWWWWW"));
}

TEST_F(OvrInsMemoTest, DisplayedLinesReadCharactersTheFontLacksAsBlanks)
{
    TOvrInsMemo bare;
    bare.resize(400, 200);
    bare.setPlainText(QStringLiteral("A\u00E9\u20ACB"));
    EXPECT_EQ(bare.DisplayedLines(), (std::vector<std::string> { "A  B" }));
}

TEST_F(OvrInsMemoTest, ReplaceLineKeepsTheLineBreaksAroundIt)
{
    SetText("AB\nCD\nEF");
    PlaceCaret(7);
    Memo().ReplaceLine(1, QStringLiteral("XYZ"));
    EXPECT_EQ(Text(), QStringLiteral("AB\nXYZ\nEF"));
    EXPECT_EQ(Caret(), 8) << "the caret moves with the text after the line";
    Memo().ReplaceLine(5, QStringLiteral("Q"));
    EXPECT_EQ(Text(), QStringLiteral("AB\nXYZ\nEF"));
}

} // namespace
