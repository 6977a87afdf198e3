#pragma once

#include "chart/ChartLayout.h"
#include "chart/PrintLayout.h"
#include "chart/PrintedPage.h"
#include "chart/StitchDisplay.h"

#include <optional>

namespace wendle {

struct TSpecialCanvas;
struct TPageInfo;

/// The title every print job of a chart carries.
inline constexpr const char* ChartDocTitle = "Hardcopy of knitting pattern";

/// What a printed chart page is drawn from, besides its number: read afresh for every page,
/// so that a preview follows the settings.
struct ChartPrintSettings {
    const TChartLayout& Chart;
    const PrintLayout& Layout;
    PrintColour Colours { PrintColour::BlackOnWhite };
    DisplayColours Display;
    /// The numbers of the chart's first stitch and row; empty for a blank field.
    std::optional<double> FirstStitch { FirstNumberSetting.Default };
    std::optional<double> FirstRow { FirstNumberSetting.Default };
    Numbering Order { Numbering::Chart };
};

/// Draws page \a Info.PageNumber of the chart on \a SCanvas, in the printer's pixels from the
/// sheet's top-left corner, and sets \a Info.LastPage. The window and the command-line tool
/// both print through it, so the preview, the printer and a PDF show the same pages.
void PrintChartPage(TPageInfo& Info, TSpecialCanvas& SCanvas, const ChartPrintSettings& settings);

} // namespace wendle
