#include "print/page_breaker.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct FakeItem
{
    bool pageBreakBefore = false;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

struct FakeDrawItem
{
    int top = 0;
    int height = 0;
    int item = 0;
    bool startsLine = true;
};

// A formatted document reduced to what page breaking reads, laid out the way formatting does:
// lines follow each other, a paragraph adds the previous one's space after and its own space
// before above its first line.
class FakeDocument : public PageBreakSource
{
public:
    FakeDocument &paragraph(int lines, int lineHeight, FakeItem item = {})
    {
        if (!m_items.empty())
            m_y += m_items.back().spaceAfter;
        m_y += item.spaceBefore;
        m_items.push_back(item);
        for (int line = 0; line < lines; ++line) {
            m_drawItems.push_back({ m_y, lineHeight, int(m_items.size()) - 1, true });
            m_y += lineHeight;
        }
        return *this;
    }

    // Adds a piece of a new item on the last line, `topOffset` below the line's first piece.
    FakeDocument &pieceOnLastLine(int topOffset, int height)
    {
        const FakeDrawItem &last = m_drawItems.back();
        m_items.push_back({});
        m_drawItems.push_back({ last.top + topOffset, height, int(m_items.size()) - 1, false });
        return *this;
    }

    int drawItemCount() const override { return int(m_drawItems.size()); }
    int top(int d) const override { return m_drawItems[d].top; }
    int height(int d) const override { return m_drawItems[d].height; }
    bool startsLine(int d) const override { return m_drawItems[d].startsLine; }
    bool startsItem(int d) const override
    {
        return d == 0 || m_drawItems[d - 1].item != m_drawItems[d].item;
    }
    bool pageBreakBefore(int d) const override { return itemOf(d).pageBreakBefore; }
    int spaceBefore(int d) const override { return itemOf(d).spaceBefore; }
    int spaceAfter(int d) const override { return itemOf(d).spaceAfter; }

private:
    const FakeItem &itemOf(int d) const { return m_items[m_drawItems[d].item]; }

    std::vector<FakeItem> m_items;
    std::vector<FakeDrawItem> m_drawItems;
    int m_y = 0;
};

struct BreakCase
{
    std::string name;
    FakeDocument document;
    int textAreaHeight;
    std::vector<std::pair<int, int>> pages; // FirstDrawItem, TopY
    std::vector<int> completed; // pages reported with dvpsProceeding, in order
};

const FakeItem breakBefore { true, 0, 0 };

std::vector<BreakCase> breakCases()
{
    return {
        { "ExactFitStays", FakeDocument().paragraph(10, 10), 100, { { 0, 0 } }, { 1 } },
        { "OnePixelMoreMovesTheLine", FakeDocument().paragraph(10, 10), 99, { { 0, 0 }, { 9, 90 } },
            { 1, 2 } },
        { "LongDocumentFillsEveryPage", FakeDocument().paragraph(25, 10), 100,
            { { 0, 0 }, { 10, 100 }, { 20, 200 } }, { 1, 2, 3 } },
        { "OverflowingSecondPieceMovesWholeLine",
            FakeDocument().paragraph(1, 10).paragraph(1, 10).pieceOnLastLine(-2, 13), 20,
            { { 0, 0 }, { 1, 8 } }, { 1, 2 } },
        { "PageBreakBeforeFirstItemStartsNoEmptyPage",
            FakeDocument().paragraph(2, 10, breakBefore).paragraph(1, 10), 100, { { 0, 0 } },
            { 1 } },
        { "TwoPageBreaksInARowEachStartAPage",
            FakeDocument()
                .paragraph(1, 10)
                .paragraph(1, 10, breakBefore)
                .paragraph(1, 10, breakBefore),
            100, { { 0, 0 }, { 1, 10 }, { 2, 20 } }, { 1, 2, 3 } },
        { "TallLineStaysAloneOnItsPage",
            FakeDocument().paragraph(1, 10).paragraph(1, 50).paragraph(1, 10), 30,
            { { 0, 0 }, { 1, 10 }, { 2, 60 } }, { 1, 2, 3 } },
        { "TallFirstLineKeepsPageOne", FakeDocument().paragraph(1, 50).paragraph(1, 10), 30,
            { { 0, 0 }, { 1, 50 } }, { 1, 2 } },
        { "TallLastLineGetsNoEvent", FakeDocument().paragraph(1, 10).paragraph(1, 50), 30,
            { { 0, 0 }, { 1, 10 } }, { 1 } },
        { "SpaceBeforeStaysAtTopOfPage",
            FakeDocument().paragraph(3, 10).paragraph(2, 10, { false, 5, 0 }), 40,
            { { 0, 0 }, { 3, 30 } }, { 1, 2 } },
        { "SpaceAfterMustFitToo", FakeDocument().paragraph(2, 10, { false, 0, 3 }), 22,
            { { 0, 0 }, { 1, 10 } }, { 1, 2 } },
        { "SpaceAfterExactFitStays", FakeDocument().paragraph(2, 10, { false, 0, 3 }), 23,
            { { 0, 0 } }, { 1 } },
        { "EmptyDocumentHasNoPages", FakeDocument(), 100, {}, {} },
    };
}

class PageBreakerTest : public testing::TestWithParam<BreakCase>
{ };

TEST_P(PageBreakerTest, CutsPagesAtLineStarts)
{
    BreakCase c = GetParam();
    std::vector<int> completed;
    std::vector<TDVPageInfo> pages;
    PageBreaker breaker(c.document, c.textAreaHeight, [&](int page, TDVPrintingStep step) {
        EXPECT_EQ(step, dvpsProceeding);
        completed.push_back(page);
    });
    breaker.run(pages);

    std::vector<std::pair<int, int>> got;
    for (const TDVPageInfo &page : pages) {
        EXPECT_EQ(page.FirstPart, 0);
        got.emplace_back(page.FirstDrawItem, page.TopY);
    }
    EXPECT_EQ(got, c.pages);
    EXPECT_EQ(completed, c.completed);
}

INSTANTIATE_TEST_SUITE_P(Breaking, PageBreakerTest, testing::ValuesIn(breakCases()),
    [](const testing::TestParamInfo<BreakCase> &info) { return info.param.name; });

struct RangeCase
{
    std::string name;
    std::vector<TDVPageInfo> pages;
    int page;
    int first;
    int last;
    int firstPart;
};

class DrawItemsRangeTest : public testing::TestWithParam<RangeCase>
{ };

TEST_P(DrawItemsRangeTest, SpansTheItemsUpToTheNextPage)
{
    const RangeCase &c = GetParam();
    const DrawItemsRange range = drawItemsRange(c.pages, c.page, 12);
    EXPECT_EQ(range.first, c.first);
    EXPECT_EQ(range.last, c.last);
    EXPECT_EQ(range.firstPart, c.firstPart);
}

const std::vector<TDVPageInfo> threePages { { 0, 0, 0, 0 }, { 5, 50, 0, 0 }, { 9, 90, 0, 0 } };
const std::vector<TDVPageInfo> splitPages { { 0, 0, 0, 0 }, { 4, -3, 1, 0 }, { 4, -3, 2, 0 } };

INSTANTIATE_TEST_SUITE_P(Ranges, DrawItemsRangeTest,
    testing::Values(RangeCase { "FirstPage", threePages, 1, 0, 4, -1 },
        RangeCase { "MiddlePage", threePages, 2, 5, 8, -1 },
        RangeCase { "LastPageRunsToLastItem", threePages, 3, 9, 11, -1 },
        RangeCase { "PageBeforeSplitStartKeepsItemOff", splitPages, 1, 0, 3, -1 },
        RangeCase { "NextPageContinuingSplitItemIncludesIt", splitPages, 2, 4, 4, 0 },
        RangeCase { "PageWithLaterPart", splitPages, 3, 4, 11, 1 }),
    [](const testing::TestParamInfo<RangeCase> &info) { return info.param.name; });

} // namespace
