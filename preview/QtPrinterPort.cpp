#include "QtPrinterPort.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

namespace wendle {

TQtPrinterPort::TQtPrinterPort(QPrinter& printer)
    : FPrinter(printer)
{
}

TQtPrinterPort::~TQtPrinterPort() = default;

void TQtPrinterPort::SetJobTitle(const QString& title) { FPrinter.setDocName(title); }

bool TQtPrinterPort::BeginDocument(QString& reason)
{
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&FPrinter)) {
        const QString file = FPrinter.outputFileName();
        reason = file.isEmpty()
            ? QStringLiteral("the printer \"%1\" is not available").arg(FPrinter.printerName())
            : QStringLiteral("cannot write the file \"%1\"").arg(file);
        return false;
    }
    FPainter = std::move(painter);
    return true;
}

bool TQtPrinterPort::NewPage() { return FPrinter.newPage(); }

bool TQtPrinterPort::EndDocument()
{
    const bool ended = FPainter->end();
    FPainter.reset();
    return ended;
}

void TQtPrinterPort::Abort()
{
    // Not every print engine can abort (the PDF writer cannot); then the document is closed
    // and, when it went to a file, the half-written file is removed.
    if (!FPrinter.abort()) {
        FPainter->end();
        if (!FPrinter.outputFileName().isEmpty())
            QFile::remove(FPrinter.outputFileName());
    }
    FPainter.reset();
}

int TQtPrinterPort::PixelsPerInchX() const { return FPrinter.logicalDpiX(); }

int TQtPrinterPort::PixelsPerInchY() const { return FPrinter.logicalDpiY(); }

QSize TQtPrinterPort::PhysicalPageSize() const
{
    return FPrinter.paperRect(QPrinter::DevicePixel).toRect().size();
}

QRect TQtPrinterPort::PrintableArea() const
{
    const QRectF paper = FPrinter.paperRect(QPrinter::DevicePixel);
    const QRectF page = FPrinter.pageRect(QPrinter::DevicePixel);
    return page.translated(-paper.topLeft()).toRect();
}

} // namespace wendle
