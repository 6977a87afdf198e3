#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wendle {

/// Upper-cases a to z; every other code is returned unchanged.
constexpr char32_t UpperCaseKey(char32_t code)
{
    return (code >= U'a' && code <= U'z') ? code - U'a' + U'A' : code;
}

/// What one character of a line becomes once its leading blanks are gone, appended to
/// \a line: a to z upper-cased; a Latin letter with a diacritic its base capital, and one
/// without a decomposition its customary spelling (Æ to AE, ß to SS, Ø to O); a combining
/// mark nothing, as it belongs to the letter before it; every other character the stitch
/// font lacks (codes below 32 or above 95) a blank.
void AppendNormalised(char32_t code, std::u32string& line);

/// One pass of the text field's rule over one line: leading blanks removed, then every
/// character as AppendNormalised spells it. A character turned into a blank at the start
/// of the line stays as a leading blank until the next pass.
std::u32string NormaliseLine(std::u32string_view line);

/// Where each position of \a line stands in NormaliseLine's result: entry k for the
/// position before character k, the last entry for the end. A caret after a letter that
/// becomes two stays after both.
std::vector<std::size_t> NormalisedOffsets(std::u32string_view line);

/// The same line as plain ASCII bytes, for the layout (every character is in 32..95).
std::string ToFontText(std::u32string_view normalisedLine);

} // namespace wendle
