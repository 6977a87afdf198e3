#include "PrintStatusForm.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <gtest/gtest.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <functional>
#include <vector>

using namespace wendle;

namespace {

std::vector<QObject*> nameChanges;

void RecordNameChange(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::NameChanged)
        nameChanges.push_back(event->object());
}

// What a screen reader reads for a line, and the caption it is labelled by.
QString Spoken(QLabel* line)
{
    return QAccessible::queryAccessibleInterface(line)->text(QAccessible::Name);
}
QString Caption(QLabel* line)
{
    const auto labels = QAccessible::queryAccessibleInterface(line)->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

TEST(PrintStatusFormTest, LinesShowAndAnnounceWhatTheDriverSets)
{
    // Announcements go out only while an assistive technology listens; play its part.
    QPlatformAccessibility* platform
        = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(platform, nullptr);
    platform->setActive(true);
    QAccessible::installUpdateHandler(RecordNameChange);
    TPrintStatusForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Print Status"));
    EXPECT_FALSE(form.isModal());
    EXPECT_TRUE(form.font().bold() && form.font().pixelSize() == 11);
    EXPECT_TRUE(form.TitleLabel()->wordWrap());
    EXPECT_EQ(Spoken(form.TitleLabel()), QStringLiteral("(No Title)"));
    EXPECT_EQ(Spoken(form.PageNumLabel()), QStringLiteral("Initializing..."));
    EXPECT_EQ(Caption(form.TitleLabel()), QStringLiteral("Print Job:"));
    EXPECT_EQ(Caption(form.PageNumLabel()), QStringLiteral("Page:"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.CancelBtn())->text(QAccessible::Name),
        QStringLiteral("Cancel"));

    nameChanges.clear();
    form.SetJobText(QStringLiteral("Hardcopy of knitting pattern"));
    form.SetPageNumber(2147483647);
    EXPECT_EQ(form.TitleLabel()->text(), QStringLiteral("Hardcopy of knitting pattern"));
    EXPECT_EQ(Spoken(form.PageNumLabel()), QStringLiteral("2147483647"));
    EXPECT_EQ(nameChanges, (std::vector<QObject*> { form.TitleLabel(), form.PageNumLabel() }));
    EXPECT_FALSE(form.Cancelled());
    QAccessible::installUpdateHandler(nullptr);
    platform->setActive(false);
}

TEST(PrintStatusFormTest, CancelEscapeAndCloseBoxOnlyRaiseTheFlag)
{
    const std::function<void(TPrintStatusForm&)> presses[] = {
        [](TPrintStatusForm& form) { QTest::mouseClick(form.CancelBtn(), Qt::LeftButton); },
        [](TPrintStatusForm& form) { QTest::keyClick(&form, Qt::Key_Escape); },
        [](TPrintStatusForm& form) { QTest::keyClick(&form, Qt::Key_Return); },
        [](TPrintStatusForm& form) { form.close(); },
    };
    for (const auto& press : presses) {
        TPrintStatusForm form;
        form.show();
        press(form);
        EXPECT_TRUE(form.Cancelled());
        EXPECT_EQ(form.TitleLabel()->text(), QStringLiteral("Cancelling..."));
        EXPECT_TRUE(form.isVisible()) << "the driver closes the dialog, not the user";
    }
}

} // namespace
