#include "OvrInsMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QShortcut>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <map>
#include <string_view>
#include <tuple>
#include <utility>

using wendle::TOvrInsMemo;

namespace {

// The field as the main window holds it: the mode label under it, a change handler guarded by
// its own Normalising flag that normalises, and a neighbour that the focus could move to.
class OvrInsMemoTest : public ::testing::Test {
protected:
    OvrInsMemoTest()
    {
        auto* column = new QVBoxLayout(&host); // owned by the host
        for (QWidget* widget : std::initializer_list<QWidget*> { memo, label, neighbour })
            column->addWidget(widget);
        memo->SetModeLabel(label);
        // Window shortcuts on Tab and Insert must not take them from the field.
        for (const auto key : { Qt::Key_Tab, Qt::Key_Insert })
            new QShortcut(QKeySequence(key), &host); // owned by the host
        QObject::connect(memo, &QPlainTextEdit::textChanged, &host, [this] {
            if (normalising)
                return;
            normalising = true;
            memo->Normalise();
            normalising = false;
        });
        host.resize(400, 300);
        host.show();
        host.activateWindow();
        memo->setFocus();
        active = QTest::qWaitForWindowActive(&host);
    }

    QWidget host;
    TOvrInsMemo* memo { new TOvrInsMemo(&host) };
    QLabel* label { new QLabel(QStringLiteral(" Insert"), &host) };
    QLineEdit* neighbour { new QLineEdit(&host) };
    bool active { false };
    bool normalising { false };
};

// Keys beyond plain typing: \b Backspace, \t Tab, \1 Shift+Tab, \n Enter, \2 Insert,
// \3 Shift+Insert, \5 Ctrl+End, \21 Ctrl+Backspace, \26 Ctrl+V, \32 Ctrl+Z. Ctrl+letters are
// characters of their own, which overwrite mode prepares; other Ctrl keys are not.
TEST_F(OvrInsMemoTest, EditingUpperCasesOverwritesAndNormalises)
{
    ASSERT_TRUE(active);
    const std::map<char, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys {
        { '\b', { Qt::Key_Backspace, {} } }, { '\t', { Qt::Key_Tab, {} } },
        { '\1', { Qt::Key_Backtab, Qt::ShiftModifier } }, { '\n', { Qt::Key_Return, {} } },
        { '\2', { Qt::Key_Insert, {} } }, { '\3', { Qt::Key_Insert, Qt::ShiftModifier } },
        { '\5', { Qt::Key_End, Qt::ControlModifier } },
        { '\26', { Qt::Key_V, Qt::ControlModifier } },
        { '\32', { Qt::Key_Z, Qt::ControlModifier } },
        { '\21', { Qt::Key_Backspace, Qt::ControlModifier } }
    };
    const std::tuple<const char*, int, int, const char*, const char*, const char*, int> cases[] = {
        { "", 0, 0, "", "hello, world!", "HELLO, WORLD!", 13 },
        { "A", 1, 1, "", "{~`|}", "A     ", 6 }, { "", 0, 0, "", "  AB", "AB", 2 },
        { "AB\nCD", 2, 2, "", "\n   ", "AB\n\nCD", 3 }, { "AB\nX", 3, 3, "", "{\5Y", "AB\nXY", 5 },
        { "ABCD", 2, 2, "", "{", "AB CD", 3 }, { "X\nAB", 0, 0, "", "\t\5C", "X\nABC", 5 },
        { "AB", 1, 1, "", "\t\1", "A  B", 3 }, { "AB\n", 3, 3, "   cd", "\26", "AB\nCD", 5 },
        { "AB", 2, 2, "c{d", "\26\32", "AB", -1 }, { "ABC", 1, 1, "", "X\b\b", "BC", 0 },
        { "ABC", 1, 1, "", "\2x\32", "ABC", -1 }, { "AB\nCD", 2, 2, "", "\2X", "ABX\nCD", 3 },
        { "ABC\nD", 3, 3, "", "\2\b", "AB\nD", 2 }, { "ABCD", 1, 3, "", "\2X", "AXD", 2 },
        { "ABC", 1, 1, "", "\2\n", "A\nC", 2 }, { "ABC", 1, 1, "xy", "\2\26", "AXYC", 3 },
        { "ABC", 1, 1, "", "\2\t", "A C", 2 }, { "AB", 1, 1, "XY", "\2\3", "AXYB", 3 },
        { "AB CD", 4, 4, "", "\2\21", "AB D", 3 }, { "AC", 1, 1, "\357\277\277B", "\26", "A BC", 3 }
    };
    for (const auto& [text, anchor, caret, clipboard, script, result, resultCaret] : cases) {
        SCOPED_TRACE(script);
        label->setText(QStringLiteral(" Insert"));
        memo->setPlainText(QString::fromLatin1(text));
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(caret, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(clipboard));
        for (const char key : std::string(script)) {
            const auto special = keys.find(key);
            if (special != keys.end())
                QTest::keyClick(memo, special->second.first, special->second.second);
            else
                QTest::keyClick(memo, key);
        }
        EXPECT_EQ(memo->toPlainText(), QString::fromLatin1(result));
        EXPECT_TRUE(memo->hasFocus()) << "Tab stays in the field";
        if (resultCaret >= 0) { // after an undo the caret is the editor's own business
            EXPECT_EQ(memo->textCursor().position(), resultCaret);
        }
    }
    label->setText(QStringLiteral(" Insert"));
    memo->setPlainText(QStringLiteral("A"));
    memo->moveCursor(QTextCursor::End);
    for (const char32_t c : std::u32string_view(U"\u00E9\u20AC\U0001F600"))
        QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, QString::fromUcs4(&c, 1), {});
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("A   ")) << "one blank for each character";
}

TEST_F(OvrInsMemoTest, InsertAloneTogglesTheModeCaption)
{
    ASSERT_TRUE(active);
    const std::pair<Qt::KeyboardModifiers, const char*> presses[]
        = { { Qt::NoModifier, "Overwrite" }, { Qt::AltModifier, "Insert" },
              { Qt::ControlModifier, "Insert" }, { Qt::ShiftModifier, "Insert" },
              { Qt::NoModifier, "Overwrite" } };
    for (const auto& [modifiers, caption] : presses) {
        QTest::keyClick(memo, Qt::Key_Insert, modifiers);
        EXPECT_EQ(label->text(), QLatin1String(caption));
        EXPECT_EQ(memo->OverwriteMode(), label->text() == "Overwrite");
    }
}

} // namespace
