#include "app/StitchDisplayArea.h"

#include <QPaintEvent>

namespace wendle {

TStitchDisplayArea::TStitchDisplayArea(QWidget* parent)
    : QWidget(parent)
{
    // Every pixel is painted from the chart, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TStitchDisplayArea::paintEvent(QPaintEvent* event)
{
    if (Handler)
        Handler(*this, event->rect());
}

} // namespace wendle
