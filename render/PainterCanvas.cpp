#include "render/PainterCanvas.h"

#include "render/QtColour.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wendle {

TPainterCanvas::TPainterCanvas(QPainter& painter, int pixelsPerInchY)
    : Painter(painter)
    , PixelsPerInchY(pixelsPerInchY)
{
    // Grid lines must stay crisp pixel rows, on paper and in a preview alike.
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Font = Painter.font();
    const QTransform toDevice = Painter.combinedTransform();
    if (toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m22() > 0
        && (toDevice.m11() < 1 || toDevice.m22() < 1)) {
        Reduced = true;
        ToDevice = toDevice;
        Painter.save();
        Painter.resetTransform();
    }
}

TPainterCanvas::~TPainterCanvas()
{
    if (Reduced)
        Painter.restore();
}

QRect TPainterCanvas::OnDevice(const QRect& area) const
{
    // Edges shared by neighbours round alike, so neighbours neither overlap nor part.
    const auto edge = [](double value) { return static_cast<int>(std::floor(value + 0.5)); };
    const QPointF first = ToDevice.map(QPointF(area.left(), area.top()));
    const QPointF last
        = ToDevice.map(QPointF(area.left() + area.width(), area.top() + area.height()));
    const int left = edge(first.x());
    const int top = edge(first.y());
    return QRect(left, top, std::max(1, edge(last.x()) - left), std::max(1, edge(last.y()) - top));
}

void TPainterCanvas::Fill(const QRect& area, const QColor& colour)
{
    Painter.fillRect(Reduced ? OnDevice(area) : area, colour);
}

void TPainterCanvas::SetBrushColour(Colour colour) { Brush = ToQColor(colour); }

void TPainterCanvas::SetPenColour(Colour colour) { Pen = ToQColor(colour); }

void TPainterCanvas::SetPenWidth(int width) { PenWidth = std::max(width, 1); }

void TPainterCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    // The outline runs along the border pixels x1, x2 - 1, y1 and y2 - 1, a wider pen
    // spreading to both sides of them, as filled bands so that no pen geometry of the
    // paint engine moves it by half a pixel. Filling the outline's whole extent with the pen
    // and then what lies inside the bands with the brush gives the same pixels as the
    // inside and four bands, in two operations instead of five: a page has one rectangle
    // per stitch, hundreds of thousands in a large chart.
    const int before = (PenWidth - 1) / 2;
    const int outerLeft = x1 - before;
    const int outerTop = y1 - before;
    const int outerWidth = x2 - x1 - 1 + PenWidth;
    const int outerHeight = y2 - y1 - 1 + PenWidth;
    const QRect outer(outerLeft, outerTop, outerWidth, outerHeight);
    Fill(outer, Pen);
    const int innerWidth = outerWidth - 2 * PenWidth;
    const int innerHeight = outerHeight - 2 * PenWidth;
    // A plain fill, pen and brush alike, needs no second pass.
    if (innerWidth <= 0 || innerHeight <= 0 || Brush == Pen)
        return;
    const QRect inner(outerLeft + PenWidth, outerTop + PenWidth, innerWidth, innerHeight);
    if (!Reduced) {
        Painter.fillRect(inner, Brush);
        return;
    }
    // The outline keeps at least one device pixel on every side.
    const QRect inside = OnDevice(inner) & OnDevice(outer).adjusted(1, 1, -1, -1);
    if (!inside.isEmpty())
        Painter.fillRect(inside, Brush);
}

void TPainterCanvas::Line(int x1, int y1, int x2, int y2)
{
    const int before = (PenWidth - 1) / 2;
    if (y1 == y2 && x1 != x2) {
        // The end pixel is left out, whichever way the line runs.
        const int left = x1 < x2 ? x1 : x2 + 1;
        Fill(QRect(left, y1 - before, std::abs(x2 - x1), PenWidth), Pen);
    } else if (x1 == x2 && y1 != y2) {
        const int top = y1 < y2 ? y1 : y2 + 1;
        Fill(QRect(x1 - before, top, PenWidth, std::abs(y2 - y1)), Pen);
    } else if (x1 != x2) {
        // The page draws only straight ticks; a slanted line is drawn as the painter draws
        // it, its end included.
        if (Reduced)
            Painter.setWorldTransform(ToDevice);
        Painter.setPen(QPen(Pen, PenWidth));
        Painter.drawLine(x1, y1, x2, y2);
        if (Reduced)
            Painter.setWorldTransform(QTransform());
    }
}

void TPainterCanvas::TextOut(int x, int y, const std::string& text)
{
    Painter.setFont(Font);
    Painter.setPen(Pen);
    Painter.setBackgroundMode(Qt::OpaqueMode);
    Painter.setBackground(Brush);
    const QFontMetrics metrics(Font, Painter.device());
    // Text is drawn through the painter's transform on a reduced view as well.
    if (Reduced)
        Painter.setWorldTransform(ToDevice);
    Painter.drawText(QPoint(x, y + metrics.ascent()), QString::fromStdString(text));
    if (Reduced)
        Painter.setWorldTransform(QTransform());
    Painter.setBackgroundMode(Qt::TransparentMode);
}

int TPainterCanvas::TextWidth(const std::string& text)
{
    return QFontMetrics(Font, Painter.device()).horizontalAdvance(QString::fromStdString(text));
}

int TPainterCanvas::TextHeight(const std::string&)
{
    return QFontMetrics(Font, Painter.device()).height();
}

void TPainterCanvas::SetFont(const std::string& name, int pointSize)
{
    Font = QFont(QString::fromStdString(name));
    const long pixels = std::lround(static_cast<double>(pointSize) * PixelsPerInchY / 72.0);
    Font.setPixelSize(static_cast<int>(std::clamp(pixels, 1L, 1L << 20)));
}

} // namespace wendle
