#include "render/ChartPagePrinter.h"

#include "preview/PageInfo.h"
#include "preview/SpecialCanvas.h"

#include <gtest/gtest.h>

using namespace wendle;

namespace {

// A page without a surface draws nothing, yet counts, so that a job through it still ends.
TEST(ChartPagePrinterTest, APageWithoutASurfaceStillCounts)
{
    const TChartLayout chart;
    PrintLayout layout;
    layout.PagesRequired = 2;
    TSpecialCanvas noSurface;
    for (const std::int32_t page : { 1, 2, 3 }) {
        TPageInfo info;
        info.PageNumber = page;
        PrintChartPage(info, noSurface, { chart, layout, PrintColour::BlackOnWhite, {} });
        EXPECT_EQ(info.LastPage, page >= 2) << page;
    }
}

} // namespace
