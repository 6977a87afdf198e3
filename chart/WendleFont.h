#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wendle {

/// One stored glyph: the columns it advances (without the gap the layout adds after every
/// glyph) and five row pictures, top first, where 'X' marks a text stitch.
struct Glyph {
    std::int32_t Width;
    std::array<std::string_view, 5> Rows;
};

inline constexpr int FirstFontCode = 32;
inline constexpr int LastFontCode = 95;
inline constexpr int GlyphCount = LastFontCode - FirstFontCode + 1;
inline constexpr int GlyphRows = 5;
inline constexpr int GlyphColumns = 5;

/// The font's two forms: the wide one doubles the second column of A, E, F, H and the like.
enum class FontForm { Narrow, Wide };
inline constexpr int FontFormCount = 2;

/// Where a form's cells and widths stand in TWendleFont.
constexpr std::size_t FormIndex(FontForm form) { return static_cast<std::size_t>(form); }

/// The stored alphabet, record k for character code 32 + k.
extern const std::array<Glyph, GlyphCount> GlyphTable;

/// Stored narrow; the wide form doubles the second column.
inline constexpr std::string_view WideningChars = "AEFHJLPS6890";
/// Stored wide; the narrow form keeps columns 1, 3 and 5.
inline constexpr std::string_view NarrowingChars = "+T_=";

/// The stitch font expanded into cells, one byte per stitch (1 = text, 0 = background),
/// in both forms. Empty until BuildFont runs.
class TWendleFont {
public:
    using GlyphCells = std::array<std::array<std::uint8_t, GlyphColumns>, GlyphRows>;

    /// Fills FontCells and FontWidths for both forms from GlyphTable.
    void BuildFont();

    /// Glyph index of a character code; codes outside the font map to the blank.
    static constexpr int GlyphIndex(unsigned char code)
    {
        return (code >= FirstFontCode && code <= LastFontCode) ? code - FirstFontCode : 0;
    }

    std::array<std::array<GlyphCells, GlyphCount>, FontFormCount> FontCells {};
    std::array<std::array<std::int32_t, GlyphCount>, FontFormCount> FontWidths {};
};

} // namespace wendle
