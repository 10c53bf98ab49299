#include "app/exception_boundary.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ZanApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
