#include "docview/doc_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <typename Function> void expectThrowMessage(Function function, const std::string &expected)
{
    try {
        function();
        ADD_FAILURE() << "no exception, expected \"" << expected << "\"";
    } catch (const EDocViewError &error) {
        EXPECT_EQ(std::string(error.what()), expected);
    }
}

const char *const outOfBounds = "Item index is out of bounds";
const char *const wrongKind = "Can't get or set this kind of information for this item";

class ItemListTest : public testing::Test
{
protected:
    void SetUp() override { view.SetStyle(&sheet); }
    TDVStyle sheet;
    TDocView view;
};

TEST_F(ItemListTest, ContinuationOfAnEmptyDocumentStartsAParagraph)
{
    view.AddNL("text", 0, -1);
    ASSERT_EQ(view.GetLineCount(), 1);
    EXPECT_EQ(view.GetItemPara(0), 0);
    EXPECT_TRUE(view.IsParaStart(0));
}

TEST_F(ItemListTest, ContinuationJoinsThePreviousLineAndParagraph)
{
    view.AddNL("first", 0, 1);
    view.AddNL("second", 2, -1);
    EXPECT_TRUE(view.GetItem(1).ItemOptions().contains(dvioSameAsPrev));
    EXPECT_EQ(view.GetItemPara(1), 1);
    EXPECT_FALSE(view.IsFromNewLine(1));
    EXPECT_FALSE(view.IsParaStart(1));
}

TEST_F(ItemListTest, EveryParagraphNumberStartsANewParagraph)
{
    view.AddNL("a", 0, 0);
    view.AddNL("b", 1, 1);
    EXPECT_TRUE(view.IsParaStart(1));
    EXPECT_FALSE(view.GetItem(1).BR());
    view.DVData().AddParagraphMode = false;
    view.AddNL("c", 1, 1);
    EXPECT_TRUE(view.GetItem(2).BR());
    EXPECT_TRUE(view.IsFromNewLine(2));
    EXPECT_FALSE(view.IsParaStart(2));
}

TEST_F(ItemListTest, ItemAfterABreakStartsAParagraph)
{
    view.AddNL("a", 0, 1);
    view.AddBreak();
    view.AddNL("b", 0, -1);
    EXPECT_EQ(view.GetItemStyle(1), -1);
    EXPECT_EQ(view.GetItemPara(1), 0);
    EXPECT_EQ(view.GetItemText(1), "");
    EXPECT_TRUE(view.IsParaStart(2));
    EXPECT_EQ(view.GetItemPara(2), 0);
    int width = 0;
    TDVBreakStyle style = dvbs3d;
    TColor color = 0;
    int tag = 9;
    view.GetBreakInfo(1, width, style, color, tag);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(style, dvbsLine);
    EXPECT_EQ(color, clNone);
    EXPECT_EQ(tag, 0);
}

struct TabRow
{
    const char *name;
    int spacesInTab;
    bool withSheet;
    std::string expected;
};

class TabTest : public testing::TestWithParam<TabRow>
{ };

TEST_P(TabTest, TabsBecomeSpaces)
{
    TDVStyle sheet;
    sheet.SpacesInTab = std::uint16_t(GetParam().spacesInTab);
    TDocView view;
    if (GetParam().withSheet)
        view.SetStyle(&sheet);
    view.AddNL("a\tb\r\n", 0, 0);
    EXPECT_EQ(view.GetItemText(0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, TabTest,
    testing::Values(TabRow { "Eight", 8, true, "a        b\r\n" },
        TabRow { "Two", 2, true, "a  b\r\n" },
        TabRow { "NoSheetUsesEight", 2, false, "a        b\r\n" }),
    [](const testing::TestParamInfo<TabRow> &info) { return info.param.name; });

TEST_F(ItemListTest, UnicodeStylesMarkTheirItems)
{
    sheet.TextStyles[3].Unicode = true;
    view.AddNL(std::string("a\0\t\0", 4), 3, 0);
    EXPECT_TRUE(view.GetItem(0).ItemOptions().contains(dvioUnicode));
    EXPECT_EQ(view.GetItemText(0).size(), 2u + 2u * 8u);
}

TEST_F(ItemListTest, EmptyTextIsStoredAsAnItem)
{
    view.AddNL("", 0, 0);
    view.AddNL(" ", 0, 0);
    view.AddBreak();
    EXPECT_EQ(view.GetLineCount(), 3);
    EXPECT_EQ(view.GetItemText(0), "");
}

TEST_F(ItemListTest, PageBreakFlags)
{
    view.AddNL("a", 0, 0);
    view.AddNL("b", 0, -1);
    expectThrowMessage(
        [&] { view.SetPageBreaksBeforeItems(view.GetLineCount(), true); }, outOfBounds);
    expectThrowMessage([&] { view.SetPageBreaksBeforeItems(-1, true); }, outOfBounds);
    expectThrowMessage([&] { (void)view.GetPageBreaksBeforeItems(2); }, outOfBounds);
    EXPECT_FALSE(view.GetItem(1).PageBreakBefore());
    view.SetPageBreaksBeforeItems(view.GetLineCount() - 1, true);
    EXPECT_TRUE(view.GetPageBreaksBeforeItems(1));
    EXPECT_FALSE(view.GetPageBreaksBeforeItems(0));
    // The flag makes the continued item start a paragraph.
    EXPECT_TRUE(view.IsParaStart(1));
    view.SetPageBreaksBeforeItems(1, false);
    EXPECT_FALSE(view.GetPageBreaksBeforeItems(1));
}

TEST(ItemOptionsTest, SettersKeepTheInvariants)
{
    TDVTextItemInfo text(nullptr);
    text.SetItemOption(dvioBR, true);
    text.SetItemOption(dvioSameAsPrev, true);
    EXPECT_EQ(text.ItemOptions(), TDVItemOptions { dvioSameAsPrev });
    text.SetItemOption(dvioPageBreakBefore, true);
    EXPECT_EQ(text.ItemOptions(), TDVItemOptions { dvioPageBreakBefore });
    text.SetItemOption(dvioSameAsPrev, true);
    EXPECT_EQ(text.ItemOptions(), TDVItemOptions { dvioSameAsPrev });
    text.SetItemOption(dvioBR, true);
    EXPECT_EQ(text.ItemOptions(), TDVItemOptions { dvioBR });
    EXPECT_TRUE(text.ParaStart(true));
    EXPECT_FALSE(text.ParaStart(false));
    EXPECT_FALSE(text.CanBeBorderStart());

    TDVBreakItemInfo rule(nullptr);
    rule.SetItemOption(dvioBR, true);
    EXPECT_FALSE(rule.BR());
}

TEST(ItemPropertiesTest, BoolValuesByClass)
{
    TDVStyle sheet;
    TDVTextItemInfo text(nullptr);
    TDVBreakItemInfo rule(nullptr);
    EXPECT_TRUE(text.GetBoolValue(dvbpValid));
    EXPECT_TRUE(text.GetBoolValue(dvbpRequiresDVFLines));
    EXPECT_FALSE(text.GetBoolValue(dvbpFullWidth));
    EXPECT_TRUE(text.GetBoolValueEx(dvbpPrintToBMP, &sheet));
    EXPECT_FALSE(text.GetBoolValueEx(dvbpJump, &sheet));
    text.StyleNo = 4; // "Jump 1"
    EXPECT_TRUE(text.GetBoolValueEx(dvbpJump, &sheet));
    EXPECT_TRUE(rule.GetBoolValue(dvbpFullWidth));
    EXPECT_FALSE(rule.GetBoolValue(dvbpRequiresDVFLines));
    EXPECT_FALSE(rule.GetBoolValueEx(dvbpPrintToBMP, &sheet));
    TDVScreenAndDevice printer { 96, 96, 600, 600, 0, 0 };
    EXPECT_EQ(text.GetMinWidth(&printer, nullptr, nullptr), 125);
    EXPECT_EQ(rule.GetMinWidth(nullptr, nullptr, nullptr), 20);
}

TEST_F(ItemListTest, KindSpecificAccessorsRefuseOtherKinds)
{
    view.AddNL("a", 0, 0);
    view.AddBreakEx(3, dvbsRectangle, clRed);
    int width = 0;
    TDVBreakStyle style = dvbsLine;
    TColor color = 0;
    int tag = 0;
    expectThrowMessage([&] { view.GetBreakInfo(0, width, style, color, tag); }, wrongKind);
    expectThrowMessage([&] { view.SetBreakInfo(0, 1, dvbsLine, clRed, 0); }, wrongKind);
    std::string text;
    expectThrowMessage([&] { view.GetTextInfo(1, text, tag); }, wrongKind);
    view.SetBreakInfo(1, 4, dvbs3d, clBlue, 7);
    view.GetBreakInfo(1, width, style, color, tag);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(style, dvbs3d);
    EXPECT_EQ(color, clBlue);
    EXPECT_EQ(tag, 7);
    view.GetTextInfo(0, text, tag);
    EXPECT_EQ(text, "a");
}

TEST_F(ItemListTest, PlainAccessorsRaiseTheListIndexError)
{
    view.AddNL("a", 0, 0);
    try {
        (void)view.GetItemStyle(3);
        ADD_FAILURE() << "no exception";
    } catch (const EListError &error) {
        EXPECT_EQ(std::string(error.what()), "List index out of bounds (3)");
    }
}

TEST_F(ItemListTest, ClearRemovesEverythingAndIsHarmlessWhenEmpty)
{
    view.Clear();
    EXPECT_EQ(view.GetLineCount(), 0);
    std::vector<TDVItemAction> actions;
    view.OnItemAction = [&](TCustomDocView &, TDVItemAction action, TCustomDVItemInfo &,
                            const std::string &) { actions.push_back(action); };
    view.AddNL("a", 0, 0);
    view.AddBreak();
    view.Format();
    view.Clear();
    EXPECT_EQ(view.GetLineCount(), 0);
    EXPECT_EQ(view.DVData().DrawItems.Count(), 0);
    EXPECT_FALSE(view.DVData().State.contains(dvstClearing));
    EXPECT_EQ(actions,
        (std::vector<TDVItemAction> { dviaInserting, dviaInserted, dviaInserting, dviaInserted,
            dviaDestroying, dviaDestroying }));
}

TEST_F(ItemListTest, LineCountIsTheNumberOfAdds)
{
    for (int i = 0; i < 10; ++i)
        view.AddNL("x", i % 3, i % 2 ? -1 : 0);
    view.AddBreak();
    EXPECT_EQ(view.GetLineCount(), 11);
}

} // namespace
