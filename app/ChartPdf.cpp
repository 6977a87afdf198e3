#include "ChartPdf.h"

#include "PageInfo.h"
#include "PrintPreview.h"
#include "QtPrinterPort.h"
#include "SpecialCanvas.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <cstdio>
#include <exception>

namespace wendle {

QString WriteChartPdf(const ChartPrintSettings& settings, const ChartPdfOptions& options)
{
    const QFileInfo target(options.FileName);
    if (target.isDir())
        return QStringLiteral("is a folder");
    // The pages go to a file beside the target, so that the rename at the end cannot cross
    // file systems and a failure leaves the target as it was.
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.wendle-XXXXXX.pdf"));
    if (!temporary.open())
        return QStringLiteral("cannot write in %1: %2")
            .arg(target.absolutePath(), temporary.errorString());
    temporary.close();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temporary.fileName());
    printer.setResolution(options.Resolution);
    printer.setPageSize(QPageSize(options.Paper));
    printer.setPageOrientation(
        settings.Layout.PrintLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    // A PDF has no unprintable margin: the page is drawn from the sheet's very corner.
    printer.setFullPage(true);

    TPrintPreview driver(nullptr);
    driver.SetUseDialog(false);
    driver.SetPrinterPort(std::make_unique<TQtPrinterPort>(printer));
    driver.SetOnBeginPrint([](std::unique_ptr<TPageInfo>& Info) {
        Info = std::make_unique<TPageInfo>();
        Info->DocTitle = ChartDocTitle;
    });
    driver.SetOnPrintPage([&settings](std::unique_ptr<TPageInfo>& Info, TSpecialCanvas& SCanvas) {
        PrintChartPage(*Info, SCanvas, settings);
    });
    driver.SetOnEndPrint([](std::unique_ptr<TPageInfo>& Info) { Info.reset(); });
    try {
        driver.Print();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }

    if (QFileInfo(temporary.fileName()).size() == 0)
        return QStringLiteral("nothing was written");
    // rename() replaces an existing target in one step, where QFile::rename would refuse.
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
            QFile::encodeName(target.absoluteFilePath()).constData())
        != 0)
        return QStringLiteral("cannot replace the file: %1").arg(qt_error_string(errno));
    temporary.setAutoRemove(false);
    // A temporary file is private to its owner; the PDF gets the mode of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(target.absoluteFilePath()).constData(), 0666 & ~mask);
    return {};
}

} // namespace wendle
