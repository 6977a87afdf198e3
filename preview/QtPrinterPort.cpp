#include "preview/QtPrinterPort.h"

#include "preview/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <utility>
#include <vector>

namespace wendle {

namespace {

    // The engine property in which Qt's print-system engine keeps the job options that the
    // print dialog chose (pages per sheet, banners, priority and the like), as name, value,
    // name, value.
    constexpr auto JobOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

    // The finished draft as one job of the print system, with the options the print engine
    // itself would have sent had it printed the pages straight away.
    bool SubmitJob(QPrinter& printer, const QString& draft, QString& reason)
    {
        const QPageLayout layout = printer.pageLayout();
        std::vector<std::pair<QByteArray, QByteArray>> options { { "media",
            layout.pageSize().key().toLocal8Bit() } };
        if (printer.copyCount() > 1) {
            options.emplace_back("copies", QByteArray::number(printer.copyCount()));
            if (printer.collateCopies())
                options.emplace_back("Collate", "True");
        }
        const bool portrait = layout.orientation() == QPageLayout::Portrait;
        switch (printer.duplex()) {
        case QPrinter::DuplexNone:
            options.emplace_back("sides", "one-sided");
            break;
        case QPrinter::DuplexAuto:
            options.emplace_back(
                "sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge");
            break;
        case QPrinter::DuplexLongSide:
            options.emplace_back("sides", "two-sided-long-edge");
            break;
        case QPrinter::DuplexShortSide:
            options.emplace_back("sides", "two-sided-short-edge");
            break;
        }
        if (!portrait)
            options.emplace_back("landscape", "");
        const QStringList chosen
            = printer.printEngine()->property(JobOptionsProperty).toStringList();
        for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
            options.emplace_back(chosen[i].toLocal8Bit(), chosen[i + 1].toLocal8Bit());

        std::vector<cups_option_t> list;
        for (auto& [name, value] : options)
            list.push_back({ name.data(), value.data() });
        // A printer's name may carry "/instance"; the print system knows the printer alone.
        const QByteArray name = printer.printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit();
        if (cupsPrintFile(name.constData(), QFile::encodeName(draft).constData(),
                printer.docName().toLocal8Bit().constData(), static_cast<int>(list.size()),
                list.data())
            == 0) {
            reason = QString::fromLocal8Bit(cupsLastErrorString());
            return false;
        }
        return true;
    }

} // namespace

TQtPrinterPort::TQtPrinterPort(QPrinter& printer)
    : Printer(printer)
{
}

TQtPrinterPort::~TQtPrinterPort()
{
    if (FPainter)
        CloseDraft();
}

void TQtPrinterPort::SetJobTitle(const QString& title) { Printer.setDocName(title); }

bool TQtPrinterPort::BeginDocument(QString& reason)
{
    Destination = Printer.outputFileName();
    if (Destination.isEmpty() && Printer.outputFormat() == QPrinter::PdfFormat) {
        reason = QStringLiteral("no file name to print to");
        return false;
    }
    Draft = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/wendle-XXXXXX"));
    if (!Draft->open()) {
        reason = QStringLiteral("cannot make a draft in %1: %2")
                     .arg(QDir::tempPath(), Draft->errorString());
        Draft.reset();
        return false;
    }
    Draft->close();
    // A name without ".pdf" leaves the printer's kind as it is: a printer of the print system
    // then writes its pages into the draft instead of sending them.
    Printer.setOutputFileName(Draft->fileName());
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&Printer)) {
        Printer.setOutputFileName(Destination);
        Draft.reset();
        reason = Destination.isEmpty()
            ? QStringLiteral("the printer \"%1\" is not available").arg(Printer.printerName())
            : QStringLiteral("cannot write a draft of \"%1\"").arg(Destination);
        return false;
    }
    FPainter = std::move(painter);
    return true;
}

bool TQtPrinterPort::NewPage() { return Printer.newPage(); }

void TQtPrinterPort::CloseDraft()
{
    FPainter->end();
    FPainter.reset();
    Printer.setOutputFileName(Destination);
}

bool TQtPrinterPort::EndDocument(QString& reason)
{
    CloseDraft();
    const bool delivered = Deliver(reason);
    Draft.reset();
    return delivered;
}

bool TQtPrinterPort::Deliver(QString& reason)
{
    QFile draft(Draft->fileName());
    const QByteArray document = draft.open(QIODevice::ReadOnly) ? draft.readAll() : QByteArray();
    // The print engine does not report a failed write; a document cut short lacks its end.
    if (!document.trimmed().endsWith("%%EOF")) {
        reason = QStringLiteral("the document could not be written completely in %1")
                     .arg(QDir::tempPath());
        return false;
    }
    if (Destination.isEmpty())
        return SubmitJob(Printer, Draft->fileName(), reason);
    reason = WriteOutputFile(Destination, document);
    if (!reason.isEmpty())
        reason = QStringLiteral("%1: %2").arg(Destination, reason);
    return reason.isEmpty();
}

void TQtPrinterPort::Abort()
{
    // The draft goes with the port's temporary file: nothing was sent, nothing replaced.
    CloseDraft();
    Draft.reset();
}

int TQtPrinterPort::PixelsPerInchX() const { return Printer.logicalDpiX(); }

int TQtPrinterPort::PixelsPerInchY() const { return Printer.logicalDpiY(); }

QSize TQtPrinterPort::PhysicalPageSize() const
{
    return Printer.paperRect(QPrinter::DevicePixel).toRect().size();
}

QRect TQtPrinterPort::PrintableArea() const
{
    const QRectF paper = Printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = Printer.pageRect(QPrinter::DevicePixel);
    return page.translated(-paper.topLeft()).toRect();
}

} // namespace wendle
