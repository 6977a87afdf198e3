#include "preview/AboutBox.h"

#include "tests/preview/PreviewTest.h"

TEST(AboutBoxTest, NamesTheComponentInBoldOverItsOkButton)
{
    const wendle::TAboutBox about;
    EXPECT_TRUE(about.findChild<QLabel*>("ProductName")->font().bold()
        && about.findChild<QPushButton*>()->isDefault());
}
