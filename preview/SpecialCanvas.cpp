#include "preview/SpecialCanvas.h"

#include "preview/PrinterPort.h"

#include <QImage>

#include <cmath>

namespace wendle {

TSpecialCanvas TSpecialCanvas::Create(
    const TPrinterPort& printer, QPainter* canvas, TSpecialMode mode)
{
    const QSize physical = printer.PhysicalPageSize();
    const QRect printable = printer.PrintableArea();
    TSpecialCanvas special;
    special.Mode = mode;
    special.PhysWidth = physical.width();
    special.PhysHeight = physical.height();
    special.PixelsPerInchX = printer.PixelsPerInchX();
    special.PixelsPerInchY = printer.PixelsPerInchY();
    // QRect's right() is one short of left + width; the canvas wants the edge itself.
    special.PrintableRect = { printable.left(), printable.top(),
        printable.left() + printable.width(), printable.top() + printable.height() };
    special.Canvas = canvas;
    return special;
}

QImage TSpecialCanvas::MeasuringSurface(const TPrinterPort& printer)
{
    constexpr double inchesPerMetre = 1.0 / 0.0254;
    QImage surface(8, 8, QImage::Format_ARGB32_Premultiplied);
    surface.setDotsPerMeterX(
        static_cast<int>(std::lround(printer.PixelsPerInchX() * inchesPerMetre)));
    surface.setDotsPerMeterY(
        static_cast<int>(std::lround(printer.PixelsPerInchY() * inchesPerMetre)));
    return surface;
}

} // namespace wendle
