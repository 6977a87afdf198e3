// The main window's printing: the print layout shown on the third page, and the three page
// callbacks through which the print driver gets the chart's pages.
#include "app/WendleForm.h"

#include "app/RadioGroup.h"
#include "preview/PageInfo.h"
#include "preview/PrintPreview.h"
#include "preview/SpecialCanvas.h"
#include "render/ChartPagePrinter.h"
#include "widgets/FxPSpinEdit.h"

#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>

namespace wendle {

void TWendleForm::RecomputePrintScaleLimits()
{
    // The maximum first: in the other order a value between the old and the new range
    // could be clamped twice.
    const NumberSetting pitch = PrintPitchSetting(PrintedStitchPitchGroup->Chosen<LengthUnit>());
    PrintedStitchPitchEdit->SetMaxValue(pitch.Maximum);
    PrintedStitchPitchEdit->SetMinValue(pitch.Minimum);
    RecomputePrintRequirements();
}

void TWendleForm::RecomputePrintRequirements()
{
    Print = ComputePrintRequirements({ Layout.ChartWidth, Layout.ChartHeight,
        PrintedStitchPitchEdit->Number(), PrintedStitchPitchGroup->Chosen<LengthUnit>(),
        StitchesAcrossEdit->Number(), StitchesDownEdit->Number() });
    const bool printable = Print.PagesRequired != UnprintablePages;
    PreviewButton->setEnabled(printable);
    PrintButton->setEnabled(printable);
    PagesRequiredLabel->setText(printable
            ? QString("Pages required to print: %1").arg(Print.PagesRequired)
            : QString("Unprintable"));
    ShowChartSize();
}

void TWendleForm::SetPrinterOrientation()
{
    PrintPreview->Printer().setCreator(QStringLiteral("Wendle " WENDLE_VERSION));
    PrintPreview->Printer().setPageOrientation(
        Print.PrintLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TWendleForm::ReportPrintError(const std::exception& error)
{
    QMessageBox::critical(this, windowTitle(), QString::fromUtf8(error.what()));
}

void TWendleForm::RunPrintCommand(void (TPrintPreview::*command)())
{
    // The status dialog is modeless and the driver lets events through between pages, so a
    // second click could start a job inside the running one.
    if (PrintCommandRunning)
        return;
    PrintCommandRunning = true;
    SetPrinterOrientation();
    try {
        (PrintPreview->*command)();
    } catch (const std::exception& error) {
        ReportPrintError(error);
    }
    PrintCommandRunning = false;
}

void TWendleForm::PreviewButtonClick() { RunPrintCommand(&TPrintPreview::Preview); }

void TWendleForm::PrintButtonClick() { RunPrintCommand(&TPrintPreview::Print); }

void TWendleForm::BeginPrinting(std::unique_ptr<TPageInfo>& Info)
{
    Info = std::make_unique<TPageInfo>();
    Info->DocTitle = ChartDocTitle;
    // The page count is known, so the print dialog offers exactly the pages there are.
    Info->MaxPage = Print.PagesRequired;
}

void TWendleForm::PrintPage(std::unique_ptr<TPageInfo>& Info, TSpecialCanvas& SCanvas)
{
    if (!Info)
        return;
    PrintChartPage(*Info, SCanvas,
        { Layout, Print, PrintColorGroup->Chosen<PrintColour>(), Colours, FirstStitchEdit->Number(),
            FirstRowEdit->Number() });
}

void TWendleForm::EndPrinting(std::unique_ptr<TPageInfo>& Info) { Info.reset(); }

} // namespace wendle
