#pragma once

#include "chart/PageCanvas.h"

#include <QColor>
#include <QFont>
#include <QTransform>

class QPainter;

namespace wendle {

/// A printed page's canvas on a QPainter: a printer, a PDF writer, a preview or an image,
/// whose logical coordinates are printer pixels. Point sizes become pixel sizes through the
/// device's vertical pixels per inch, so text keeps its size on every output.
class TPainterCanvas : public TPageCanvas {
public:
    TPainterCanvas(QPainter& painter, int pixelsPerInchY);
    ~TPainterCanvas() override;
    TPainterCanvas(const TPainterCanvas&) = delete;
    TPainterCanvas& operator=(const TPainterCanvas&) = delete;

    void SetBrushColour(Colour colour) override;
    void SetPenColour(Colour colour) override;
    void SetPenWidth(int width) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void SetFont(const std::string& name, int pointSize) override;

private:
    /// Fills \a area, in printer pixels, with \a colour.
    void Fill(const QRect& area, const QColor& colour);
    /// \a area on whole device pixels, at least one across and one down.
    QRect OnDevice(const QRect& area) const;

    QPainter& Painter;
    int PixelsPerInchY;
    QColor Brush { Qt::white };
    QColor Pen { Qt::black };
    int PenWidth { 1 };
    QFont Font;
    /// The painter maps printer pixels onto fewer device pixels (a preview): fills are laid
    /// on whole device pixels with the painter's transform set aside, and none is less than
    /// one pixel, so that no line of the page drops out. A printer maps one to one and
    /// draws as it always has.
    bool Reduced { false };
    QTransform ToDevice;
};

} // namespace wendle
