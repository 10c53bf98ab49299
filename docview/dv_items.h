#pragma once

// Document items: text items (one text style each) and full-width break items (horizontal
// rules), and the ordered list that owns them.

#include "docview/dv_sad.h"
#include "docview/dv_types.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/zan_error.h"

#include <memory>
#include <string>
#include <vector>

class TCustomDVData;
class TDVDrawLineInfo;
class TDVStyle;
class Bitmap;

// Errors of the document view's operations; messages are fixed texts.
class EDocViewError : public ZanError
{
public:
    using ZanError::ZanError;
};

// Index errors of the item list ("List index out of bounds (%d)").
class EListError : public ZanError
{
public:
    using ZanError::ZanError;
};

// Base of every item record.
class TCustomDVItemInfo
{
public:
    explicit TCustomDVItemInfo(TCustomDVData *data);
    virtual ~TCustomDVItemInfo();

    int StyleNo = 0; // text style number, or a negative kind code (-1 break)
    int ParaNo = 0; // paragraph style number; -1 only while being added
    void *Checkpoint = nullptr;
    int JumpNo = 0;
    int Tag = 0;
    int DrawItemNo = -1; // first draw item after formatting (screen data only)

    // Layout flags, kept consistent by the setters (see SetItemOption).
    TDVItemOptions ItemOptions() const { return m_options; }
    // Sets or clears one flag: dvioSameAsPrev clears dvioBR and dvioPageBreakBefore;
    // dvioPageBreakBefore clears dvioSameAsPrev and dvioBR; dvioBR clears dvioSameAsPrev and is
    // refused (cleared) on full-width items.
    void SetItemOption(TDVItemOption option, bool on);
    bool SameAsPrev() const { return m_options.contains(dvioSameAsPrev); }
    bool BR() const { return m_options.contains(dvioBR); }
    bool PageBreakBefore() const { return m_options.contains(dvioPageBreakBefore); }
    bool IsFromNewLine() const { return !SameAsPrev(); }
    bool IsParaStart() const { return !SameAsPrev() && !BR(); }
    bool ParaStart(bool countBR) const { return !SameAsPrev() && (countBR || !BR()); }
    bool CanBeBorderStart() const { return !SameAsPrev() && !BR(); }

    virtual void Assign(const TCustomDVItemInfo &source);
    // Narrowest width the item can be laid out in, device pixels: 20 screen pixels converted.
    virtual int GetMinWidth(
        const TDVScreenAndDevice *sad, Canvas *canvas, TCustomDVData *data) const;
    virtual bool AsImage() const { return false; }
    virtual bool GetBoolValue(TDVItemBoolProperty property) const;
    virtual bool GetBoolValueEx(TDVItemBoolPropertyEx property, const TDVStyle *sheet) const;
    // Screen drawing of a full-width item between left and right.
    virtual void PaintFullWidth(int left, int right, int top, Canvas &canvas,
        TDVItemDrawState state, const TDVStyle &sheet, const Rect &clipRect,
        const TDVDrawLineInfo &drawItem);
    // Screen drawing of an inline non-text item at (x, y).
    virtual void Paint(int x, int y, Canvas &canvas, TDVItemDrawState state, const TDVStyle &sheet,
        const TDVDrawLineInfo &drawItem);
    // Draws the item into a screen-resolution bitmap for printing; false when it cannot.
    virtual bool PrintToBitmap(Bitmap &bitmap, bool preview, TCustomDVData &data,
        const TDVDrawLineInfo &drawItem, int part, TDVColorMode colorMode);
    // Printer drawing at (x, y) device pixels; x2 is the right edge for full-width items. The
    // style sheet is the one of `data`.
    virtual void Print(Canvas &canvas, int x, int y, int x2, bool preview, bool correction,
        const TDVScreenAndDevice &sad, const TDVDrawLineInfo &drawItem, int part,
        TDVColorMode colorMode, TCustomDVData &data);
    virtual int GetImageWidth(const TDVStyle *sheet) const;
    virtual int GetImageHeight(const TDVStyle *sheet) const;
    virtual int GetBorderWidth() const { return 0; }
    virtual int GetBorderHeight() const { return 0; }
    // A draw item of the item's own class for printing, or null for a plain draw item.
    virtual std::unique_ptr<TDVDrawLineInfo> CreatePrintingDrawItem(
        TCustomDVData &data, const TDVScreenAndDevice &sad);
    // Called before and after the item joins the list of data.
    virtual void Inserting(TCustomDVData *data, std::string &text, bool safe);
    virtual void Inserted(TCustomDVData *data, int itemNo);
    virtual void UpdatePaletteInfo(TDVPaletteAction action) { (void)action; }

private:
    TDVItemOptions m_options;
};

class TDVTextItemInfo : public TCustomDVItemInfo
{
public:
    using TCustomDVItemInfo::TCustomDVItemInfo;
    bool GetBoolValueEx(TDVItemBoolPropertyEx property, const TDVStyle *sheet) const override;
};

class TDVNonTextItemInfo : public TCustomDVItemInfo
{
public:
    using TCustomDVItemInfo::TCustomDVItemInfo;
    virtual int GetHeight() const { return 0; }
    virtual int GetWidth() const { return 0; }
    virtual int GetLeftOverhang() const { return 0; }
    virtual void AdjustInserted(int x, int y, bool adjustSelection);
};

class TDVFullLineItemInfo : public TDVNonTextItemInfo
{
public:
    using TDVNonTextItemInfo::TDVNonTextItemInfo;
    bool GetBoolValue(TDVItemBoolProperty property) const override;
};

// A horizontal rule across the text width.
class TDVBreakItemInfo : public TDVFullLineItemInfo
{
public:
    explicit TDVBreakItemInfo(TCustomDVData *data);

    std::uint8_t LineWidth = 1; // screen pixels
    TDVBreakStyle Style = dvbsLine;
    TColor Color = clNone; // clNone: the colour of text style 0

    void Assign(const TCustomDVItemInfo &source) override;
    bool GetBoolValue(TDVItemBoolProperty property) const override;
    bool GetBoolValueEx(TDVItemBoolPropertyEx property, const TDVStyle *sheet) const override;
    void PaintFullWidth(int left, int right, int top, Canvas &canvas, TDVItemDrawState state,
        const TDVStyle &sheet, const Rect &clipRect, const TDVDrawLineInfo &drawItem) override;
    void Print(Canvas &canvas, int x, int y, int x2, bool preview, bool correction,
        const TDVScreenAndDevice &sad, const TDVDrawLineInfo &drawItem, int part,
        TDVColorMode colorMode, TCustomDVData &data) override;
};

// Class of the text items AddNL creates.
using TDVTextItemFactory = std::unique_ptr<TCustomDVItemInfo> (*)(TCustomDVData *data);
extern TDVTextItemFactory DocViewTextItemClass;

// The ordered list of (text, item) pairs; it owns the items. Item text is 8-bit.
class TDVItemList
{
public:
    int Count() const { return int(m_entries.size()); }
    bool Empty() const { return m_entries.empty(); }
    // Both throw EListError "List index out of bounds (%d)" for a bad index.
    const std::string &GetText(int index) const;
    TCustomDVItemInfo &GetItem(int index) const;
    // Unchecked access for loops that already know the index is valid.
    const std::string &TextAt(int index) const { return m_entries[std::size_t(index)].text; }
    TCustomDVItemInfo &ItemAt(int index) const { return *m_entries[std::size_t(index)].item; }

    void Add(std::string text, std::unique_ptr<TCustomDVItemInfo> item);
    // Destroys every item, in order.
    void Clear();
    void Reserve(int count) { m_entries.reserve(std::size_t(count)); }

private:
    struct Entry
    {
        std::string text;
        std::unique_ptr<TCustomDVItemInfo> item;
    };
    void checkIndex(int index) const;
    std::vector<Entry> m_entries;
};
