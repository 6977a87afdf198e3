#include "tests/support/AccessibilityRecorder.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <algorithm>

namespace wendle::test {

AccessibilityRecorder::AccessibilityRecorder()
{
    if (QPlatformAccessibility* platform
        = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(true);
    Events().clear();
    QAccessible::installUpdateHandler(
        [](QAccessibleEvent* event) { Events().emplace_back(event->object(), event->type()); });
}

bool AccessibilityRecorder::Saw(const QObject* object, QAccessible::Event kind) const
{
    return std::ranges::find(Events(), std::pair { object, kind }) != Events().end();
}

std::vector<std::pair<const QObject*, QAccessible::Event>>& AccessibilityRecorder::Events()
{
    static std::vector<std::pair<const QObject*, QAccessible::Event>> events;
    return events;
}

} // namespace wendle::test
