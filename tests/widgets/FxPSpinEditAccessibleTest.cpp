#include "SpinEditFixture.h"

#include "BlankValue.h"

#include <QAccessible>
#include <QAccessibleValueInterface>

#include <limits>

using namespace wendle;
using wendle::testing::SpinEditFixture;

namespace {

class FxPSpinEditAccessibleTest : public SpinEditFixture {
protected:
    QAccessibleInterface* Accessible() const { return QAccessible::queryAccessibleInterface(edit); }
};

TEST_F(FxPSpinEditAccessibleTest, IsASpinBoxWithNameAndShownValue)
{
    Configure(2, 16, 1, 7.5);
    edit->setAccessibleName(QStringLiteral("Stitches across"));
    QAccessibleInterface* accessible = Accessible();
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::SpinBox);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Stitches across"));
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("7.5"));
    EXPECT_TRUE(accessible->state().focusable);
    EXPECT_FALSE(accessible->state().readOnly);
    edit->SetReadOnly(true);
    EXPECT_TRUE(accessible->state().readOnly);
}

TEST_F(FxPSpinEditAccessibleTest, ShownValueHasSeparatorsAndNoPlaceholders)
{
    Configure(0, 0, 0, 5);
    edit->SetThousandSeparator(',');
    edit->SetValue(1234);
    edit->SetIncrement(100000); // placeholders left of the number
    EXPECT_EQ(Accessible()->text(QAccessible::Value), QStringLiteral("1,234"));
    edit->SetValue(FxSpEmptyValue);
    EXPECT_EQ(Accessible()->text(QAccessible::Value), QString());
}

TEST_F(FxPSpinEditAccessibleTest, ValueInterfaceGivesBoundsAndStep)
{
    Configure(2, 16, 1, 6);
    edit->SetIncrement(0.5);
    QAccessibleValueInterface* value = Accessible()->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toDouble(), 6.0);
    EXPECT_EQ(value->minimumValue().toDouble(), 2.0);
    EXPECT_EQ(value->maximumValue().toDouble(), 16.0);
    EXPECT_EQ(value->minimumStepSize().toDouble(), 0.5);
    edit->SetValue(FxSpEmptyValue);
    EXPECT_FALSE(value->currentValue().isValid()) << "a blank field has no value";
}

TEST_F(FxPSpinEditAccessibleTest, UnboundedFieldReportsTheWholeRange)
{
    Configure(0, 0, 1, 6);
    QAccessibleValueInterface* value = Accessible()->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toDouble(), std::numeric_limits<double>::lowest());
    EXPECT_EQ(value->maximumValue().toDouble(), std::numeric_limits<double>::max());
}

TEST_F(FxPSpinEditAccessibleTest, SettingTheValueIsATypedEntry)
{
    Configure(2, 16, 1, 6);
    QAccessibleValueInterface* value = Accessible()->valueInterface();
    ASSERT_NE(value, nullptr);
    value->setCurrentValue(9.5);
    EXPECT_EQ(edit->Value(), 9.5);
    value->setCurrentValue(40);
    EXPECT_EQ(edit->Value(), 16) << "clamped like a typed number";
    EXPECT_EQ(changes->count(), 2);

    edit->SetCheckBounds(1u << fxspbcDirectSet);
    value->setCurrentValue(40);
    EXPECT_EQ(edit->Value(), 40) << "the keystroke occasion decides the clamping";

    value->setCurrentValue(QStringLiteral("no number"));
    EXPECT_EQ(edit->Value(), 40);
    edit->SetReadOnly(true);
    value->setCurrentValue(3);
    EXPECT_EQ(edit->Value(), 40) << "a read-only field takes no entry";
}

TEST_F(FxPSpinEditAccessibleTest, IncreaseAndDecreaseActionsStep)
{
    ASSERT_TRUE(windowActive);
    Configure(2, 16, 1, 6);
    QAccessibleActionInterface* actions = Accessible()->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::increaseAction()));
    actions->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(edit->Value(), 7);
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(edit->Value(), 5);
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::increaseAction()),
        QStringList { QStringLiteral("Up") });
}

} // namespace
