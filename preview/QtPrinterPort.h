#pragma once

#include "preview/PrinterPort.h"

#include <memory>

class QPrinter;
class QTemporaryFile;

namespace wendle {

/// TPrinterPort over a QPrinter: a printer of the print system or a PDF file, whatever the
/// QPrinter is set to. The printer is not owned and must outlive the port.
///
/// The pages go to a private draft file, and the document reaches its destination only
/// when it is finished: a cancelled or failed job leaves the printer
/// without a job and the file as it was. A PDF file is then written as WriteOutputFile
/// writes; a printer of the print system gets the draft as one job with the options the
/// print dialog chose.
class TQtPrinterPort : public TPrinterPort {
public:
    explicit TQtPrinterPort(QPrinter& printer);
    ~TQtPrinterPort() override;

    void SetJobTitle(const QString& title) override;
    bool BeginDocument(QString& reason) override;
    QPainter* Painter() override { return FPainter.get(); }
    bool NewPage() override;
    bool EndDocument(QString& reason) override;
    void Abort() override;

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    QSize PhysicalPageSize() const override;
    QRect PrintableArea() const override;

private:
    // Ends the painter on the draft and points the printer back at its destination.
    void CloseDraft();
    bool Deliver(QString& reason);

    QPrinter& Printer;
    std::unique_ptr<QPainter> FPainter;
    std::unique_ptr<QTemporaryFile> Draft;
    // The file the finished document goes to; empty for a printer of the print system.
    QString Destination;
};

} // namespace wendle
