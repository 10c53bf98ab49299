#pragma once

// Draw items: the result of formatting. Each is a run of one item's text (or a non-text item)
// placed on one line, in device pixels of the canvas that was measured.
//
//   document x -> |<- DeviceLeftMargin ->|<------ line ------>|
//   Left, Top     : top-left of the piece in document coordinates (margins included)
//   Width, Height : measured text extent (Height = ascent + descent of the font)

#include "docview/dv_sad.h"

#include <cstdint>
#include <memory>
#include <vector>

class TDVDrawLineInfo
{
public:
    TDVDrawLineInfo() = default;
    TDVDrawLineInfo(int left, int top, int width, int height, int itemNo, bool fromNewLine);
    virtual ~TDVDrawLineInfo() = default;

    int ExtraSpaceBefore = 0; // justification gap before the text; 0 here
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int ItemNo = 0;
    int Offs = 1; // 1-based first character in the item text
    int Length = 0; // characters in the piece
    int ExtraSpaceBelow = 0; // extra line spacing below this piece's line
    std::uint8_t FromNewLine = 0; // 255 when the piece starts a line

    bool StartsLine() const { return FromNewLine != 0; }
    int Bottom() const { return Top + Height; }

    virtual void SetData(int left, int top, int itemNo, bool fromNewLine);
    virtual void SetSize(int width, int height);
    // Splitting across pages; a plain piece cannot be split.
    virtual bool InitSplit(const TDVScreenAndDevice &sad);
    virtual bool CanSplitFirst(int room, const TDVScreenAndDevice &sad);
    virtual bool SplitAt(int room, const TDVScreenAndDevice &sad);
};

// One part of a draw item that is split across pages.
struct TDVMultiDrawItemPart
{
    int Height = 0;
};

// A draw item that can be cut into parts across pages (tables); nothing in this system makes
// one, but page breaking and drawing ask through this interface.
class TDVMultiDrawItemInfo : public TDVDrawLineInfo
{
public:
    using TDVDrawLineInfo::TDVDrawLineInfo;
    std::vector<TDVMultiDrawItemPart> PartsList;
};

// The owning list of draw items in document order.
class TDVDrawLines
{
public:
    int Count() const { return int(m_items.size()); }
    bool Empty() const { return m_items.empty(); }
    TDVDrawLineInfo &operator[](int index) const { return *m_items[std::size_t(index)]; }
    void Add(std::unique_ptr<TDVDrawLineInfo> item);
    // Inserts at index; inside a range marked for deletion the next free slot is reused.
    void Insert(int index, std::unique_ptr<TDVDrawLineInfo> item);
    void Delete(int index);
    void Clear();
    void Reserve(int count) { m_items.reserve(std::size_t(count)); }
    // Frees the draw items first..last and remembers the range; later Inserts fill its slots.
    void MarkForDelete(int first, int last);
    // Removes the slots of the marked range that were not reused.
    void DeleteMarked();

private:
    std::vector<std::unique_ptr<TDVDrawLineInfo>> m_items;
    int m_markedFirst = -1; // next free slot of the marked range, -1 without one
    int m_markedLast = -1;
};
