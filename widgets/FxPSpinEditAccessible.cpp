#include "widgets/FxPSpinEditAccessible.h"

#include "widgets/FxPSpinEdit.h"

#include <limits>

namespace wendle {

namespace {

    QAccessibleInterface* SpinEditFactory(const QString& className, QObject* object)
    {
        // Qt asks with the object's own class name first, so a spin field is answered before
        // its base classes' factories are tried.
        Q_UNUSED(className);
        if (auto* spinEdit = qobject_cast<TFxPSpinEdit*>(object)) {
            // Qt's accessibility cache takes ownership of every interface a factory returns.
            return new TFxPSpinEditAccessible(spinEdit);
        }
        return nullptr;
    }

} // namespace

TFxPSpinEditAccessible::TFxPSpinEditAccessible(TFxPSpinEdit* spinEdit)
    : QAccessibleWidget(spinEdit, QAccessible::SpinBox)
{
}

void TFxPSpinEditAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&SpinEditFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

TFxPSpinEdit* TFxPSpinEditAccessible::SpinEdit() const
{
    return static_cast<TFxPSpinEdit*>(widget());
}

QAccessible::State TFxPSpinEditAccessible::state() const
{
    QAccessible::State result = QAccessibleWidget::state();
    result.readOnly = SpinEdit()->ReadOnly();
    return result;
}

QString TFxPSpinEditAccessible::text(QAccessible::Text textType) const
{
    if (textType == QAccessible::Value)
        return QString::fromStdString(SpinEdit()->Model().ValueText());
    return QAccessibleWidget::text(textType);
}

void* TFxPSpinEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant TFxPSpinEditAccessible::currentValue() const
{
    // A blank field has no value to report.
    if (SpinEdit()->Model().IsBlank())
        return {};
    return SpinEdit()->Value();
}

void TFxPSpinEditAccessible::setCurrentValue(const QVariant& value)
{
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    if (!isNumber || SpinEdit()->ReadOnly())
        return;
    SpinEdit()->ApplyValue(fxspbcKeystroke, number);
}

QVariant TFxPSpinEditAccessible::maximumValue() const
{
    const TSpinValueModel& model = SpinEdit()->Model();
    return model.IsBounded() ? model.MaxValue() : std::numeric_limits<double>::max();
}

QVariant TFxPSpinEditAccessible::minimumValue() const
{
    const TSpinValueModel& model = SpinEdit()->Model();
    return model.IsBounded() ? model.MinValue() : std::numeric_limits<double>::lowest();
}

QVariant TFxPSpinEditAccessible::minimumStepSize() const { return SpinEdit()->Increment(); }

QStringList TFxPSpinEditAccessible::actionNames() const
{
    return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
}

void TFxPSpinEditAccessible::doAction(const QString& actionName)
{
    if (!widget()->isEnabled())
        return;
    if (actionName == increaseAction())
        SpinEdit()->UpClick();
    else if (actionName == decreaseAction())
        SpinEdit()->DownClick();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList TFxPSpinEditAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == increaseAction())
        return { QStringLiteral("Up") };
    if (actionName == decreaseAction())
        return { QStringLiteral("Down") };
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

} // namespace wendle
