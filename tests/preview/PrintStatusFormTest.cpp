#include "PrintStatusForm.h"

#include "AccessibilityRecorder.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace wendle;

namespace {

TEST(PrintStatusFormTest, LinesShowAndAnnounceWhatTheDriverSets)
{
    test::AccessibilityRecorder recorder;
    TPrintStatusForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Print Status");
    EXPECT_FALSE(form.isModal());
    EXPECT_TRUE(form.TitleLabel()->wordWrap()) << "a long job name takes two lines";
    // What a screen reader reads for each line, and the caption the line is labelled by.
    const auto caption = [](QLabel* line) {
        const auto labels
            = QAccessible::queryAccessibleInterface(line)->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    };
    EXPECT_EQ(test::ReadAccessible(form.TitleLabel()), "(No Title)");
    EXPECT_EQ(test::ReadAccessible(form.PageNumLabel()), "Initializing...");
    EXPECT_EQ(caption(form.TitleLabel()), "Print Job:");
    EXPECT_EQ(caption(form.PageNumLabel()), "Page:");
    EXPECT_EQ(test::ReadAccessible(form.CancelBtn()), "Cancel");

    recorder.Clear();
    form.SetJobText(QStringLiteral("Hardcopy of knitting pattern"));
    form.SetPageNumber(2147483647);
    EXPECT_EQ(test::ReadAccessible(form.TitleLabel()), "Hardcopy of knitting pattern");
    EXPECT_EQ(test::ReadAccessible(form.PageNumLabel()), "2147483647");
    EXPECT_TRUE(recorder.Saw(form.TitleLabel(), QAccessible::NameChanged));
    EXPECT_TRUE(recorder.Saw(form.PageNumLabel(), QAccessible::NameChanged));
    EXPECT_FALSE(form.Cancelled());
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
        EXPECT_EQ(form.TitleLabel()->text(), "Cancelling...");
        EXPECT_TRUE(form.isVisible()) << "the driver closes the dialog, not the user";
    }
}

} // namespace
