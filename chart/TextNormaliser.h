#pragma once

#include <string>
#include <string_view>

namespace wendle {

/// Upper-cases a to z; every other code is returned unchanged.
constexpr char32_t UpperCaseKey(char32_t code)
{
    return (code >= U'a' && code <= U'z') ? code - U'a' + U'A' : code;
}

/// One pass of the text field's rule over one line: leading blanks removed, then a to z
/// upper-cased and every character the stitch font lacks (codes below 32 or above 95)
/// turned into a blank. A character turned into a blank at the start of the line stays
/// as a leading blank until the next pass.
std::u32string NormaliseLine(std::u32string_view line);

/// The same line as plain ASCII bytes, for the layout (every character is in 32..95).
std::string ToFontText(std::u32string_view normalisedLine);

} // namespace wendle
