#include "FormFixture.h"

#include <map>

namespace {

// The message field in the main window, which has shortcuts on Tab and Insert that must not
// take them from the field.
class OvrInsMemoTest : public wendle::test::FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        memo = form->PlainText;
        for (const auto key : { Qt::Key_Tab, Qt::Key_Insert })
            new QShortcut(QKeySequence(key), form.get()); // owned by the window
        memo->setFocus();
    }
    void Select(int anchor, int caret)
    {
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(caret, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
    }
    wendle::TOvrInsMemo* memo { nullptr };
};

// Keys beyond plain typing (a capital is typed with Shift): \b Backspace, \t Tab, \1 Shift+Tab,
// \n Enter, \6 Shift+Enter, \2 Insert, \3 Shift+Insert, \16 Ctrl+Insert, \17 Alt+Insert, \33
// Escape, \177 Delete, \4 Ctrl+Delete, \5 Ctrl+End, \21 Ctrl+Backspace, \26 Ctrl+V, \32 Ctrl+Z.
// Ctrl+letters are characters of their own, which overwrite mode prepares; other Ctrl keys are not.
TEST_F(OvrInsMemoTest, EditingUpperCasesOverwritesAndNormalisesLineByLine)
{
    const std::map<char, QKeyCombination> keys { { '\b', Qt::Key_Backspace }, { '\t', Qt::Key_Tab },
        { '\1', Qt::SHIFT | Qt::Key_Backtab }, { '\n', Qt::Key_Return },
        { '\6', Qt::SHIFT | Qt::Key_Return }, { '\2', Qt::Key_Insert },
        { '\3', Qt::SHIFT | Qt::Key_Insert }, { '\16', Qt::CTRL | Qt::Key_Insert },
        { '\17', Qt::ALT | Qt::Key_Insert }, { '\33', Qt::Key_Escape }, { '\177', Qt::Key_Delete },
        { '\4', Qt::CTRL | Qt::Key_Delete }, { '\5', Qt::CTRL | Qt::Key_End },
        { '\21', Qt::CTRL | Qt::Key_Backspace }, { '\26', Qt::CTRL | Qt::Key_V },
        { '\32', Qt::CTRL | Qt::Key_Z } };
    // Text, selection, clipboard, keys; the text and caret after them (-1: not checked).
    using Case = std::tuple<const char*, int, int, const char*, const char*, const char*, int>;
    const Case cases[] = { { "", 0, 0, "", "hello, world!", "HELLO, WORLD!", 13 },
        { "A", 1, 1, "", "{~`|}", "A     ", 6 }, { "", 0, 0, "", "  AB", "AB", 2 },
        { "AB\nCD", 2, 2, "", "\n   ", "AB\n\nCD", 3 }, { "AB\nX", 3, 3, "", "{\5Y", "AB\nXY", 5 },
        { "ABCD", 2, 2, "", "{", "AB CD", 3 }, { "X\nAB", 0, 0, "", "\t\5C", "X\nABC", 5 },
        { "AB", 1, 1, "", "\t\1", "A  B", 3 }, { "AB", 1, 1, "", "\6", "A\nB", 2 },
        { "AB\n", 3, 3, "   cd", "\26", "AB\nCD", 5 }, { "AB", 2, 2, "c{d", "\26\32", "AB", -1 },
        { "ABC", 1, 1, "", "X\b\b", "BC", 0 }, { "A BC", 0, 0, "", "\177\32", "A BC", -1 },
        { "AB CD", 0, 0, "", "\4\32", "AB CD", -1 }, { "ABC", 1, 1, "", "\2x\32", "ABC", -1 },
        { "AB\nCD", 2, 2, "", "\2X", "ABX\nCD", 3 }, { "ABC\nD", 3, 3, "", "\2\b", "AB\nD", 2 },
        { "ABCD", 1, 3, "", "\2X", "AXD", 2 }, { "ABC", 1, 1, "", "\2\n", "A\nC", 2 },
        { "ABC", 1, 1, "xy", "\2\26", "AXYC", 3 }, { "ABC", 1, 1, "", "\2\t", "A C", 2 },
        { "AB", 1, 1, "XY", "\2\3Z", "AXYZ", 4 },
        // Insert alone toggles the mode, with or without Alt.
        { "AB", 1, 1, "", "\2\17X", "AXB", 2 }, { "AB", 1, 1, "", "\2\16X", "AX", 2 },
        { "AB CD", 4, 4, "", "\2\21", "AB D", 3 }, { "ABC", 1, 1, "", "\2\33", "ABC", 1 },
        // One blank for each character the font lacks, even one of two code units.
        { "AC", 1, 1, "\357\277\277B", "\26", "A BC", 3 },
        { "A", 1, 1, "\303\251\342\202\254\360\237\230\200", "\26", "A   ", 4 } };
    for (const auto& [text, anchor, caret, clipboard, script, result, resultCaret] : cases) {
        SCOPED_TRACE(script);
        form->OvrLabel->setText(" Insert");
        memo->setPlainText(text);
        Select(anchor, caret);
        QApplication::clipboard()->setText(QString::fromUtf8(clipboard));
        for (const char key : std::string(script)) {
            const auto special = keys.find(key);
            if (special != keys.end())
                QTest::keyClick(memo, special->second.key(), special->second.keyboardModifiers());
            else
                QTest::keyClick(memo, QChar(key).toLower().toLatin1(),
                    QChar(key).isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
        }
        EXPECT_EQ(memo->toPlainText(), result);
        EXPECT_TRUE(memo->hasFocus()) << "Tab stays in the field";
        // After an undo the caret is the editor's own business.
        EXPECT_EQ(resultCaret < 0 ? -1 : memo->textCursor().position(), resultCaret);
    }
    // The lines as shown, each replaceable on its own; lines out of range are empty and left
    // alone. Normalise says whether it changed the text.
    const QSignalBlocker quiet(memo); // the window would normalise every change
    memo->setPlainText("ab\n\nCD\n");
    EXPECT_EQ(memo->LineCount(), 3);
    EXPECT_EQ(
        QStringList({ memo->Line(-1), memo->Line(0), memo->Line(1), memo->Line(2), memo->Line(3) }),
        QStringList({ "", "ab", "", "CD", "" }));
    Select(2, 2);
    memo->ReplaceLine(0, "xyz"); // a caret at the line's end stays at its end
    EXPECT_EQ(memo->textCursor().position(), 3);
    Select(2, 2);
    memo->ReplaceLine(0, "q"), memo->ReplaceLine(-1, "!"), memo->ReplaceLine(3, "!");
    EXPECT_EQ(memo->textCursor().position(), 1);
    EXPECT_TRUE(memo->Normalise());
    EXPECT_FALSE(memo->Normalise());
    EXPECT_EQ(memo->toPlainText(), "Q\n\nCD\n");
}

} // namespace
