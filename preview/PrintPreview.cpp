#include "preview/PrintPreview.h"

#include "preview/PreviewForm.h"
#include "preview/PrintException.h"
#include "preview/PrintStatusForm.h"
#include "preview/PrinterPort.h"
#include "preview/QtPrinterPort.h"
#include "preview/SpecialCanvas.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QTransform>

#include <algorithm>
#include <limits>

namespace wendle {

namespace {

    constexpr std::int32_t HighestPage = std::numeric_limits<std::int32_t>::max();

    std::unique_ptr<TPageInfo>& RequireInfo(std::unique_ptr<TPageInfo>& info)
    {
        if (!info)
            throw PrintException(QStringLiteral("Page Info Not Assigned!"));
        return info;
    }

    /// Ends the document on request; aborts it when left any other way (cancel or an error),
    /// so that no half document is ever handed over as finished.
    class TDocumentGuard {
    public:
        explicit TDocumentGuard(TPrinterPort& printer)
            : Printer(printer)
        {
        }
        TDocumentGuard(const TDocumentGuard&) = delete;
        TDocumentGuard& operator=(const TDocumentGuard&) = delete;
        ~TDocumentGuard()
        {
            if (Open)
                Printer.Abort();
        }

        void End()
        {
            Open = false;
            QString reason;
            if (!Printer.EndDocument(reason))
                throw PrintException(
                    QStringLiteral("Cannot finish printing the document: %1").arg(reason));
        }

    private:
        TPrinterPort& Printer;
        bool Open { true };
    };

} // namespace

TPrintPreview::TPrintPreview(QObject* owner)
    : QObject(owner)
{
}

TPrintPreview::~TPrintPreview() = default;

QPrinter& TPrintPreview::Printer()
{
    if (!FPrinter)
        FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *FPrinter;
}

TPrinterPort& TPrintPreview::PrinterPort()
{
    if (!FPrinterPort)
        FPrinterPort = std::make_unique<TQtPrinterPort>(Printer());
    return *FPrinterPort;
}

void TPrintPreview::SetPrinterPort(std::unique_ptr<TPrinterPort> port)
{
    FPrinterPort = std::move(port);
}

void TPrintPreview::CheckHandlers() const
{
    if (!FOnBeginPrint)
        throw PrintException(QStringLiteral("Begin Print Function Not Assigned!"));
    if (!FOnPrintPage)
        throw PrintException(QStringLiteral("Print Page Function Not Assigned!"));
    if (!FOnEndPrint)
        throw PrintException(QStringLiteral("End Print Function Not Assigned!"));
}

void TPrintPreview::Print()
{
    CheckHandlers();
    // Whatever way Print is left, the status dialog goes last, after the end handler.
    const auto closeStatus = qScopeGuard([this] { FStatusForm.reset(); });
    std::unique_ptr<TPageInfo> info;
    try {
        FOnBeginPrint(info);
        TPageRange range;
        range.MaxPage = RequireInfo(info)->MaxPage;
        range.ToPage = range.MaxPage;
        if (!FUseDialog || RunPrintDialog(range))
            RunPrintJob(info, range);
    } catch (...) {
        // Any job begun is aborted by now; the handlers still release what they made.
        if (info)
            FOnEndPrint(info);
        throw;
    }
    FOnEndPrint(info);
    info.reset();
}

void TPrintPreview::Preview()
{
    bool printRequested = false;
    {
        TPreviewForm form(PrinterPort(), qobject_cast<QWidget*>(parent()));
        form.SetHandlers(FOnBeginPrint, FOnPrintPage, FOnEndPrint);
        form.SetZoomLimits(static_cast<float>(FZoomOptions.MinZoom()) / 100.0F,
            static_cast<float>(FZoomOptions.MaxZoom()) / 100.0F,
            1.0F + static_cast<float>(FZoomOptions.ZoomStep()) / 100.0F);
        form.SetVisibleButtons(FVisibleButtons);
        form.SetCurrentPage(FCurrentPage);
        form.SetGrid(FGridColor, FGridWidth);
        form.setWindowTitle(FTitle);
        form.GridBut->setChecked(FShowGrid);
        form.SetModalRun(PreviewModalRun);
        form.RunPreview();
        printRequested = form.PrintRequested();
        FShowGrid = form.GridBut->isChecked();
    }
    // The window is gone before the print dialog comes up.
    if (printRequested)
        Print();
}

bool TPrintPreview::RunPrintDialog(TPageRange& range)
{
    return PrintDialog ? PrintDialog(range) : PlatformPrintDialog(range);
}

bool TPrintPreview::PlatformPrintDialog(TPageRange& range)
{
    // The dialog keeps a chosen printer, the file name and the copies from one print to the
    // next, but after "Print to File (PDF)" it opens on the default printer again and
    // switches the printer to it: the user's last choice is put back once it is shown.
    QPrinter& printer = Printer();
    const bool toFile
        = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    QPrintDialog dialog(&printer, qobject_cast<QWidget*>(parent()));
    if (toFile)
        QTimer::singleShot(0, &dialog, [&dialog] {
            auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
            const int fileItem = printers ? printers->findText(QCoreApplication::translate(
                                     "QPrintDialog", "Print to File (PDF)"))
                                          : -1;
            if (fileItem >= 0)
                printers->setCurrentIndex(fileItem);
        });
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(range.MinPage, range.MaxPage);
    dialog.setFromTo(range.FromPage, range.ToPage);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        range.FromPage = dialog.fromPage();
        range.ToPage = dialog.toPage();
    }
    return true;
}

void TPrintPreview::RunPrintJob(std::unique_ptr<TPageInfo>& info, const TPageRange& range)
{
    FStatusForm = std::make_unique<TPrintStatusForm>();
    FStatusForm->show();
    FStatusForm->SetJobText(QStringLiteral("Initializing"));

    TPrinterPort& printer = PrinterPort();
    printer.SetJobTitle(info->DocTitle);
    QString reason;
    if (!printer.BeginDocument(reason))
        throw PrintException(QStringLiteral("Cannot start printing: %1").arg(reason));
    TDocumentGuard document(printer);

    // Without the dialog every page is printed, from the first to the one that says it is
    // the last.
    const std::int32_t firstPage = FUseDialog ? std::max(range.FromPage, 1) : 1;
    const std::int32_t lastPage = FUseDialog ? range.ToPage : HighestPage;
    PaginatePages(info, firstPage);

    TSpecialCanvas canvas = TSpecialCanvas::Create(printer, printer.Painter(), smPrint);
    FStatusForm->SetJobText(RequireInfo(info)->DocTitle);
    // The handler draws from the sheet's corner; the printer's origin is the printable
    // area's corner.
    const QTransform sheetOrigin
        = QTransform::fromTranslate(-canvas.PrintableRect.Left, -canvas.PrintableRect.Top);
    for (std::int32_t page = firstPage;; ++page) {
        // Cancel is looked at here only, never in the middle of a page.
        QCoreApplication::processEvents();
        if (FStatusForm->Cancelled())
            return; // the guard aborts the job
        FStatusForm->SetPageNumber(page);
        RequireInfo(info)->PageNumber = page;
        canvas.Canvas = printer.Painter();
        canvas.Canvas->setTransform(sheetOrigin);
        FOnPrintPage(info, canvas);
        if (RequireInfo(info)->LastPage || page >= lastPage)
            break;
        if (!printer.NewPage())
            throw PrintException(QStringLiteral("Cannot start a new sheet"));
    }
    document.End();
}

void TPrintPreview::PaginatePages(std::unique_ptr<TPageInfo>& info, std::int32_t beforePage)
{
    TPrinterPort& printer = PrinterPort();
    QImage surface = TSpecialCanvas::MeasuringSurface(printer);
    QPainter painter(&surface);
    TSpecialCanvas canvas = TSpecialCanvas::Create(printer, &painter, smPaginate);
    for (std::int32_t page = 1; page < beforePage; ++page) {
        FStatusForm->SetJobText(QStringLiteral("Paginating Page %1").arg(page));
        RequireInfo(info)->PageNumber = page;
        FOnPrintPage(info, canvas);
    }
}

} // namespace wendle
