#pragma once

#include "FxPSpinEdit.h"
#include "TimerSpdBtn.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace wendle::testing {

// A shown, active window holding one spin field and a button that can take the focus away,
// so that key and mouse events travel the way they do in the program.
class SpinEditFixture : public ::testing::Test {
protected:
    SpinEditFixture()
    {
        window.resize(320, 120);
        edit = new TFxPSpinEdit(&window); // owned by the window
        edit->setGeometry(10, 10, 140, 23);
        // Long delays: a held button steps again only when a test says so.
        edit->SetRepeatTiming({ 600000, 600000 });
        other = new QPushButton(QStringLiteral("Other"), &window); // owned by the window
        other->setGeometry(10, 60, 80, 25);
        other->setFocusPolicy(Qt::StrongFocus);
        window.show();
        window.activateWindow();
        windowActive = QTest::qWaitForWindowActive(&window);
    }

    // Applies the owner's settings, then starts counting the signals.
    void Configure(double minValue, double maxValue, int decimals, double value)
    {
        edit->SetDecimals(decimals);
        edit->SetMaxValue(maxValue);
        edit->SetMinValue(minValue);
        edit->SetValue(value);
        changes = std::make_unique<QSignalSpy>(edit, &TFxPSpinEdit::OnChange);
        incrementChanges = std::make_unique<QSignalSpy>(edit, &TFxPSpinEdit::OnSetIncrement);
    }

    std::string Text() const { return edit->Model().Text(); }

    // The field-relative point in the middle of character \a index (0-based) of the text.
    QPoint CharacterCentre(int index) const
    {
        const QFontMetrics metrics(edit->font());
        const std::string text = edit->Model().Text();
        const QString prefix = QString::fromLatin1(text.substr(0, static_cast<std::size_t>(index)));
        const int width
            = metrics.horizontalAdvance(QLatin1Char(text[static_cast<std::size_t>(index)]));
        const int border = edit->BorderStyle() == TFxPSpinEdit::TBorderStyle::Single ? 1 : 0;
        return { border + edit->Model().TextLeft() + metrics.horizontalAdvance(prefix) + width / 2,
            edit->height() / 2 };
    }

    // Gives the field the focus afresh, so that it remembers its value for Esc.
    void FocusField()
    {
        other->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(edit->hasFocus());
    }

    QWidget window;
    TFxPSpinEdit* edit { nullptr };
    QPushButton* other { nullptr };
    bool windowActive { false };
    std::unique_ptr<QSignalSpy> changes;
    std::unique_ptr<QSignalSpy> incrementChanges;
};

} // namespace wendle::testing
