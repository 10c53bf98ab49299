#pragma once

// The data object of a document: the item list with its building operations (TCustomDVData)
// and the formatting and painting of those items (TCustomDVFormattedData). The one formatting
// routine Format_ serves the screen and the printer; the concrete data class answers, through
// the virtual operations, which canvas, resolutions, width and margins to format for.

#include "docview/dv_background.h"
#include "docview/dv_draw_items.h"
#include "docview/dv_items.h"
#include "docview/dv_sad.h"
#include "docview/dv_style.h"
#include "docview/dv_types.h"

#include <memory>
#include <string>
#include <string_view>

// When set, the fitting count of formatting comes from one fit query of the canvas instead of
// the interpolation search (false at start; nothing in this system sets it).
extern bool DocViewSafeFormatting;

class TCustomDVData
{
public:
    TCustomDVData();
    virtual ~TCustomDVData();
    TCustomDVData(const TCustomDVData &) = delete;
    TCustomDVData &operator=(const TCustomDVData &) = delete;

    bool AddParagraphMode = true;
    TDVState State;

    // The item list: the data's own, or (after ShareItemsFrom) another data object's.
    TDVItemList &Items() const { return *m_items; }
    int ItemCount() const { return m_items->Count(); }

    virtual TDVOptions GetOptions() const { return {}; }
    virtual void SetOptions(TDVOptions options) { (void)options; }
    virtual TDVStyle *GetDVStyle() const = 0;
    virtual TDVPaletteAction GetDoInPaletteMode() const { return dvpaDoNothing; }
    virtual TDVBiDiMode GetBiDiMode() const { return dvbdUnspecified; }
    // True when the item list belongs to another data object (the print copy).
    virtual bool ShareItems() const { return m_sharedFrom != nullptr; }
    virtual void InternalFreeItem(TCustomDVItemInfo *item, bool clearing);
    // Notification of item actions; nothing by default.
    virtual void ItemAction(TDVItemAction action, TCustomDVItemInfo &item, const std::string &text,
        TCustomDVData *data);

    // Clears this data and makes it refer to the very item list of source: nothing is copied,
    // and this data never frees or edits those items.
    void ShareItemsFrom(TCustomDVData &source);

    // Building operations (see TCustomDocView for the public description).
    void AddNLTag(std::string_view text, int styleNo, int paraNo, int tag);
    void AddNL(std::string_view text, int styleNo, int paraNo)
    {
        AddNLTag(text, styleNo, paraNo, 0);
    }
    void AddBreakExTag(int width, TDVBreakStyle style, TColor color, int tag);
    void AddItem(std::string text, std::unique_ptr<TCustomDVItemInfo> item);
    void SetPageBreaksBeforeItems(int index, bool value);
    bool GetPageBreaksBeforeItems(int index) const;
    int GetLineCount() const { return ItemCount(); }
    // Removes all items (unless shared) and the state flags of the last paragraph.
    virtual void Clear();

private:
    std::unique_ptr<TDVItemList> m_ownItems;
    TDVItemList *m_items;
    TCustomDVData *m_sharedFrom = nullptr;
};

class TCustomDVFormattedData : public TCustomDVData
{
public:
    TCustomDVFormattedData();
    ~TCustomDVFormattedData() override;

    TDVDrawLines DrawItems;
    int DocumentHeight = 0; // device pixels, margins included
    int DocumentWidth = 0; // device pixels between the margins
    int TextWidth = 0; // device pixels between the margins
    int LastFormattedItem = -1;

    // What formatting asks of the concrete data class.
    virtual void GetSADForFormatting(Canvas &canvas, TDVScreenAndDevice &sad);
    virtual TDVFlags GetFlags() const = 0;
    virtual void SetFlags(TDVFlags flags) = 0;
    virtual int GetAreaWidth() const { return GetWidth(); }
    virtual int GetLeftMargin() const { return 0; } // screen pixels
    virtual int GetRightMargin() const { return 0; } // screen pixels
    virtual int GetTopMargin() const { return 0; } // device pixels
    virtual int GetBottomMargin() const { return 0; } // device pixels
    virtual int GetMinTextWidth() const { return 0; } // screen pixels
    virtual int GetMaxTextWidth() const { return 0; } // screen pixels
    virtual TDVBackground *GetBackground() const { return nullptr; }
    virtual void AdjustVScrollUnits() { }
    // Tells the container the size the document needs (width in pixels, height in pixels).
    virtual void SetDocumentAreaSize(int width, int height, bool redraw);
    virtual int GetHOffs() const { return 0; }
    virtual int GetVOffs() const { return 0; }
    virtual int GetWidth() const = 0; // the area's client width, device pixels
    virtual int GetHeight() const = 0; // the area's client height, device pixels
    virtual Canvas *GetCanvas() = 0;
    virtual void ScrollTo(int y, bool redraw) { (void)y, (void)redraw; }
    virtual void HScrollTo(int x) { (void)x; }
    virtual int GetVSmallStep() const { return 1; }
    // The document's background colour (clNone: nothing is filled).
    virtual TColor GetColor() const { return clNone; }
    // Called after PaintTo; nothing by default.
    virtual void PostPaintTo(Canvas &canvas, const Rect &rect) { (void)canvas, (void)rect; }
    virtual bool IsControlFocused() const { return false; }
    // Client width used for page-break marks on screen.
    virtual int GetPageBreakWidth() const { return GetWidth(); }

    void Clear() override;
    // Discards all formatting results (draw items, jump areas).
    virtual void ClearTemporal();

    // The one formatting routine for screen and printer (a full format; onlyTail formats only
    // the items added since the last format when the previous format is still valid).
    void Format_(bool onlyResized, bool force, bool noScroll, int depth, Canvas *canvas,
        bool onlyTail, bool noCaching);
    void Format(bool noCaching) { Format_(false, true, false, 0, GetCanvas(), false, noCaching); }

    // Resolution record of the last format (device margins included).
    const TDVScreenAndDevice &FormattingSaD() const { return m_sad; }
    // Smallest width the document can be laid out in, device pixels (margins excluded).
    int CalculateMinDocWidth(Canvas &canvas, const TDVScreenAndDevice &sad);

    // Conversions between item positions and draw items (offsets are 1-based characters).
    // Item2DrawItem: the draw item holding character offs of item itemNo and the offset inside
    // it; false when the item has no draw item.
    bool Item2DrawItem(int itemNo, int offs, int &drawItemNo, int &offsInDrawItem) const;
    // The item and the offset in its text of character offs of draw item drawItemNo.
    void DrawItem2Item(int drawItemNo, int offs, int &itemNo, int &offsInItem) const;
    // The first draw item of item itemNo, or -1 when it has none.
    int Item2FirstDrawItem(int itemNo) const;
    // The draw item whose text holds character offs of item itemNo, or -1.
    int GetDrawItemNo(int itemNo, int offs) const;
    // The first draw item at or after document y (binary search on Top).
    int FindDrawItemAtY(int y) const;

    // Checks the formatting invariants (every item has draw items, in item order, with pieces
    // inside their texts, lines in top-down order); returns a description of the first broken
    // one, or an empty string.
    std::string checkConsistency() const;

    // Painting (screen).
    void DrawBackground(Canvas &canvas, const Rect &rect);
    // Draws the draw items that intersect rect (client coordinates of the area); the canvas
    // origin stands for rect's top-left corner.
    void PaintTo(Canvas &canvas, const Rect &rect);

protected:
    TDVScreenAndDevice m_sad;

private:
    friend class DVFormatter;
    void formatBody(bool onlyResized, bool force, int depth, Canvas &canvas, bool noCaching);
    int fullWidthRight() const;
    void paintParagraphDecorations(Canvas &canvas, const Rect &documentRect, int first, int last);
    bool m_reentry = false;
};
