// Arbitrary bytes as a message, through the text field's normalisation and a layout run
// with random options: every line holds only font characters, and the grid is ChartWidth by
// ChartHeight with blank margins.
#include "chart/ChartLayout.h"
#include "chart/TextNormaliser.h"
#include "fuzz/FuzzInput.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace wendle;

namespace {

// Each line as the text field leaves it after its passes, checked on the way.
std::string Normalised(const std::u32string& line)
{
    const std::u32string once = NormaliseLine(line);
    for (const char32_t code : once)
        FUZZ_REQUIRE(code >= 32 && code <= 95);
    // A second pass only takes the blanks that the first left in front.
    const std::u32string twice = NormaliseLine(once);
    FUZZ_REQUIRE(twice == once.substr(std::min(once.find_first_not_of(U' '), once.size())));
    return ToFontText(twice);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input { { data, size } };
    ChartOptions options;
    options.BlankRows = input.Int(0, 11);
    options.EndBlanks = input.Int(0, 11);
    options.WordGap = input.Int(1, 7);
    // One past each end of the choices: those must be refused.
    options.Align = static_cast<Alignment>(input.Int(-1, 4));
    options.Form = static_cast<FontForm>(input.Int(-1, 2));
    // The message's lines: code points of one byte each, or of three (reaching surrogates and
    // codes past the last plane), cut at line feeds.
    const std::uint8_t mode = input.Byte();
    std::vector<std::u32string> message(1);
    while (!input.Empty()) {
        char32_t code = input.Byte();
        if (mode & 1)
            code = (code << 16) | (static_cast<char32_t>(input.Byte()) << 8) | input.Byte();
        if (code == U'\n')
            message.emplace_back();
        else
            message.back() += code;
    }
    // Unnormalised lines too, each code cut to a byte: the layout takes any byte as a blank
    // or a capital.
    std::vector<std::string> lines;
    for (const std::u32string& line : message)
        lines.push_back(mode & 2 ? std::string(line.begin(), line.end()) : Normalised(line));

    TChartLayout layout;
    // A fresh layout changes size exactly when the options are usable; refused ones leave
    // it unlaid.
    FUZZ_REQUIRE(layout.LayOutChart(lines, options, FuzzFont()) == options.IsUsable());
    if (!options.IsUsable())
        return 0;

    // Exact widths and glyph pictures are the layout tests' business; here, the grid holds
    // the rows the lines ask for and every stitch of it can be read, margins blank.
    FUZZ_REQUIRE(layout.ChartHeight
        == (options.BlankRows + 5) * (static_cast<std::int64_t>(lines.size()) + 1) - 5);
    for (std::int32_t r = 0; r < layout.ChartHeight; ++r) {
        const bool marginRow = r < options.BlankRows || r >= layout.ChartHeight - options.BlankRows;
        for (std::int32_t c = 0; c < layout.ChartWidth; ++c) {
            const std::uint8_t cell = layout.Row(r)[c];
            FUZZ_REQUIRE(cell <= 1);
            // The wide X "&" reaches one stitch past its width, into the gap or the margin.
            const bool margin
                = marginRow || c < options.EndBlanks || c > layout.ChartWidth - options.EndBlanks;
            FUZZ_REQUIRE(!(margin && cell));
        }
    }
    return 0;
}
