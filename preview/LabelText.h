#pragma once

#include <QAccessible>
#include <QLabel>

namespace wendle {

/// Sets the text of a label that shows information and tells a screen reader about the
/// change, since the label's text is what the reader reads. Nothing happens when the text
/// is unchanged, so a reader does not repeat itself after every update.
inline void SetLabelText(QLabel* label, const QString& text)
{
    if (label->text() == text)
        return;
    label->setText(text);
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

/// Sets a widget's accessible description and announces the change.
inline void SetAccessibleDescriptionText(QWidget* widget, const QString& description)
{
    if (widget->accessibleDescription() == description)
        return;
    widget->setAccessibleDescription(description);
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace wendle
