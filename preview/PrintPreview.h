#pragma once

#include "preview/PageInfo.h"
#include "preview/PageRange.h"
#include "preview/PrintEvents.h"
#include "preview/VisibleButtons.h"
#include "preview/ZoomOptions.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QPrinter;

namespace wendle {

class TPrintStatusForm;
class TPrinterPort;
class TPreviewForm;

/// The print dialog as the driver sees it: it receives the page bounds and the proposed
/// range, may change FromPage and ToPage, and returns false when the user cancelled.
using TPrintDialogFunction = std::function<bool(TPageRange& Range)>;

/// The print and preview driver. It knows nothing of what is printed: every page that is
/// measured or printed is a fresh call of the owner's OnPrintPage handler, which draws in
/// printer pixels from the sheet's top-left corner whatever the surface.
class TPrintPreview : public QObject {
    Q_OBJECT

public:
    explicit TPrintPreview(QObject* owner);
    ~TPrintPreview() override;

    const TBeginPrintEvent& OnBeginPrint() const { return FOnBeginPrint; }
    void SetOnBeginPrint(TBeginPrintEvent handler) { FOnBeginPrint = std::move(handler); }
    const TPrintPageEvent& OnPrintPage() const { return FOnPrintPage; }
    void SetOnPrintPage(TPrintPageEvent handler) { FOnPrintPage = std::move(handler); }
    const TEndPrintEvent& OnEndPrint() const { return FOnEndPrint; }
    void SetOnEndPrint(TEndPrintEvent handler) { FOnEndPrint = std::move(handler); }

    TZoomOptions& ZoomOptions() { return FZoomOptions; }
    const TZoomOptions& ZoomOptions() const { return FZoomOptions; }
    void SetZoomOptions(const TZoomOptions& options) { FZoomOptions = options; }
    TVisibleButtons& VisibleButtons() { return FVisibleButtons; }
    const TVisibleButtons& VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(const TVisibleButtons& buttons) { FVisibleButtons = buttons; }

    /// The page at which the preview opens.
    std::int32_t CurrentPage() const { return FCurrentPage; }
    void SetCurrentPage(std::int32_t page) { FCurrentPage = page; }
    /// Colour of the preview's grid lines.
    const QColor& GridColor() const { return FGridColor; }
    void SetGridColor(const QColor& colour) { FGridColor = colour; }
    /// Pen width of the grid lines, in printer pixels.
    std::int32_t GridWidth() const { return FGridWidth; }
    void SetGridWidth(std::int32_t width) { FGridWidth = width; }
    /// Print first shows the print dialog.
    bool UseDialog() const { return FUseDialog; }
    void SetUseDialog(bool use) { FUseDialog = use; }
    /// Caption of the preview window.
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }
    /// Whether the preview opens with its grid on.
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool show) { FShowGrid = show; }

    /// The platform printer, created on first use. The owner sets the orientation (or a PDF
    /// output file) on it before calling Print.
    QPrinter& Printer();
    /// The printer the page loop talks to: the injected port, or one over Printer().
    TPrinterPort& PrinterPort();
    /// Sends the job elsewhere (a test's fake); null goes back to Printer().
    void SetPrinterPort(std::unique_ptr<TPrinterPort> port);
    /// Replaces the print dialog; an empty function goes back to the platform's dialog.
    void SetPrintDialog(TPrintDialogFunction dialog) { PrintDialog = std::move(dialog); }

    /// The status dialog of the Print in progress; null outside Print.
    TPrintStatusForm* StatusForm() const { return FStatusForm.get(); }

    /// Runs the preview window until it closes, then prints when it was closed through its
    /// Print button. ShowGrid takes the state of the window's grid button.
    void Preview();
    /// Replaces the preview window's modal run (tests drive the window without a nested
    /// loop); an empty function goes back to exec().
    void SetPreviewModalRun(std::function<void(TPreviewForm&)> run)
    {
        PreviewModalRun = std::move(run);
    }

    /// Prints the whole document, or the range chosen in the print dialog. Handler errors
    /// abort the job, run the end handler and leave Print; a printer that cannot start
    /// raises PrintException.
    void Print();

private:
    void CheckHandlers() const;
    bool RunPrintDialog(TPageRange& range);
    bool PlatformPrintDialog(TPageRange& range);
    void RunPrintJob(std::unique_ptr<TPageInfo>& info, const TPageRange& range);
    void PaginatePages(std::unique_ptr<TPageInfo>& info, std::int32_t beforePage);

    TBeginPrintEvent FOnBeginPrint;
    TPrintPageEvent FOnPrintPage;
    TEndPrintEvent FOnEndPrint;
    TZoomOptions FZoomOptions;
    TVisibleButtons FVisibleButtons;
    std::int32_t FCurrentPage { 1 };
    QColor FGridColor { Qt::lightGray }; // #C0C0C0
    std::int32_t FGridWidth { 2 };
    bool FUseDialog { true };
    QString FTitle { QStringLiteral("Print Preview") };
    bool FShowGrid { false };

    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<TPrinterPort> FPrinterPort;
    TPrintDialogFunction PrintDialog;
    std::unique_ptr<TPrintStatusForm> FStatusForm;
    std::function<void(TPreviewForm&)> PreviewModalRun;
};

} // namespace wendle
