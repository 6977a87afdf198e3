#include "preview/PreviewCursors.h"

#include <QBitmap>
#include <QImage>

#include <array>
#include <string_view>

namespace wendle {

namespace {

    // The two tool cursors, 32 x 32 and monochrome, drawn into the program: 'X' is black,
    // 'o' white and '.' shows what lies beneath.

    // A magnifying glass with cross hairs in the lens.
    constexpr std::array<std::string_view, 32> ZoomGlyph {
        "................................",
        "................................",
        "......ooooooooo.................",
        "....oooXXXXXXXooo...............",
        "...ooXXXXXXXXXXXoo..............",
        "...oXXXoooooooXXXo..............",
        "..ooXXooooXooooXXoo.............",
        "..oXXoooooXoooooXXo.............",
        "..oXXoooooXoooooXXo.............",
        "..oXXoooooXoooooXXo.............",
        "..oXXoXXXXXXXXXoXXo.............",
        "..oXXoooooXoooooXXo.............",
        "..oXXoooooXoooooXXo.............",
        "..oXXoooooXoooooXXo.............",
        "..ooXXooooXooooXXoo.............",
        "...oXXXoooooooXXXoo.............",
        "...ooXXXXXXXXXXXXXoo............",
        "....oooXXXXXXXooXXXoo...........",
        "......oooooooooooXXXoo..........",
        "................ooXXXoo.........",
        ".................ooXXXoo........",
        "..................ooXXXoo.......",
        "...................ooXXXoo......",
        "....................ooXXXoo.....",
        ".....................ooXXXoo....",
        "......................ooXXXoo...",
        ".......................ooXXXo...",
        "........................ooXoo...",
        ".........................ooo....",
        "................................",
        "................................",
        "................................",
    };

    // An open hand.
    constexpr std::array<std::string_view, 32> HandGlyph {
        ".............XXX................",
        "............XoooXXXX............",
        ".........XXXXoooXoooX...........",
        "........XoooXoooXoooX...........",
        "........XoooXoooXoooXXXX........",
        "........XoooXoooXoooXoooX.......",
        "........XoooXoooXoooXoooX.......",
        "........XoooXoooXoooXoooX.......",
        "........XoooXoooXoooXoooX.......",
        "...XXX..XoooXoooXoooXoooX.......",
        "..XoooX.XoooXoooXoooXoooX.......",
        "..XooooXXoooXoooXoooXoooX.......",
        "..XoooooXoooooooooooooooX.......",
        "...XooooooooooooooooooooX.......",
        "....XoooooooooooooooooooX.......",
        ".....XooooooooooooooooooX.......",
        "......XoooooooooooooooooX.......",
        ".......XooooooooooooooooX.......",
        "........XoooooooooooooooX.......",
        "........XoooooooooooooooX.......",
        "........XoooooooooooooooX.......",
        "........XoooooooooooooooX.......",
        "........XoooooooooooooooX.......",
        "........XoooooooooooooooX.......",
        "........XoooooooooooooooX.......",
        ".........XoooooooooooooX........",
        ".........XoooooooooooooX........",
        ".........XoooooooooooooX........",
        "..........XXXXXXXXXXXXX.........",
        "................................",
        "................................",
        "................................",
    };

    QCursor MakeCursor(const std::array<std::string_view, 32>& glyph, int hotX, int hotY)
    {
        QImage shape(32, 32, QImage::Format_Mono);
        QImage mask(32, 32, QImage::Format_Mono);
        // Index 1 is the set bit that a bitmap shows in colour1: black in the shape, opaque
        // in the mask.
        shape.setColorTable({ qRgb(255, 255, 255), qRgb(0, 0, 0) });
        mask.setColorTable({ qRgb(255, 255, 255), qRgb(0, 0, 0) });
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const char cell = glyph[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                shape.setPixel(x, y, cell == 'X' ? 1 : 0);
                mask.setPixel(x, y, cell == '.' ? 0 : 1);
            }
        }
        return QCursor(QBitmap::fromImage(shape), QBitmap::fromImage(mask), hotX, hotY);
    }

} // namespace

QCursor ZoomToolCursor() { return MakeCursor(ZoomGlyph, 10, 10); }

QCursor HandToolCursor() { return MakeCursor(HandGlyph, 7, 14); }

} // namespace wendle
