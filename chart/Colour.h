#pragma once

#include <cstdint>

namespace wendle {

/// A colour as its red, green and blue parts, 0 to 255 each. A palette-relative colour
/// looks the same as the plain one but is another value: the window system may match it to
/// its palette, and two colours are the same only when that agrees too. The printed grid
/// relies on it: a grid in the background's very colour is left out, one that merely looks
/// like it is drawn.
struct Colour {
    std::uint8_t Red { 0 };
    std::uint8_t Green { 0 };
    std::uint8_t Blue { 0 };
    bool PaletteRelative { false };

    bool operator==(const Colour&) const = default;

    /// The colour as an opaque 0xAARRGGBB pixel.
    constexpr std::uint32_t Argb() const
    {
        return 0xFF000000u | (std::uint32_t { Red } << 16) | (std::uint32_t { Green } << 8) | Blue;
    }
};

inline constexpr Colour BlackColour {};
inline constexpr Colour WhiteColour { 255, 255, 255 };
inline constexpr Colour CreamColour { 255, 251, 240, true };
inline constexpr Colour MaroonColour { 128, 0, 0 };
inline constexpr Colour YellowColour { 255, 255, 0 };
inline constexpr Colour RedColour { 255, 0, 0 };

} // namespace wendle
