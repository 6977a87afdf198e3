#pragma once

#include <QDate>
#include <QStringList>

namespace wendle {

/// The message the field holds when the program starts on \a today: a greeting on
/// 2 February, otherwise five lines that show off every glyph of the stitch font.
QStringList SampleTextLines(const QDate& today);

} // namespace wendle
