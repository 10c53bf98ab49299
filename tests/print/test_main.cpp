#include <QApplication>

#include <gtest/gtest.h>

// The preview is a widget, so every test runs inside one application object.
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
