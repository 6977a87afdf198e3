#pragma once

#include "PrinterPort.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <string>

namespace wendle::testing {

/// A printer that writes what happens to it into a shared log, one "|"-separated entry per
/// call, and can be told to fail.
class FakePrinterPort : public TPrinterPort {
public:
    explicit FakePrinterPort(std::string& log)
        : Log(log)
    {
    }

    void SetJobTitle(const QString& title) override { Add("title " + title.toStdString()); }
    bool BeginDocument(QString& reason) override
    {
        Add("begin");
        reason = QStringLiteral("disk full");
        if (!BeginSucceeds)
            return false;
        SheetPainter = std::make_unique<QPainter>(&Sheet);
        return true;
    }
    QPainter* Painter() override { return SheetPainter.get(); }
    bool NewPage() override { return Add("new"), NewPageSucceeds; }
    bool EndDocument() override { return SheetPainter.reset(), Add("end"), EndSucceeds; }
    void Abort() override { SheetPainter.reset(), Add("abort"); }
    int PixelsPerInchX() const override { return 300; }
    int PixelsPerInchY() const override { return 200; }
    QSize PhysicalPageSize() const override { return { 2550, 2200 }; }
    QRect PrintableArea() const override { return { 25, 30, 2500, 2100 }; }

    void Add(const std::string& entry) { Log += (Log.empty() ? "" : "|") + entry; }

    std::string& Log;
    bool BeginSucceeds { true }, NewPageSucceeds { true }, EndSucceeds { true };
    QImage Sheet { 16, 16, QImage::Format_ARGB32_Premultiplied };
    std::unique_ptr<QPainter> SheetPainter;
};

} // namespace wendle::testing
