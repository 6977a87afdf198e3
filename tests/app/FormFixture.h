#pragma once

#include "WendleForm.h"

#include "FxPSpinEdit.h"
#include "OvrInsMemo.h"
#include "RadioGroup.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace wendle::test {

/// The main window with the sample text of 6 December 2026, shown and idle.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        form = std::make_unique<TWendleForm>(QDate(2026, 12, 6));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        Idle();
    }

    // Lets the event loop run dry, as after a burst of the user's events.
    void Idle()
    {
        QApplication::processEvents();
        form->IdleUpdate();
        QApplication::processEvents();
    }

    void SetText(const QString& text)
    {
        form->PlainText->setPlainText(text);
        Idle();
    }

    // Presses \a key in a number field, as the user would.
    void KeyInField(TFxPSpinEdit* field, Qt::Key key)
    {
        field->setFocus();
        QTest::keyClick(field, key);
    }

    void ClickItem(TRadioGroup* group, int index)
    {
        QRadioButton* button = group->Item(index);
        form->Notebook->setCurrentWidget(group->parentWidget());
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    QString Message() const { return form->DimensionsMessage->text(); }

    std::unique_ptr<TWendleForm> form;
};

} // namespace wendle::test
