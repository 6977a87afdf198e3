#include "chart/TextNormaliser.h"

#include <algorithm>

namespace wendle {

namespace {

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
    line += U' ';
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
