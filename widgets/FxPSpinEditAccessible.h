#pragma once

#include <QAccessibleWidget>

namespace wendle {

class TFxPSpinEdit;

/// What assistive technology and GUI test tools see of a TFxPSpinEdit: a spin box with its
/// name, its value as shown, its bounds and its step. Setting the value goes the way of a
/// typed entry, and the increase and decrease actions step like the spin buttons.
class TFxPSpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TFxPSpinEditAccessible(TFxPSpinEdit* spinEdit);

    /// Registers the factory that gives every TFxPSpinEdit this interface; safe to call
    /// more than once.
    static void Install();

    QAccessible::State state() const override;
    QString text(QAccessible::Text textType) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TFxPSpinEdit* SpinEdit() const;
};

} // namespace wendle
