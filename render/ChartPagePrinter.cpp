#include "render/ChartPagePrinter.h"

#include "chart/PrintedPage.h"
#include "preview/PageInfo.h"
#include "preview/SpecialCanvas.h"
#include "render/PainterCanvas.h"

namespace wendle {

void PrintChartPage(TPageInfo& Info, TSpecialCanvas& SCanvas, const ChartPrintSettings& settings)
{
    // No surface means nothing to draw on; the page still counts, so a job ends.
    if (!SCanvas.Canvas) {
        Info.LastPage = Info.PageNumber >= settings.Layout.PagesRequired;
        return;
    }
    TPainterCanvas canvas(*SCanvas.Canvas, SCanvas.PixelsPerInchY);
    const PageRequest request { settings.Chart, settings.Layout,
        ChoosePrintColours(settings.Colours, settings.Display), settings.FirstStitch,
        settings.FirstRow, SCanvas.PixelsPerInchX, SCanvas.PixelsPerInchY, Info.PageNumber,
        settings.Order };
    Info.LastPage = DrawPrintedPage(canvas, request);
}

} // namespace wendle
