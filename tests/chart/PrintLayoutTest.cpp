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
    const auto summary = [](const PrintInputs& inputs) {
        const PrintLayout l = ComputePrintRequirements(inputs);
        return std::tuple(l.PrintLandscape, l.TooTall, l.InputsUsable, l.StitchesPerSection,
            l.SectionsPerPage, l.PagesRequired);
    };
    constexpr std::int32_t U = UnprintablePages;
    struct Case {
        const char* name;
        PrintInputs inputs;
        bool landscape, tooTall;
        std::int32_t stitches, sections, pages;
    } const cases[] {
        // Portrait 78 cut to 70 (2 sections), landscape 114 uncut (1 section): landscape.
        { "100x17", { 100, 17 }, true, false, 114, 4, 1 },
        // Only a section wider than the chart is left uncut.
        { "78x17 fits portrait", { 78, 17 }, false, false, 78, 6, 1 },
        { "79x17 cut to tens", { 79, 17 }, true, false, 114, 4, 1 },
        { "40x17 tie keeps portrait", { 40, 17 }, false, false, 78, 6, 1 },
        // 8 inches tall: landscape holds no section, so portrait, cut to 70.
        { "100x120 portrait only", { 100, 120 }, false, false, 70, 1, 2 },
        // Two sections per portrait page, one per landscape page.
        { "140x60 fewer portrait pages", { 140, 60 }, false, false, 70, 2, 1 },
        { "110x60 fewer landscape sections", { 110, 60 }, true, false, 114, 1, 1 },
        { "142 rows fit", { 100, 142 }, false, false, 70, 1, 2 },
        { "143 rows too tall", { 100, 143 }, false, true, 70, 0, U },
        { "empty chart", { 0, 17 }, false, false, 78, 6, 0 },
        { "widest chart", { INT32_MAX, 17 }, true, false, 110, 4, 4880645 },
        // 7.874.. per cm is 20 per inch: portrait 130 holds the chart, a tie with landscape.
        { "cm at its maximum", { 100, 17, 20.0 / 2.54, LengthUnit::Centimetre }, false, false, 130,
            8, 1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(summary(c.inputs),
            std::tuple(c.landscape, c.tooTall, true, c.stitches, c.sections, c.pages))
            << c.name;
    // Pitch or gauge blank, infinite, not positive (each field, and both gauge fields), rows per
    // inch that overflow or vanish in single precision, and a pitch so coarse that six stitches
    // cross the page, cut to tens: no layout.
    constexpr LengthUnit In = LengthUnit::Inch;
    for (const PrintInputs& unusable : std::initializer_list<PrintInputs> { { 100, 17, {} },
             { 100, 17, INFINITY }, { 100, 17, 12.0, In, 0.0 }, { 100, 17, 12.0, In, 6.0, -7.5 },
             { 100, 17, 12.0, In, -6.0, -7.5 }, { 100, 17, 12.0, In, 1e-300, 1e300 },
             { 100, 17, 12.0, In, 1e300, 1e-300 }, { 100, 17, 1.0 } })
        EXPECT_EQ(summary(unusable), std::tuple(false, false, false, 0, 0, U))
            << unusable.PitchValue.value_or(-1) << " " << unusable.StitchesAcross.value_or(-1);
}

} // namespace
