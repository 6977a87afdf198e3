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
    // What a screen reader reads for each line.
    EXPECT_EQ(test::ReadAccessible(form.TitleLabel()), "(No Title)");
    EXPECT_EQ(test::ReadAccessible(form.PageNumLabel()), "Initializing...");
    EXPECT_EQ(test::ReadAccessible(form.CancelBtn()), "Cancel");

    recorder.Clear();
    form.SetJobText(QStringLiteral("Hardcopy of knitting pattern"));
    form.SetPageNumber(2147483647);
    EXPECT_EQ(test::ReadAccessible(form.TitleLabel()), "Hardcopy of knitting pattern");
    EXPECT_EQ(test::ReadAccessible(form.PageNumLabel()), "2147483647");
    EXPECT_TRUE(recorder.Saw(form.TitleLabel(), QAccessible::NameChanged)
        && recorder.Saw(form.PageNumLabel(), QAccessible::NameChanged));
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
        EXPECT_EQ(form.TitleLabel()->text(), "Cancelling...");
        EXPECT_TRUE(form.Cancelled() && form.isVisible()) << "the driver closes the dialog";
    }
}

} // namespace
