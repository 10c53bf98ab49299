#include <QApplication>

#include <gtest/gtest.h>

// The window tests need a running application (offscreen in the test runs).
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
