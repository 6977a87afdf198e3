#pragma once

#include <cstdint>

class QImage;
class QPainter;

namespace wendle {

class TPrinterPort;

/// Why a page is being drawn.
enum TSpecialMode : std::uint8_t {
    smDisplay = 0, ///< painted in the preview window
    smPrint = 1, ///< sent to the printer
    smPaginate = 2, ///< measured only, to work through the pages before the first one wanted
};

/// The printable area within the sheet, in printer pixels: Right = Left + width and
/// Bottom = Top + height.
struct TPrintableRect {
    std::int32_t Left { 0 };
    std::int32_t Top { 0 };
    std::int32_t Right { 0 };
    std::int32_t Bottom { 0 };
};

/// The surface a page handler draws on, with the printer's geometry. Whatever the mode,
/// `Canvas` is set up so that the handler draws in printer pixels measured from the top-left
/// corner of the physical sheet; the painter's transform does the mapping, so the extents
/// and the separate measuring window a device-context design needs have no place here.
struct TSpecialCanvas {
    TSpecialMode Mode { smDisplay };
    std::int32_t PhysWidth { 0 };
    std::int32_t PhysHeight { 0 };
    std::int32_t PixelsPerInchX { 0 };
    std::int32_t PixelsPerInchY { 0 };
    TPrintableRect PrintableRect;
    /// Not owned; valid while the page is being drawn.
    QPainter* Canvas { nullptr };

    /// A canvas around `canvas` with the printer's current geometry, asked afresh.
    static TSpecialCanvas Create(const TPrinterPort& printer, QPainter* canvas, TSpecialMode mode);
    /// A surface that keeps nothing, at the printer's resolution so that fonts measure as on
    /// paper: where measuring passes draw.
    static QImage MeasuringSurface(const TPrinterPort& printer);
};

} // namespace wendle
