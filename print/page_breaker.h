#pragma once

#include "docview/dv_types.h"

#include <functional>
#include <vector>

// One page of the formatted print copy. Coordinates are device pixels of the printer in document
// space (the copy's own top and bottom margins are 0).
struct TDVPageInfo
{
    int FirstDrawItem = 0; // index of the first drawing item on the page
    int TopY = 0; // document y shown at the top of the text area; 0 for page 1
    int FirstPart = 0; // 0, or 1 + index of the part of a split drawing item the page begins with
    int PartTopY = 0; // document y for the items after a split item's part on this page

    bool operator==(const TDVPageInfo &) const = default;
};

// The drawing items as page breaking sees them. Lengths are device pixels; `d` is a drawing-item
// index in 0 .. drawItemCount() - 1.
class PageBreakSource
{
public:
    virtual ~PageBreakSource() = default;

    virtual int drawItemCount() const = 0;
    virtual int top(int d) const = 0;
    virtual int height(int d) const = 0;
    // The drawing item begins a line.
    virtual bool startsLine(int d) const = 0;
    // The drawing item is the first of its item (drawing item 0, or the previous one belongs to
    // another item).
    virtual bool startsItem(int d) const = 0;
    // The item of the drawing item asks for a page break before it.
    virtual bool pageBreakBefore(int d) const = 0;
    // Space before and after the paragraph of the drawing item, converted to device pixels.
    virtual int spaceBefore(int d) const = 0;
    virtual int spaceAfter(int d) const = 0;

    // Split questions of drawing items that may run across pages; plain drawing items answer no.
    virtual bool isSplittable(int d) const;
    virtual bool initSplit(int d);
    virtual bool canSplitFirst(int d, int room);
    // Cuts off the next part so that it fits into `room`; true when a new part was made.
    virtual bool splitAt(int d, int room);
    virtual int partCount(int d) const;
    virtual int partHeight(int d, int part) const;
};

// Cuts a formatted document into pages in one forward pass over its drawing items.
//
// A drawing item stays on the page when its bottom plus its paragraph's space after does not
// pass the end of the text area (an exact fit stays). Otherwise the whole line containing it
// moves to a new page, whose top lies the line's space-before above the line. A line taller than
// the text area stays alone on its page. An item with a page break before it starts a new page
// unless the page already begins with it.
class PageBreaker
{
public:
    using Progress = std::function<void(int pageCompleted, TDVPrintingStep)>;

    PageBreaker(PageBreakSource &source, int textAreaHeight, Progress progress);

    // Appends every page to `pages` (which must be empty) and raises `progress` with
    // (k, dvpsProceeding) as page k is completed. A last page holding only a line taller than the
    // text area gets no event.
    void run(std::vector<TDVPageInfo> &pages);

private:
    // Completes at most one page; returns when the page is full or the document ends.
    void formatNextPage();
    bool breakBefore(int d) const;
    // Handles a splittable drawing item; returns true when the call must return.
    bool enterSplit(int d, bool pageBreakBeforeD, bool &continueWithNext);
    bool continueSplit(int d);
    void startPageAt(int d);
    void addSplitPage(int d, int firstPart);
    void reportPage(int pageNumber);

    PageBreakSource &m_source;
    int m_textAreaHeight;
    Progress m_progress;
    std::vector<TDVPageInfo> *m_pages = nullptr;
    int m_drawItemCount = 0;
    int m_next = 0; // next drawing item to place
    int m_pageTop = 0; // TopY of the page being filled
    bool m_inSplit = false;
    int m_room = 0; // room left for the next part of the split item, device pixels
};

// Drawing items of one page, for page drawing.
struct DrawItemsRange
{
    int first = 0;
    int last = -1;
    int firstPart = -1; // part of a split drawing item the page begins with, -1 for none
};

// Per-page values derived from the page list; `page` counts from 1 and must be in range.
DrawItemsRange drawItemsRange(const std::vector<TDVPageInfo> &pages, int page, int drawItemCount);
