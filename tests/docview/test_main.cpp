#include <QApplication>

#include <gtest/gtest.h>

// The view tests need an application object for their widgets.
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
