#include "chart/TextNormaliser.h"

#include "chart/LatinLetters.h"

#include <algorithm>

namespace wendle {

namespace {

    static_assert(std::ranges::is_sorted(LatinLetters, {}, &LatinLetter::Code));

    constexpr char32_t FirstCombiningMark = 0x0300;
    constexpr char32_t LastCombiningMark = 0x036F;

    std::size_t LeadingBlanks(std::u32string_view line)
    {
        return std::min(line.find_first_not_of(U' '), line.size());
    }

} // namespace

void AppendNormalised(char32_t code, std::u32string& line)
{
    const char32_t upper = UpperCaseKey(code);
    if (upper != code || (code >= 32 && code <= 95)) {
        line += upper;
        return;
    }
    if (code >= FirstCombiningMark && code <= LastCombiningMark)
        return;
    const auto letter = std::ranges::lower_bound(LatinLetters, code, {}, &LatinLetter::Code);
    if (letter == LatinLetters.end() || letter->Code != code) {
        line += U' ';
        return;
    }
    for (const char* spelling = letter->Spelling; *spelling != '\0'; ++spelling)
        line += static_cast<char32_t>(*spelling);
}

std::u32string NormaliseLine(std::u32string_view line)
{
    std::u32string result;
    result.reserve(line.size());
    for (const char32_t character : line.substr(LeadingBlanks(line)))
        AppendNormalised(character, result);
    return result;
}

std::vector<std::size_t> NormalisedOffsets(std::u32string_view line)
{
    const std::size_t leading = LeadingBlanks(line);
    std::vector<std::size_t> offsets(leading + 1, 0);
    std::u32string result;
    for (const char32_t character : line.substr(leading)) {
        AppendNormalised(character, result);
        offsets.push_back(result.size());
    }
    return offsets;
}

std::string ToFontText(std::u32string_view normalisedLine)
{
    std::string text;
    text.reserve(normalisedLine.size());
    for (const char32_t character : normalisedLine)
        text += (character >= U' ' && character <= U'_') ? static_cast<char>(character) : ' ';
    return text;
}

} // namespace wendle
