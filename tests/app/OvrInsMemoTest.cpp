#include "app/OvrInsMemo.h"

#include "tests/app/FormFixture.h"

using namespace wendle;
using namespace wendle::test;

namespace {

// The message field in the main window, which has shortcuts on Tab, Shift+Tab and Insert that must
// not take them from the field.
class OvrInsMemoTest : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        memo = form->PlainText;
        for (const char* keys : { "Tab", "Shift+Tab", "Ins" })
            new QShortcut(QKeySequence(keys), form.get()); // owned by the window
        memo->setFocus();
    }
    void Select(int anchor, int caret)
    {
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(caret, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
    }
    TOvrInsMemo* memo { nullptr };
};

// Keys are typed as their characters (a capital with Shift), or named in angle brackets:
// "<Ctrl+Z>". Ctrl+letters are characters of their own, which overwrite mode prepares; other
// Ctrl keys are not.
TEST_F(OvrInsMemoTest, EditingUpperCasesOverwritesAndNormalisesLineByLine)
{
    // Text, selection, clipboard, keys; the text and caret after them (-1: not checked).
    struct Case {
        const char* text;
        int anchor, caret;
        const char* clipboard;
        const char* keys;
        const char* result;
        int caretAfter;
    } const cases[] = { { "", 0, 0, "", "hello, world!", "HELLO, WORLD!", 13 },
        { "A", 1, 1, "", "{~`|}", "A     ", 6 }, { "", 0, 0, "", "  AB", "AB", 2 },
        { "AB\nCD", 2, 2, "", "<Return>   ", "AB\n\nCD", 3 },
        { "AB\nX", 3, 3, "", "{<Ctrl+End>Y", "AB\nXY", 5 }, { "ABCD", 2, 2, "", "{", "AB CD", 3 },
        { "X\nAB", 0, 0, "", "<Tab><Ctrl+End>C", "X\nABC", 5 },
        { "AB", 1, 1, "", "<Tab><Shift+Backtab>", "A  B", 3 },
        { "AB", 1, 1, "", "<Shift+Return>", "A\nB", 2 },
        { "AB\n", 3, 3, "   cd", "<Ctrl+V>", "AB\nCD", 5 },
        { "AB", 2, 2, "c{d", "<Ctrl+V><Ctrl+Z>", "AB", -1 },
        { "ABC", 1, 1, "", "X<Backspace><Backspace>", "BC", 0 },
        { "A BC", 0, 0, "", "<Del><Ctrl+Z>", "A BC", -1 },
        { "AB CD", 0, 0, "", "<Ctrl+Del><Ctrl+Z>", "AB CD", -1 },
        { "ABC", 1, 1, "", "<Ins>x<Ctrl+Z>", "ABC", -1 },
        { "AB\nCD", 2, 2, "", "<Ins>X", "ABX\nCD", 3 },
        { "ABC\nD", 3, 3, "", "<Ins><Backspace>", "AB\nD", 2 },
        { "ABCD", 1, 3, "", "<Ins>X", "AXD", 2 }, { "ABC", 1, 1, "", "<Ins><Return>", "A\nC", 2 },
        { "ABC", 1, 1, "xy", "<Ins><Ctrl+V>", "AXYC", 3 },
        { "ABC", 1, 1, "", "<Ins><Tab>", "A C", 2 },
        { "AB", 1, 1, "XY", "<Ins><Shift+Ins>Z", "AXYZ", 4 },
        // Insert alone toggles the mode, with or without Alt.
        { "AB", 1, 1, "", "<Ins><Alt+Ins>X", "AXB", 2 },
        { "AB", 1, 1, "", "<Ins><Ctrl+Ins>X", "AX", 2 },
        { "AB CD", 4, 4, "", "<Ins><Ctrl+Backspace>", "AB D", 3 },
        { "ABC", 1, 1, "", "<Ins><Esc>", "ABC", 1 },
        // One blank for each character the font lacks, even one of two code units; accented
        // letters are spelt in capitals, the caret after what they became.
        { "AC", 1, 1, "\uffffB", "<Ctrl+V>", "A BC", 3 },
        { "A", 1, 1, "é€😀", "<Ctrl+V>", "AE  ", 4 },
        { "", 0, 0, "straße\næ", "<Ctrl+V>", "STRASSE\nAE", 10 },
        { "STRAE", 4, 4, "", "ß", "STRASSE", 6 },
        { "ZOXS", 2, 2, "", "<Ins>ë", "ZOES", 3 },
        { "AXC", 1, 1, "", "<Ins>ß", "ASSC", 3 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        form->OvrLabel->setText(" Insert");
        memo->setPlainText(c.text);
        Select(c.anchor, c.caret);
        QApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        const QString keys = QString::fromUtf8(c.keys);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const QChar key = keys[i];
            if (key == '<') {
                const qsizetype close = keys.indexOf('>', i);
                const QKeyCombination named = QKeySequence(keys.mid(i + 1, close - i - 1))[0];
                QTest::keyClick(memo, named.key(), named.keyboardModifiers());
                i = close;
            } else if (key.unicode() > 127) { // a Latin-1 key, named as its capital is
                const auto code = Qt::Key(key.toUpper().unicode());
                QTest::sendKeyEvent(QTest::Click, memo, code, QString(key), Qt::NoModifier);
            } else {
                QTest::keyClick(memo, key.toLower().toLatin1(),
                    key.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
            }
        }
        EXPECT_EQ(memo->toPlainText(), c.result);
        EXPECT_TRUE(memo->hasFocus()) << "Tab stays in the field";
        // After an undo the caret is the editor's own business.
        EXPECT_EQ(c.caretAfter < 0 ? -1 : memo->textCursor().position(), c.caretAfter);
    }
    // Pasting a clipboard that holds nothing at all changes nothing (Qt's own paste crashes).
    const QString before = memo->toPlainText();
    QApplication::clipboard()->setMimeData(new QMimeData);
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), before);
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
    // A caret before a letter that becomes two stays before both, its anchor after both.
    memo->setPlainText(QString::fromUtf8("aßb"));
    Select(2, 1);
    memo->Normalise();
    EXPECT_EQ(
        std::pair(memo->textCursor().anchor(), memo->textCursor().position()), std::pair(3, 1));
}

} // namespace
