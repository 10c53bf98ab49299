#include "docview/dv_draw_items.h"

#include <cassert>

TDVDrawLineInfo::TDVDrawLineInfo(
    int left, int top, int width, int height, int itemNo, bool fromNewLine)
    : Left(left), Top(top), Width(width), Height(height), ItemNo(itemNo),
      FromNewLine(fromNewLine ? 255 : 0)
{ }

void TDVDrawLineInfo::SetData(int left, int top, int itemNo, bool fromNewLine)
{
    Left = left;
    Top = top;
    ItemNo = itemNo;
    FromNewLine = fromNewLine ? 255 : 0;
}

void TDVDrawLineInfo::SetSize(int width, int height)
{
    Width = width;
    Height = height;
}

bool TDVDrawLineInfo::InitSplit(const TDVScreenAndDevice &sad)
{
    (void)sad;
    return false;
}

bool TDVDrawLineInfo::CanSplitFirst(int room, const TDVScreenAndDevice &sad)
{
    (void)room, (void)sad;
    return false;
}

bool TDVDrawLineInfo::SplitAt(int room, const TDVScreenAndDevice &sad)
{
    (void)room, (void)sad;
    return false;
}

void TDVDrawLines::Add(std::unique_ptr<TDVDrawLineInfo> item)
{
    m_items.push_back(std::move(item));
}

void TDVDrawLines::Insert(int index, std::unique_ptr<TDVDrawLineInfo> item)
{
    if (m_markedFirst >= 0 && index == m_markedFirst && m_markedFirst <= m_markedLast) {
        m_items[std::size_t(m_markedFirst)] = std::move(item);
        ++m_markedFirst;
        return;
    }
    assert(index >= 0 && index <= Count() && "draw item index out of range");
    m_items.insert(m_items.begin() + index, std::move(item));
    if (m_markedFirst >= 0 && index < m_markedFirst) {
        ++m_markedFirst;
        ++m_markedLast;
    }
}

void TDVDrawLines::Delete(int index)
{
    assert(index >= 0 && index < Count() && "draw item index out of range");
    m_items.erase(m_items.begin() + index);
}

void TDVDrawLines::Clear()
{
    m_items.clear();
    m_markedFirst = m_markedLast = -1;
}

void TDVDrawLines::MarkForDelete(int first, int last)
{
    assert(first >= 0 && last < Count() && "marked range out of range");
    for (int i = first; i <= last; ++i)
        m_items[std::size_t(i)].reset();
    m_markedFirst = first;
    m_markedLast = last;
}

void TDVDrawLines::DeleteMarked()
{
    if (m_markedFirst >= 0 && m_markedFirst <= m_markedLast)
        m_items.erase(m_items.begin() + m_markedFirst, m_items.begin() + m_markedLast + 1);
    m_markedFirst = m_markedLast = -1;
}
