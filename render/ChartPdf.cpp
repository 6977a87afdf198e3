#include "render/ChartPdf.h"

#include "preview/PageInfo.h"
#include "preview/PrintPreview.h"
#include "preview/QtPrinterPort.h"
#include "preview/SpecialCanvas.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <exception>

namespace wendle {

QByteArray ChartPdf(
    const ChartPrintSettings& settings, const ChartPdfOptions& options, QString& error)
{
    // The printer writes files only; a private folder takes the document until it is read.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        error
            = QStringLiteral("cannot make a folder for the document: %1").arg(folder.errorString());
        return {};
    }
    const QString fileName = folder.filePath(QStringLiteral("chart.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setResolution(options.Resolution);
    printer.setPageSize(QPageSize(options.Paper));
    printer.setPageOrientation(
        settings.Layout.PrintLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCreator(options.Creator);
    // A PDF has no unprintable margin: the page is drawn from the sheet's very corner.
    printer.setFullPage(true);

    TPrintPreview driver(nullptr);
    driver.SetUseDialog(false);
    driver.SetPrinterPort(std::make_unique<TQtPrinterPort>(printer));
    driver.SetOnBeginPrint([&options](std::unique_ptr<TPageInfo>& Info) {
        Info = std::make_unique<TPageInfo>();
        Info->DocTitle = options.Title;
    });
    driver.SetOnPrintPage([&settings](std::unique_ptr<TPageInfo>& Info, TSpecialCanvas& SCanvas) {
        PrintChartPage(*Info, SCanvas, settings);
    });
    driver.SetOnEndPrint([](std::unique_ptr<TPageInfo>& Info) { Info.reset(); });
    try {
        driver.Print();
    } catch (const std::exception& failure) {
        error = QString::fromUtf8(failure.what());
        return {};
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return {};
    }
    return file.readAll();
}

} // namespace wendle
