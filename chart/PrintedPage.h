#pragma once

#include "chart/ChartLayout.h"
#include "chart/Numbering.h"
#include "chart/PageCanvas.h"
#include "chart/PrintLayout.h"
#include "chart/StitchDisplay.h"

#include <cstdint>
#include <optional>
#include <string>

namespace wendle {

/// The colours a pattern is printed in, as the print colour choice offers them.
enum class PrintColour { BlackOnWhite, WhiteOnBlack, Screen };

/// The three colours a page is printed in.
struct PrintColours {
    Colour Text;
    Colour Background;
    Colour Grid;
};

/// The colours of \a choice; the display colours are those of the screen.
PrintColours ChoosePrintColours(PrintColour choice, const DisplayColours& display);

/// Everything one printed page is drawn from.
struct PageRequest {
    const TChartLayout& Chart;
    const PrintLayout& Layout;
    PrintColours Colours;
    std::optional<double> FirstStitchValue; ///< the number of the chart's first stitch
    std::optional<double> FirstRowValue; ///< the number of the chart's first row
    int PpiX; ///< the printer's pixels per inch
    int PpiY;
    std::int32_t PageNumber; ///< 1-based
    Numbering Order { Numbering::Chart }; ///< which stitch and row carry which number
};

/// Draws the sections of page \a request.PageNumber; returns true when it is the last page
/// (the page number has reached PagesRequired). A page without sections, an unusable layout
/// or a resolution that is not positive draws nothing.
bool DrawPrintedPage(TPageCanvas& canvas, const PageRequest& request);

/// Width of the grid lines: the odd number nearest to a sixteenth of a printed stitch's
/// width in pixels, the smaller one on a tie.
int GridPenWidth(int ppiX, float stitchesPerInch);

/// Half the grid pen, rounded up: how far a cell's outline reaches past its right and
/// bottom edges.
int HalfPen(int gridPenWidth);

/// Length of the ticks at numbered stitches and rows: a tenth of an inch.
int TickLength(int ppiY);

/// Point size of the numbers' font, larger for larger printed stitches.
int PrintFontPoints(float stitchesPerInch);

/// What to add to a 1-based stitch or row index to get its printed number, from the value
/// of the first-stitch or first-row field: blank or no number counts as 1, others are
/// clamped to 1..999 and rounded half to even.
std::int32_t NumberOffset(std::optional<double> fieldValue);

/// A printed number: its decimal digits, cut to the first four.
std::string NumberText(std::int64_t number);

/// Left edge in pixels of stitch column \a column (1-based) of every section.
int SectionColumnX(const PrintLayout& layout, int ppiX, std::int64_t column);

/// Top edge in pixels of row \a row (1-based) of the section in \a slot (1-based, from the
/// top of the page).
int SectionRowY(const PrintLayout& layout, int ppiY, std::int64_t row, std::int32_t slot);

} // namespace wendle
