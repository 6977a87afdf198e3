#pragma once

#include <QAccessible>

#include <utility>
#include <vector>

namespace wendle::test {

/// Records the accessibility events the program sends while it lives. It switches the
/// platform's accessibility on first: Qt drops every event while no assistive technology
/// has asked for them, which is the normal state of a test run.
class AccessibilityRecorder {
public:
    AccessibilityRecorder();
    ~AccessibilityRecorder() { QAccessible::installUpdateHandler(nullptr); }

    /// True when an event of \a kind was sent for \a object.
    bool Saw(const QObject* object, QAccessible::Event kind) const;

private:
    static std::vector<std::pair<const QObject*, QAccessible::Event>>& Events();
};

/// What a screen reader reads for \a object: its name, or another of its texts.
inline QString ReadAccessible(QObject* object, QAccessible::Text what = QAccessible::Name)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(what) : QString("<no accessible interface>");
}

} // namespace wendle::test
