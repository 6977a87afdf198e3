#include "app/OvrInsMemo.h"

#include "chart/TextNormaliser.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace wendle {

namespace {

    const QString OverwriteCaption = QStringLiteral("Overwrite");
    const QString InsertCaption = QStringLiteral("Insert");

    const QColor Cream(255, 251, 240);
    const QColor Maroon(128, 0, 0);

    bool HasControlWithoutAlt(Qt::KeyboardModifiers modifiers)
    {
        return (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    }

    // The keys that reach the field as a character of their own: printable text, Backspace,
    // Tab, Enter and the Ctrl+letter codes (among them Ctrl+V, the paste). They are the keys
    // that overwrite mode prepares by selecting the character after the caret.
    bool IsTypedCharacter(const QKeyEvent& event)
    {
        const Qt::KeyboardModifiers modifiers = event.modifiers();
        const int key = event.key();
        if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) {
            // AltGr combinations still type their character.
            return !event.text().isEmpty() && event.text().front().isPrint()
                && !HasControlWithoutAlt(modifiers);
        }
        if (modifiers & Qt::ControlModifier)
            return key >= Qt::Key_A && key <= Qt::Key_Z;
        switch (key) {
        case Qt::Key_Backspace:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return true;
        default:
            return !event.text().isEmpty() && event.text().front().isPrint();
        }
    }

    // The keys whose edit is a plain insertion or deletion, which the document does not make
    // an undo step of its own.
    bool EditsAsOneStep(const QKeyEvent& event)
    {
        if (event.key() == Qt::Key_Delete)
            return true;
        for (const auto sequence :
            { QKeySequence::Cut, QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord,
                QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine }) {
            if (event.matches(sequence))
                return true;
        }
        if (HasControlWithoutAlt(event.modifiers()))
            return false;
        return IsTypedCharacter(event);
    }

    QString UpperCased(const QString& text)
    {
        QString result = text;
        for (QChar& character : result)
            character = QChar(static_cast<char16_t>(UpperCaseKey(character.unicode())));
        return result;
    }

} // namespace

TOvrInsMemo::TOvrInsMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("PlainText"));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, Cream);
    colours.setColor(QPalette::Text, Maroon);
    setPalette(colours);

    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(17);
    arial.setBold(true);
    setFont(arial);
}

void TOvrInsMemo::SetModeLabel(QLabel* label) { FModeLabel = label; }

bool TOvrInsMemo::OverwriteMode() const
{
    return FModeLabel && FModeLabel->text() == OverwriteCaption;
}

void TOvrInsMemo::ToggleMode()
{
    if (FModeLabel)
        FModeLabel->setText(OverwriteMode() ? InsertCaption : OverwriteCaption);
}

void TOvrInsMemo::insertFromMimeData(const QMimeData* source)
{
    // Qt's own insertion crashes on a clipboard that holds nothing at all, as an empty
    // clipboard of the window system does; there is nothing to paste anyway.
    if (source == nullptr || source->formats().isEmpty())
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

bool TOvrInsMemo::event(QEvent* event)
{
    // Tab, Shift+Tab and Insert belong to the field while it has the focus: no shortcut or
    // focus chain of the window may take them first.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = keyEvent->modifiers();
        const int key = keyEvent->key();
        const bool tab = (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            && !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
        const bool insert
            = key == Qt::Key_Insert && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
        if (tab || insert) {
            event->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void TOvrInsMemo::keyPressEvent(QKeyEvent* event)
{
    // An edit by a key is one undo step, and the normalisation that its change starts joins
    // that step; so undo goes back to the text before the key, never to a text the
    // normalisation would change straight back. Only keys that edit are wrapped, as even an
    // empty step reports a change; a paste is a step of its own already.
    if (!EditsAsOneStep(*event)) {
        HandleKey(event);
        return;
    }
    QTextCursor editStep(document());
    editStep.beginEditBlock();
    HandleKey(event);
    editStep.endEditBlock();
}

void TOvrInsMemo::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        emit WidthChanged();
}

void TOvrInsMemo::HandleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int key = event->key();

    if (key == Qt::Key_Insert) {
        // Alt is not examined; Shift+Insert and Ctrl+Insert keep their paste and copy.
        if (!(modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
            ToggleMode();
        QPlainTextEdit::keyPressEvent(event);
        return;
    }

    if (!IsTypedCharacter(*event)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }

    PrepareOverwrite();

    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !HasControlWithoutAlt(modifiers)) {
        // Both stay in the field as a tab character; the normalisation makes it a blank.
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (modifiers & Qt::ShiftModifier)) {
        // Shift+Enter would make a soft line break inside the line; here every break is a real
        // one, as the chart reads it.
        QKeyEvent plainEnter(event->type(), key, modifiers & ~Qt::ShiftModifier,
            event->nativeScanCode(), event->nativeVirtualKey(), event->nativeModifiers(),
            QStringLiteral("\r"), event->isAutoRepeat(), event->count());
        QPlainTextEdit::keyPressEvent(&plainEnter);
        event->setAccepted(plainEnter.isAccepted());
        return;
    }

    // A Ctrl+letter key carries its control code, not the letter, so it has no case.
    const QString upper
        = HasControlWithoutAlt(modifiers) ? event->text() : UpperCased(event->text());
    if (upper == event->text()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent upperCased(event->type(), key, modifiers, event->nativeScanCode(),
        event->nativeVirtualKey(), event->nativeModifiers(), upper, event->isAutoRepeat(),
        event->count());
    QPlainTextEdit::keyPressEvent(&upperCased);
    event->setAccepted(upperCased.isAccepted());
}

void TOvrInsMemo::PrepareOverwrite()
{
    if (!OverwriteMode())
        return;
    QTextCursor cursor = textCursor();
    // Only a line break ends the search: at the end of a wrapped piece the next character is
    // still on the same line of the text and is overwritten.
    if (cursor.hasSelection() || cursor.atBlockEnd())
        return;
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

std::vector<TOvrInsMemo::LineSpan> TOvrInsMemo::LineSpans() const
{
    std::vector<LineSpan> spans;
    const QTextDocument* doc = document();
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    const QTextBlock last = doc->lastBlock();
    for (QTextBlock block = doc->firstBlock(); block.isValid(); block = block.next()) {
        // An empty last block is the empty line after a final line break, or an empty text.
        if (block == last && block.length() <= 1)
            break;
        // Asking for the block's rectangle lays the block out if a change has discarded its
        // lines, so the pieces below are those of the field's current width.
        layout->blockBoundingRect(block);
        const QTextLayout* lines = block.layout();
        if (lines->lineCount() == 0) {
            spans.push_back({ block.position(), block.length() - 1 });
            continue;
        }
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            spans.push_back({ block.position() + line.textStart(), line.textLength() });
        }
    }
    return spans;
}

int TOvrInsMemo::LineCount() const { return static_cast<int>(LineSpans().size()); }

QString TOvrInsMemo::Line(int index) const
{
    const std::vector<LineSpan> spans = LineSpans();
    if (index < 0 || index >= static_cast<int>(spans.size()))
        return {};
    const LineSpan span = spans.at(static_cast<std::size_t>(index));
    const QTextBlock block = document()->findBlock(span.Start);
    return block.text().mid(span.Start - block.position(), span.Length);
}

void TOvrInsMemo::ReplaceLine(int index, const QString& text)
{
    const std::vector<LineSpan> spans = LineSpans();
    if (index < 0 || index >= static_cast<int>(spans.size()))
        return;
    const auto clamped
        = [&text](int offset) { return std::min(offset, static_cast<int>(text.size())); };
    ReplaceSpan(spans.at(static_cast<std::size_t>(index)), text, clamped);
}

void TOvrInsMemo::ReplaceSpan(
    const LineSpan& span, const QString& text, const std::function<int(int)>& mapOffset)
{
    // The caret stays where the user left it rather than jumping to the end of the line: one
    // after the line moves with the text after it, one inside follows mapOffset.
    const auto map = [&](int position) {
        if (position <= span.Start)
            return position;
        if (position >= span.Start + span.Length)
            return position - span.Length + static_cast<int>(text.size());
        return span.Start + mapOffset(position - span.Start);
    };
    const QTextCursor before = textCursor();
    const int anchor = map(before.anchor());
    const int position = map(before.position());

    QTextCursor edit(document());
    edit.joinPreviousEditBlock();
    edit.setPosition(span.Start);
    edit.setPosition(span.Start + span.Length, QTextCursor::KeepAnchor);
    edit.insertText(text);
    edit.endEditBlock();

    QTextCursor after = textCursor();
    after.setPosition(anchor);
    after.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(after);
}

std::vector<std::string> TOvrInsMemo::DisplayedLines() const
{
    std::vector<std::string> lines;
    const QTextDocument* doc = document();
    for (const LineSpan& span : LineSpans()) {
        const QTextBlock block = doc->findBlock(span.Start);
        const QString text = block.text().mid(span.Start - block.position(), span.Length);
        lines.push_back(ToFontText(text.toStdU32String()));
    }
    return lines;
}

bool TOvrInsMemo::Normalise()
{
    // A nested pass would rewrite lines under the one still iterating over them.
    if (InNormalise)
        return false;
    InNormalise = true;
    bool changed = false;
    std::vector<LineSpan> spans = LineSpans();
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const LineSpan span = spans[i];
        const QTextBlock block = document()->findBlock(span.Start);
        const QString text = block.text().mid(span.Start - block.position(), span.Length);
        const std::u32string original = text.toStdU32String();
        const std::u32string normalised = NormaliseLine(original);
        if (normalised == original)
            continue;
        // The offsets count characters; the field counts code units, two for a character
        // past the first plane, whose middle stands after what the character became.
        const std::vector<std::size_t> offsets = NormalisedOffsets(original);
        std::vector<int> newOffsetAt;
        newOffsetAt.reserve(static_cast<std::size_t>(text.size()) + 1);
        for (std::size_t k = 0; k < original.size(); ++k) {
            newOffsetAt.push_back(static_cast<int>(offsets[k]));
            if (original[k] > 0xFFFF)
                newOffsetAt.push_back(static_cast<int>(offsets[k + 1]));
        }
        newOffsetAt.push_back(static_cast<int>(offsets.back()));
        const auto mapOffset
            = [&newOffsetAt](int offset) { return newOffsetAt[static_cast<std::size_t>(offset)]; };
        ReplaceSpan(span, QString::fromStdU32String(normalised), mapOffset);
        changed = true;
        // The replacement may wrap the following text differently.
        spans = LineSpans();
    }
    InNormalise = false;
    return changed;
}

} // namespace wendle
