#include <QApplication>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    // Test discovery runs this binary at build time, where no display may exist; listing
    // the tests needs no application object.
    bool listingOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            listingOnly = true;
    }
    std::unique_ptr<QApplication> application;
    if (!listingOnly)
        application = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
