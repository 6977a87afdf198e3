#include "chart/TextNormaliser.h"

namespace wendle {

std::u32string NormaliseLine(std::u32string_view line)
{
    const std::size_t firstKept = line.find_first_not_of(U' ');
    std::u32string result(
        firstKept == std::u32string_view::npos ? std::u32string_view {} : line.substr(firstKept));
    for (char32_t& character : result) {
        const char32_t upper = UpperCaseKey(character);
        if (upper != character)
            character = upper;
        else if (character < 32 || character > 95)
            character = U' ';
    }
    return result;
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
