#pragma once

#include "chart/Colour.h"
#include "render/QtColour.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

namespace wendle {

/// The main window's look, shared by its page construction and its updates.
namespace window_style {

    inline constexpr int FormWidth = 750;
    inline constexpr int FormHeight = 450;
    inline constexpr int BottomStripHeight = 41;
    /// Wide enough for the note that a chart is too large to show in full.
    inline constexpr int CutNoteWidth = 600;

    inline QFont ArialFont(int pixelSize, bool bold)
    {
        QFont font("Arial");
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        return font;
    }

    inline void SetTextColour(QWidget* widget, Colour colour)
    {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, ToQColor(colour));
        widget->setPalette(palette);
    }

} // namespace window_style

} // namespace wendle
