#pragma once

#include <QCursor>

namespace wendle {

/// The preview's zoom tool: a magnifying glass, hot spot at the centre of the lens (10, 10).
QCursor ZoomToolCursor();
/// The preview's hand tool: an open hand, hot spot at (7, 14).
QCursor HandToolCursor();

} // namespace wendle
