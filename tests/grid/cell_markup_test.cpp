#include "grid/cell_markup.h"

#include <gtest/gtest.h>

#include <string>

TEST(CellMarkup, RemovesTagsAndTurnsLineBreakTagsIntoCrLf)
{
    struct Case
    {
        const char *name;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        { "plain text unchanged", "AB-12", "AB-12" },
        { "tag between letters", "A<x>B", "AB" },
        { "tag with attributes", "<font color=red>AB</font>", "AB" },
        { "line break tags in any case", "1<br>2<HR>3<Br>4", "1\r\n2\r\n3\r\n4" },
        { "longer tag starting like a break is removed", "1<BRX>2", "12" },
        { "open bracket without close stays", "a < b", "a < b" },
        { "tail after the last close stays", "<b>x</b> < y", "x < y" },
        { "run reaches the next close only", "<<a>b>c", "b>c" },
        { "close without open stays", "a > b", "a > b" },
        { "only a tag", "<x>", "" },
        { "empty", "", "" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(removeCellMarkup(c.text), c.expected) << c.name;
}
