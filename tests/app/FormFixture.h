#pragma once

#include "app/OvrInsMemo.h"
#include "app/WendleForm.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <memory>

namespace wendle::test {

// The main window with the sample text of 6 December 2026, shown, active and idle.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        form = std::make_unique<TWendleForm>(QDate(2026, 12, 6));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        Idle();
    }

    // Lets the event loop run dry, as after a burst of the user's events.
    void Idle()
    {
        QApplication::processEvents();
        form->IdleUpdate();
        QApplication::processEvents();
    }

    void SetText(const QString& text) { form->PlainText->setPlainText(text), Idle(); }
    // Presses \a key in a field, as the user would.
    void Key(QWidget* field, Qt::Key key) { field->setFocus(), QTest::keyClick(field, key); }
    QString Message() const { return form->DimensionsMessage->text(); }

    std::unique_ptr<TWendleForm> form;
};

inline const QColor Maroon(128, 0, 0), Cream(255, 251, 240), Black(Qt::black), White(Qt::white);

} // namespace wendle::test
