#pragma once

#include <functional>
#include <string_view>
#include <utility>

namespace wendle {

class TSpinTextFormat;

/// How wide the characters of a spin field's font are. The widget fills it from its font;
/// tests fill it with fixed widths so that the cell arithmetic is exact.
struct TSpinTextMetrics {
    /// Width in pixels of \a text in the field's font; the text holds no placeholders.
    std::function<int(std::string_view text)> TextWidth;
    int CharWidth { 0 }; ///< width of "0"
    int CharHeight { 0 }; ///< height of "0"
};

/// A pixel rectangle with inclusive edges, the way the marked cell is described.
struct TSpinCellRect {
    int Left { 0 };
    int Top { 0 };
    int Right { 0 };
    int Bottom { 0 };
    friend bool operator==(const TSpinCellRect&, const TSpinCellRect&) = default;
};

/// Where a spin field's text stands and which pixel cell its marked digit takes. The text is
/// right-aligned against a fixed right edge and measured with a placeholder as wide as a "0".
/// Without metrics (before the window exists) nothing is placed and the cell is not valid.
class TSpinCaretGeometry {
public:
    void SetMetrics(TSpinTextMetrics metrics) { FMetrics = std::move(metrics); }
    const TSpinTextMetrics& Metrics() const { return FMetrics; }
    bool HasMetrics() const { return static_cast<bool>(FMetrics.TextWidth); }
    /// Where the next Place puts the text's right edge and its top.
    void SetTextPosition(int textRight, int textTop);
    int TextLeft() const { return FTextLeft; }
    int TextTop() const { return FTextTop; }
    TSpinCellRect CaretRect() const { return FCaretRect; }
    bool CaretValid() const { return FCaretValid; }

    /// Places \a text and finds the cell of its character at \a caretIndex (1-based). A mark
    /// right of the end of the text gets the cells of the digits it stands for, one "0" wide
    /// each.
    void Place(std::string_view text, int caretIndex);
    /// The marked cell touches the field's left edge, where the mark can move no further left.
    bool CaretAtLeftEdge() const;
    /// The decimal exponent of the digit under client x in \a text, as last placed: a click
    /// on the point marks the units, one on a separator the digit right of it, and one left
    /// of the number the position one left of its first digit.
    int ExponentAt(std::string_view text, int x, const TSpinTextFormat& format) const;

private:
    TSpinTextMetrics FMetrics;
    int FTextLeft { 0 };
    int FTextRight { 0 };
    int FTextTop { 0 };
    TSpinCellRect FCaretRect;
    bool FCaretValid { false };
};

} // namespace wendle
