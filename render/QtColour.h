#pragma once

#include "chart/Colour.h"

#include <QColor>

namespace wendle {

/// The one place where the chart's colours meet Qt's. The palette flag changes no pixel.
inline QColor ToQColor(Colour colour) { return QColor(colour.Red, colour.Green, colour.Blue); }

/// A colour the user chose (in the colour dialog, say): never palette-relative.
inline Colour FromQColor(const QColor& colour)
{
    return { static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
        static_cast<std::uint8_t>(colour.blue()) };
}

} // namespace wendle
