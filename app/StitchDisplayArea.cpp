#include "app/StitchDisplayArea.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPaintEvent>

namespace wendle {

TStitchDisplayArea::TStitchDisplayArea(QWidget* parent)
    : QWidget(parent)
{
    // Every pixel is painted from the chart, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab and a click give the chart the focus, as they gave it to its scroll box before.
    setFocusPolicy(Qt::StrongFocus);
}

QVariant TStitchDisplayArea::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // Where the keyboard works in the chart is the part in view: a scroll box keeps that in
    // view as the focus comes and goes, rather than scrolling to the whole chart's middle.
    if (query == Qt::ImCursorRectangle)
        return visibleRegion().boundingRect();
    return QWidget::inputMethodQuery(query);
}

void TStitchDisplayArea::paintEvent(QPaintEvent* event)
{
    if (Handler)
        Handler(*this, event->rect());
}

void TStitchDisplayArea::contextMenuEvent(QContextMenuEvent* event)
{
    // Some platforms turn the Menu key into a menu request as well as passing the key on; the
    // key itself opens the menu, so that it opens once everywhere.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    emit MenuRequested(event->globalPos());
}

void TStitchDisplayArea::keyPressEvent(QKeyEvent* event)
{
    const bool menuKey = event->key() == Qt::Key_Menu;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (!menuKey && !shiftF10)
        return QWidget::keyPressEvent(event);
    // The menu opens amid the part of the chart in view.
    emit MenuRequested(mapToGlobal(visibleRegion().boundingRect().center()));
}

} // namespace wendle
