#include "AccessibilityRecorder.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <algorithm>

namespace wendle::test {

namespace {
    AccessibilityRecorder* Current = nullptr;
}

AccessibilityRecorder::AccessibilityRecorder()
{
    if (QPlatformAccessibility* platform
        = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(true);
    Current = this;
    QAccessible::installUpdateHandler(&AccessibilityRecorder::Record);
}

AccessibilityRecorder::~AccessibilityRecorder()
{
    QAccessible::installUpdateHandler(nullptr);
    Current = nullptr;
}

void AccessibilityRecorder::Record(QAccessibleEvent* event)
{
    if (Current)
        Current->Events.emplace_back(event->object(), event->type());
}

bool AccessibilityRecorder::Saw(const QObject* object, QAccessible::Event kind) const
{
    return std::find(Events.begin(), Events.end(), std::pair { object, kind }) != Events.end();
}

QString ReadAccessible(QObject* object, QAccessible::Text what)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(what) : QString("<no accessible interface>");
}

} // namespace wendle::test
