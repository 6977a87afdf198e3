#pragma once

#include "PageCanvas.h"

#include <QColor>
#include <QFont>

class QPainter;

namespace wendle {

/// A printed page's canvas on a QPainter: a printer, a PDF writer, a preview or an image,
/// whose logical coordinates are printer pixels. Point sizes become pixel sizes through the
/// device's vertical pixels per inch, so text keeps its size on every output.
class TPainterCanvas : public TPageCanvas {
public:
    TPainterCanvas(QPainter& painter, int pixelsPerInchY);

    void SetBrushColour(TColour colour) override;
    void SetPenColour(TColour colour) override;
    void SetPenWidth(int width) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void SetFont(const std::string& name, int pointSize) override;

    /// The colour of a 0x00BBGGRR value; the flag byte does not change the colour.
    static QColor ToQColor(TColour colour);

private:
    QPainter& Painter;
    int PixelsPerInchY;
    QColor Brush { Qt::white };
    QColor Pen { Qt::black };
    int PenWidth { 1 };
    QFont Font;
};

} // namespace wendle
