#include "tests/preview/PreviewTest.h"

using namespace wendle;

TEST(PrintStatusFormTest, ShowsItsLinesToAScreenReader)
{
    TPrintStatusForm form;
    form.show();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the other windows stay usable";
    // What a screen reader reads for the two lines.
    const auto read = [&] {
        return test::ReadAccessible(form.TitleLabel) + "|"
            + test::ReadAccessible(form.PageNumLabel);
    };
    EXPECT_EQ(read(), "(No Title)|Initializing...");
    form.SetJobText(QStringLiteral("Hardcopy of knitting pattern")), form.SetPageNumber(2147483647);
    EXPECT_EQ(read(), "Hardcopy of knitting pattern|2147483647");
}
