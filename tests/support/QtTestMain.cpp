#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    // Test discovery runs this binary at build time, where no display may exist; listing
    // the tests needs no application object. (InitGoogleTest has taken the flag out of argv
    // by now, so ask GoogleTest rather than argv.)
    std::unique_ptr<QApplication> application;
    if (!::testing::GTEST_FLAG(list_tests))
        application = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
