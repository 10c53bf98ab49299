#include "app/zan_main.h"

int main(int argc, char **argv)
{
    return zanMain(argc, argv);
}
