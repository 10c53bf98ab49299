#include <QApplication>

#include <gtest/gtest.h>

// The grid widget tests drive real widgets (offscreen in the test runs).
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
