#pragma once

#include "chart/StitchDisplay.h"

#include <string>

namespace wendle {

/// The drawing surface a printed page is drawn on, in printer pixels from the top-left
/// corner of the sheet. The printer, a preview and tests each supply their own.
class TPageCanvas {
public:
    virtual ~TPageCanvas() = default;

    virtual void SetBrushColour(Colour colour) = 0;
    virtual void SetPenColour(Colour colour) = 0;
    virtual void SetPenWidth(int width) = 0;
    /// Fills the inside with the brush and outlines it with the pen; the second corner is
    /// exclusive. The outline runs along the border pixels x1, x2 - 1, y1 and y2 - 1, a pen
    /// of width w covering (w - 1) / 2 pixels before each and the rest after it: pages rely
    /// on it to draw a grid of such rectangles in fewer calls.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    /// A line in the pen, its start included and its end excluded.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    /// Writes \a text with its top-left corner at (\a x, \a y), in the pen colour on the
    /// brush colour as ground.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    virtual void SetFont(const std::string& name, int pointSize) = 0;
};

} // namespace wendle
