#pragma once

#include <QMenu>

class QAction;
class QPainter;

namespace wendle {

class TWendleForm;

/// The stitch display's menu: the chart as a picture file or on the clipboard, and long
/// floats marked over the display. It reads the chart, the colours, the zoom and the gauge
/// from the window whenever it needs them.
class TStitchDisplayMenu : public QMenu {
    Q_OBJECT

public:
    explicit TStitchDisplayMenu(TWendleForm& form);

    /// Asks for a file name and a picture type, and writes the chart's picture; a message
    /// box says why when it cannot.
    void SavePicture();
    /// Puts the chart's picture, as the display draws it, on the clipboard.
    void CopyPicture();
    /// While Mark Long Floats is on, outlines every float longer than the gauge's limit in
    /// the part \a exposed of the display drawn with cells of the given size.
    void PaintFloatMarks(QPainter& painter, const QRect& exposed, int cellWidth, int cellHeight);

    QAction* SavePictureAction { nullptr };
    QAction* CopyPictureAction { nullptr };
    QAction* MarkLongFloatsAction { nullptr };

private:
    TWendleForm& Form;
};

} // namespace wendle
