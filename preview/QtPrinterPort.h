#pragma once

#include "PrinterPort.h"

#include <memory>

class QPrinter;

namespace wendle {

/// TPrinterPort over a QPrinter: a system printer or a PDF file, whatever the QPrinter is
/// set to. The printer is not owned and must outlive the port.
class TQtPrinterPort : public TPrinterPort {
public:
    explicit TQtPrinterPort(QPrinter& printer);
    ~TQtPrinterPort() override;

    void SetJobTitle(const QString& title) override;
    bool BeginDocument(QString& reason) override;
    QPainter* Painter() override { return FPainter.get(); }
    bool NewPage() override;
    bool EndDocument() override;
    void Abort() override;

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    QSize PhysicalPageSize() const override;
    QRect PrintableArea() const override;

private:
    QPrinter& FPrinter;
    std::unique_ptr<QPainter> FPainter;
};

} // namespace wendle
