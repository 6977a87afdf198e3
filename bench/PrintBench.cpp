// Printing's hot paths, offscreen: writing the PDF of the largest chart that still prints at
// the defaults, and painting one preview page of the densest page the pitch limits allow.
#include "chart/ChartLayout.h"
#include "chart/ChartOptions.h"
#include "chart/PrintLayout.h"
#include "chart/WendleFont.h"
#include "preview/PageInfo.h"
#include "preview/PreviewForm.h"
#include "preview/QtPrinterPort.h"
#include "render/ChartPagePrinter.h"
#include "render/ChartPdf.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <string>
#include <vector>

using namespace wendle;

namespace {

double PeakResidentMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

TChartLayout LayOut(const std::vector<std::string>& lines)
{
    TWendleFont font;
    font.BuildFont();
    TChartLayout layout;
    layout.LayOutChart(lines, ChartOptions {}, font);
    return layout;
}

// Lines of "THE QUICK BROWN FOX ..." cut to 1,000 characters: 20 of them make a chart of
// 3,926 by 142 stitches, the tallest that prints at the defaults.
std::vector<std::string> FoxLines(int count)
{
    std::string line;
    while (line.size() < 1000)
        line += "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 ";
    line.resize(1000);
    return std::vector<std::string>(static_cast<std::size_t>(count), line);
}

void BM_WritePdf(benchmark::State& state)
{
    const TChartLayout chart = LayOut(FoxLines(static_cast<int>(state.range(0))));
    const PrintLayout plan = ComputePrintRequirements({ chart.ChartWidth, chart.ChartHeight });
    qsizetype bytes = 0;
    for (auto _ : state) {
        QString error;
        bytes = ChartPdf(
            { chart, plan, PrintColour::BlackOnWhite, DisplayColours {}, 1, 1 }, {}, error)
                    .size();
        if (!error.isEmpty())
            state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["stitches"] = static_cast<double>(chart.ChartWidth) * chart.ChartHeight;
    state.counters["pages"] = plan.PagesRequired;
    state.counters["pdf_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_RSS_MB"] = PeakResidentMegabytes();
}

// The densest page: 20 printed stitches per inch, one section of 127 stitches by 233 rows.
void BM_PaintPreviewPage(benchmark::State& state)
{
    std::vector<std::string> lines(33, std::string(21, 'W'));
    const TChartLayout chart = LayOut(lines);
    const PrintLayout plan = ComputePrintRequirements(
        { chart.ChartWidth, chart.ChartHeight, 20.0, LengthUnit::Inch, 6.0, 7.5 });
    if (plan.PagesRequired != 1) {
        state.SkipWithError("the test chart does not fill exactly one page");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    TQtPrinterPort port(printer);
    TPreviewForm form(port);
    form.SetHandlers([](std::unique_ptr<TPageInfo>& info) { info = std::make_unique<TPageInfo>(); },
        [&](std::unique_ptr<TPageInfo>& info, TSpecialCanvas& canvas) {
            PrintChartPage(
                *info, canvas, { chart, plan, PrintColour::BlackOnWhite, DisplayColours {}, 1, 1 });
        },
        [](std::unique_ptr<TPageInfo>& info) { info.reset(); });
    const float zoom = static_cast<float>(state.range(0)) / 100.0F;
    form.SetModalRun([&](TPreviewForm& window) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("the preview was never shown");
        window.SetZoom(zoom);
        QApplication::processEvents();
        for (auto _ : state)
            window.PB1->repaint();
    });
    form.RunPreview();
    state.counters["stitches"] = static_cast<double>(chart.ChartWidth) * chart.ChartHeight;
}

} // namespace

BENCHMARK(BM_WritePdf)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PaintPreviewPage)->Arg(100)->Arg(1709)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
