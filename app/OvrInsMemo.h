#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QEvent;
class QKeyEvent;
class QResizeEvent;

namespace wendle {

/// The message field: a plain multi-line editor with an insert/overwrite mode toggled by the
/// Insert key, typed letters upper-cased, and a normalisation that leaves only characters of
/// the stitch font in the text.
///
/// It derives from QPlainTextEdit rather than QTextEdit: the message is plain text, so a paste
/// can never bring fonts or colours with it, and every line of the document is one block whose
/// own QTextLayout holds the wrapped lines the chart is laid out from.
///
/// Wiring by the owner:
/// - `SetModeLabel(OvrLabel)`: the label's caption is the mode's only record (" Insert" at
///   start, then "Overwrite", "Insert", ...); the field overwrites exactly when it reads
///   "Overwrite". Without a label the field stays in insert mode.
/// - Connect `textChanged` to the owner's change handler, which guards itself with its own
///   `Normalising` flag: if set, return; else set it, call `Normalise()`, clear it and run the
///   update. `Normalise()` edits the text, so it emits `textChanged` again, synchronously,
///   while the flag is still set; those nested calls must return at once.
class TOvrInsMemo : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TOvrInsMemo(QWidget* parent = nullptr);

    /// The label whose caption records the mode; the field does not own it.
    void SetModeLabel(QLabel* label);
    QLabel* ModeLabel() const { return FModeLabel; }

    /// True exactly when the mode label reads "Overwrite".
    bool OverwriteMode() const;

    /// The lines as the field shows them: every wrapped piece of a long line is a line of its
    /// own, an empty line after a final line break is not counted, and an empty text has none.
    int LineCount() const;
    QString Line(int index) const;
    /// Replaces the characters of one shown line, leaving the line breaks around it. The caret
    /// keeps its place relative to the text around the line.
    void ReplaceLine(int index, const QString& text);
    /// Every shown line in the stitch font's character set, for the chart layout; characters
    /// the font lacks, should any remain, read as blanks.
    std::vector<std::string> DisplayedLines() const;

    /// One pass of the font rule over every shown line, first to last: leading blanks removed,
    /// then a to z upper-cased, accented Latin letters spelt in capitals (É to E, ß to SS),
    /// combining marks dropped and every other character the font lacks made a blank. A blank
    /// made at the start of a line stays until the next pass. A caret after a letter that
    /// became two stays after both. Merged into the user's last undo step, so that undo never
    /// meets a text the normalisation would change straight back. Returns whether the text
    /// changed.
    bool Normalise();

signals:
    /// The field's width changed, which may wrap its lines differently.
    void WidthChanged();

protected:
    bool event(QEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct LineSpan {
        int Start { 0 };
        int Length { 0 };
    };

    std::vector<LineSpan> LineSpans() const;
    void HandleKey(QKeyEvent* event);
    void ToggleMode();
    void PrepareOverwrite();
    // Replaces one shown line; mapOffset tells where a caret at an offset inside the old line
    // stands in the new one.
    void ReplaceSpan(
        const LineSpan& span, const QString& text, const std::function<int(int)>& mapOffset);

    QPointer<QLabel> FModeLabel;
    bool InNormalise { false };
};

} // namespace wendle
