#include "chart/PrintLayout.h"

#include "chart/SizeMessage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace wendle;

namespace {

TEST(PrintLayoutTest, SectionsPagesAndOrientation)
{
    // By default 12 stitches across and 15 rows down an inch.
    const PrintLayout byDefault = ComputePrintRequirements({ 100, 17 });
    EXPECT_EQ(byDefault.PrintStitchesPerInch, 12.0f);
    EXPECT_EQ(byDefault.PrintRowsPerInch, 15.0f);
    EXPECT_NEAR(byDefault.PrintedHeight, 1.1333f, 1e-4);
    constexpr std::int32_t U = UnprintablePages;
    constexpr LengthUnit Inch = LengthUnit::Inch;
    struct Case {
        const char* name;
        PrintInputs inputs;
        bool landscape, tooTall, usable;
        std::int32_t stitches, sections, pages;
    } const cases[] {
        // Portrait 78 cut to 70 (2 sections), landscape 114 uncut (1 section): landscape.
        { "100x17", { 100, 17 }, true, false, true, 114, 4, 1 },
        // Only a section wider than the chart is left uncut.
        { "78x17 fits portrait", { 78, 17 }, false, false, true, 78, 6, 1 },
        { "79x17 cut to tens", { 79, 17 }, true, false, true, 114, 4, 1 },
        { "40x17 tie keeps portrait", { 40, 17 }, false, false, true, 78, 6, 1 },
        // 8 inches tall: landscape holds no section, so portrait, cut to 70.
        { "100x120 portrait only", { 100, 120 }, false, false, true, 70, 1, 2 },
        // Two sections per portrait page, one per landscape page.
        { "140x60 fewer portrait pages", { 140, 60 }, false, false, true, 70, 2, 1 },
        { "110x60 fewer landscape sections", { 110, 60 }, true, false, true, 114, 1, 1 },
        { "142 rows fit", { 100, 142 }, false, false, true, 70, 1, 2 },
        { "143 rows too tall", { 100, 143 }, false, true, true, 70, 0, U },
        { "empty chart", { 0, 17 }, false, false, true, 78, 6, 0 },
        { "widest chart", { INT32_MAX, 17 }, true, false, true, 110, 4, 4880645 },
        // 7.874.. per cm is 20 per inch: portrait 130 holds the chart, a tie with landscape.
        { "cm at its maximum", { 100, 17, 20.0 / 2.54, LengthUnit::Centimetre }, false, false, true,
            130, 8, 1 },
        { "blank pitch", { 100, 17, std::nullopt }, false, false, false, 0, 0, U },
        { "NaN pitch", { 100, 17, NAN }, false, false, false, 0, 0, U },
        { "infinite pitch", { 100, 17, INFINITY }, false, false, false, 0, 0, U },
        { "negative pitch", { 100, 17, -12.0 }, false, false, false, 0, 0, U },
        { "zero across", { 100, 17, 12.0, Inch, 0.0 }, false, false, false, 0, 0, U },
        { "negative down", { 100, 17, 12.0, Inch, 6.0, -7.5 }, false, false, false, 0, 0, U },
        { "negative both ways", { 100, 17, 12.0, Inch, -6.0, -7.5 }, false, false, false, 0, 0, U },
        { "rows overflow", { 100, 17, 12.0, Inch, 1e-300, 1e300 }, false, false, false, 0, 0, U },
        { "rows vanish", { 100, 17, 12.0, Inch, 1e300, 1e-300 }, false, false, false, 0, 0, U },
        { "rows vanish, no rows", { 100, 0, 12.0, Inch, 1e300, 1e-300 }, false, false, false, 0, 0,
            U },
        // Six stitches across the page, cut to tens: no section holds a stitch.
        { "pitch too coarse", { 100, 17, 1.0 }, false, false, false, 0, 0, U },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintLayout layout = ComputePrintRequirements(c.inputs);
        EXPECT_EQ(std::tuple(layout.PrintLandscape, layout.TooTall, layout.InputsUsable,
                      layout.StitchesPerSection, layout.SectionsPerPage, layout.PagesRequired),
            std::tuple(c.landscape, c.tooTall, c.usable, c.stitches, c.sections, c.pages));
    }
}

} // namespace
