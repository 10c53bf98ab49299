#include "page_breaker.h"

#include <algorithm>
#include <cassert>

bool PageBreakSource::isSplittable(int) const
{
    return false;
}

bool PageBreakSource::initSplit(int)
{
    return false;
}

bool PageBreakSource::canSplitFirst(int, int)
{
    return false;
}

bool PageBreakSource::splitAt(int, int)
{
    return false;
}

int PageBreakSource::partCount(int) const
{
    return 0;
}

int PageBreakSource::partHeight(int, int) const
{
    return 0;
}

PageBreaker::PageBreaker(PageBreakSource &source, int textAreaHeight, Progress progress)
    : m_source(source), m_textAreaHeight(textAreaHeight), m_progress(std::move(progress))
{ }

void PageBreaker::run(std::vector<TDVPageInfo> &pages)
{
    assert(pages.empty() && "page breaking starts from an empty page list");
    m_pages = &pages;
    m_drawItemCount = m_source.drawItemCount();
    m_next = 0;
    m_pageTop = 0;
    m_inSplit = false;
    while (m_next < m_drawItemCount)
        formatNextPage();
    m_pages = nullptr;
}

void PageBreaker::reportPage(int pageNumber)
{
    if (m_progress)
        m_progress(pageNumber, dvpsProceeding);
}

bool PageBreaker::breakBefore(int d) const
{
    return d != 0 && m_source.startsItem(d) && m_source.pageBreakBefore(d)
        && m_pages->back().FirstDrawItem != d;
}

void PageBreaker::formatNextPage()
{
    if (m_pages->empty()) {
        m_pages->push_back(TDVPageInfo {});
        m_pageTop = 0;
        m_next = 0;
    }
    const int count = static_cast<int>(m_pages->size());
    int d = m_next;
    if (m_inSplit) {
        if (continueSplit(d))
            return;
        ++d;
    }
    for (; d < m_drawItemCount; ++d) {
        const bool pageBreak = breakBefore(d);
        if (m_source.isSplittable(d) && m_source.initSplit(d)) {
            bool continueWithNext = false;
            if (enterSplit(d, pageBreak, continueWithNext))
                return;
            if (continueWithNext)
                continue;
        }
        const int bottom = m_source.top(d) + m_source.height(d) + m_source.spaceAfter(d);
        if (bottom > m_pageTop + m_textAreaHeight || pageBreak) {
            startPageAt(d);
            return;
        }
    }
    reportPage(count);
    m_next = m_drawItemCount;
}

// Breaks before the whole line containing `d`: the new page begins at that line's start.
void PageBreaker::startPageAt(int d)
{
    int j = d;
    while (j >= 0 && !m_source.startsLine(j))
        --j;
    if (j < 0)
        j = d;
    if (m_pages->back().FirstDrawItem == j) {
        // The line alone is taller than the text area: it keeps its page and runs past its end.
        do
            ++j;
        while (j < m_drawItemCount && !m_source.startsLine(j));
    }
    if (j < m_drawItemCount) {
        const int count = static_cast<int>(m_pages->size());
        int lineTop = m_source.top(j);
        for (int k = j + 1; k < m_drawItemCount && !m_source.startsLine(k); ++k)
            lineTop = std::min(lineTop, m_source.top(k));
        m_pageTop = lineTop - m_source.spaceBefore(j);
        m_pages->push_back(TDVPageInfo { j, m_pageTop, 0, 0 });
        reportPage(count);
    }
    m_next = j;
}

// A splittable drawing item met while filling a page. Returns true when the call must return;
// `continueWithNext` is set when the item was placed whole and breaking goes on after it.
bool PageBreaker::enterSplit(int d, bool pageBreakBeforeD, bool &continueWithNext)
{
    TDVPageInfo &page = m_pages->back();
    const bool pageBeginsAtD = page.FirstDrawItem == d;
    if (pageBeginsAtD) {
        page.FirstPart = 1;
        page.TopY = -m_source.spaceBefore(d);
    }
    m_room = m_pageTop + m_textAreaHeight - m_source.top(d) - m_source.spaceAfter(d);
    if (!pageBreakBeforeD && (pageBeginsAtD || m_source.canSplitFirst(d, m_room))) {
        m_inSplit = true;
        m_next = d;
        if (continueSplit(d))
            return true;
        continueWithNext = true;
        return false;
    }
    const int count = static_cast<int>(m_pages->size());
    const int topY = -m_source.spaceBefore(d);
    m_pages->push_back(TDVPageInfo { d, topY, 1, 0 });
    reportPage(count);
    m_pageTop = 0;
    m_room = m_textAreaHeight + topY - m_source.spaceAfter(d);
    m_inSplit = true;
    m_next = d;
    return true;
}

// Cuts the next part of split item `d`; true when a page was completed and the call must return.
bool PageBreaker::continueSplit(int d)
{
    const int before = m_source.spaceBefore(d);
    const int bottom = m_source.top(d) + m_source.height(d);
    if (m_source.splitAt(d, m_room)) {
        const int count = static_cast<int>(m_pages->size());
        const int parts = m_source.partCount(d);
        TDVPageInfo &previous = m_pages->back();
        if (previous.FirstDrawItem == d && parts >= 2)
            previous.PartTopY = bottom - m_source.partHeight(d, parts - 2) - before;
        const int topY = -before;
        m_pages->push_back(TDVPageInfo { d, topY, parts, 0 });
        reportPage(count);
        m_pageTop = 0;
        m_room = m_textAreaHeight + topY - m_source.spaceAfter(d);
        m_next = d;
        return true;
    }
    TDVPageInfo &page = m_pages->back();
    if (page.FirstDrawItem == d) {
        const int parts = m_source.partCount(d);
        const int lastPart = parts > 0 ? m_source.partHeight(d, parts - 1) : 0;
        m_pageTop = bottom - lastPart - before;
        page.PartTopY = m_pageTop;
    }
    m_inSplit = false;
    m_next = d + 1;
    return false;
}

DrawItemsRange drawItemsRange(const std::vector<TDVPageInfo> &pages, int page, int drawItemCount)
{
    assert(page >= 1 && page <= static_cast<int>(pages.size()) && "page number out of range");
    const TDVPageInfo &info = pages[page - 1];
    DrawItemsRange range;
    range.first = info.FirstDrawItem;
    range.firstPart = info.FirstPart - 1;
    if (page == static_cast<int>(pages.size())) {
        range.last = drawItemCount - 1;
        return range;
    }
    const TDVPageInfo &nextPage = pages[page];
    range.last = nextPage.FirstDrawItem - 1;
    if (nextPage.FirstPart >= 2)
        ++range.last;
    return range;
}
