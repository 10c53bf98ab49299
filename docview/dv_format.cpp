// Formatting: turns the item list into draw items, one routine for the screen and the printer.
//
// Vertical bookkeeping while lines are laid out (device pixels):
//
//   y      the baseline of the current line (after its first piece), or the bottom of the
//          previous line's ascent part before it
//   below  the gap pending under y: the current line's deepest descent plus any paragraph
//          spacing added for the next line
//   extra  line spacing of the finished line, added to y when the next line starts
//
//   next line's Top = y + extra + below; its baseline = Top + its ascent.

#include "docview/dv_data.h"

#include "platform/locale_text.h"

#include <algorithm>
#include <cstdint>
#include <string>

bool DocViewSafeFormatting = false;

class DVFormatter
{
public:
    DVFormatter(TCustomDVFormattedData &data, Canvas &canvas, const TDVScreenAndDevice &sad)
        : m_data(data), m_canvas(canvas), m_sad(sad), m_sheet(*data.GetDVStyle()),
          m_items(data.Items()), m_draw(data.DrawItems)
    {
        const TDVFlags flags = data.GetFlags();
        m_trim = flags.contains(dvflTrim);
        m_useLeading = flags.contains(dvflUseExternalLeading);
        m_recordDrawItemNo = !data.ShareItems();
        m_y = data.GetTopMargin();
    }

    int minDocumentWidth();
    // Lays out every item; returns the document height.
    int run();

private:
    const TParaInfo &paraOf(int itemNo) const
    {
        return m_sheet.ParaStyles.GetItem(m_items.ItemAt(itemNo).ParaNo);
    }
    int toDeviceX(int x) const { return DV_XToDevice(x, m_sad); }
    int toDeviceY(int y) const { return DV_YToDevice(y, m_sad); }
    bool lineEmpty() const { return m_draw.Count() == m_lineFirst; }

    void selectStyle(int styleNo, TDVBiDiMode bidi);
    void placeText(int itemNo);
    void placeBreak(int itemNo);
    void startLine(int itemNo, bool paraStart);
    void dropTrailingSpace();
    void finishLine();
    // Leading characters of text that fit room; wholeWidth gets the width of the whole text
    // when it was measured (-1 otherwise).
    int fitCount(std::string_view text, int room, int &wholeWidth) const;
    bool breakAtNextSpaceAllowed(int itemNo, std::string_view rest, int fit) const;
    void addPiece(int itemNo, int offs, int length, int width, int height, int ascent, int descent);
    int sectionMinWidth(int first, int end);

    TCustomDVFormattedData &m_data;
    Canvas &m_canvas;
    const TDVScreenAndDevice &m_sad;
    TDVStyle &m_sheet;
    const TDVItemList &m_items;
    TDVDrawLines &m_draw;
    bool m_trim = false;
    bool m_useLeading = false;
    bool m_recordDrawItemNo = true;

    int m_y = 0;
    int m_below = 0;
    int m_extra = 0;
    int m_currentStyle = -1;
    bool m_hasStyle = false;
    TextMetrics m_metrics;
    int m_vshift = 0;

    bool m_lineStarted = false;
    int m_lineFirst = 0; // index of the current line's first draw item
    int m_lineAscent = 0;
    int m_lineLeft = 0;
    int m_lineWidth = 0;
    int m_x = 0;
    bool m_lineNoWrap = false;
    bool m_spaceConsumed = false; // the break that ended the last piece consumed its space
    bool m_spaceDropped = false; // starting this line removed a trailing space
};

void DVFormatter::selectStyle(int styleNo, TDVBiDiMode bidi)
{
    if (m_hasStyle && styleNo == m_currentStyle)
        return;
    m_sheet.ApplyStyle(m_canvas, styleNo, bidi);
    const TFontInfo &style = m_sheet.TextStyles.GetItem(styleNo);
    const TDVBiDiMode direction = style.BiDiMode != dvbdUnspecified ? style.BiDiMode : bidi;
    if (style.CharSpacing != 0 && m_sad.ScreenPpiX != m_sad.DevicePpiX
        && direction == dvbdUnspecified)
        m_canvas.setCharacterExtra(toDeviceX(style.CharSpacing));
    m_metrics = m_canvas.textMetrics();
    m_vshift = MulDiv(m_metrics.height, style.VShift, 100);
    m_currentStyle = styleNo;
    m_hasStyle = true;
}

// Width of the indents plus what the section [first, end) needs at the least.
int DVFormatter::sectionMinWidth(int first, int end)
{
    const TParaInfo &para = paraOf(first);
    const TCustomDVItemInfo &firstItem = m_items.ItemAt(first);
    int indents = para.LeftIndent + para.RightIndent;
    if (para.FirstIndent >= 1 && !firstItem.GetBoolValue(dvbpFullWidth))
        indents += para.FirstIndent;
    int need = m_sad.ScreenPpiX == m_sad.DevicePpiX ? indents : toDeviceX(indents);
    if (para.Options.contains(dvpaoNoWrap)) {
        for (int i = first; i < end; ++i) {
            const TCustomDVItemInfo &item = m_items.ItemAt(i);
            if (item.StyleNo < 0) {
                need += item.GetMinWidth(&m_sad, &m_canvas, &m_data);
                continue;
            }
            selectStyle(item.StyleNo, para.BiDiMode);
            need += m_canvas.textWidth(m_items.TextAt(i));
        }
        return need;
    }
    int widest = 0;
    for (int i = first; i < end; ++i)
        widest = std::max(widest, m_items.ItemAt(i).GetMinWidth(&m_sad, &m_canvas, &m_data));
    return need + widest;
}

int DVFormatter::minDocumentWidth()
{
    int result = 0;
    const int count = m_items.Count();
    for (int first = 0; first < count;) {
        int end = first + 1;
        while (end < count && m_items.ItemAt(end).SameAsPrev())
            ++end;
        result = std::max(result, sectionMinWidth(first, end));
        first = end;
    }
    return result;
}

int DVFormatter::run()
{
    const int count = m_items.Count();
    m_draw.Reserve(count);
    for (int i = 0; i < count; ++i) {
        const TCustomDVItemInfo &item = m_items.ItemAt(i);
        if (item.StyleNo >= 0)
            placeText(i);
        else if (item.GetBoolValue(dvbpFullWidth))
            placeBreak(i);
        // Other non-text kinds (pictures, controls) are not part of these documents.
    }
    finishLine();
    int height = m_data.GetBottomMargin() + m_y + m_below + m_extra;
    if (count > 0)
        height += toDeviceY(paraOf(count - 1).SpaceAfter);
    return height;
}

void DVFormatter::startLine(int itemNo, bool paraStart)
{
    const TCustomDVItemInfo &item = m_items.ItemAt(itemNo);
    m_spaceDropped = false;
    if (!paraStart && !m_spaceConsumed)
        dropTrailingSpace();
    m_spaceConsumed = false;
    finishLine();

    const TParaInfo &para = paraOf(itemNo);
    const bool fullWidth = item.GetBoolValue(dvbpFullWidth);
    int left = para.LeftIndent;
    if (paraStart && !item.BR() && !fullWidth)
        left += para.FirstIndent;
    const int right = para.RightIndent;
    if (paraStart && !item.BR()) {
        if (itemNo > 0)
            m_below += toDeviceY(paraOf(itemNo - 1).SpaceAfter);
        m_below += toDeviceY(para.SpaceBefore);
    }
    m_lineNoWrap = para.Options.contains(dvpaoNoWrap);
    m_lineLeft = toDeviceX(left) + m_sad.DeviceLeftMargin;
    m_lineWidth
        = (m_lineNoWrap ? m_data.DocumentWidth : m_data.TextWidth) - toDeviceX(left + right);
    m_x = 0;
    m_lineFirst = m_draw.Count();
}

// On a wrapped line: the space that ended the previous line belongs to neither line.
void DVFormatter::dropTrailingSpace()
{
    const int count = m_draw.Count();
    if (count == 0 || lineEmpty())
        return;
    TDVDrawLineInfo &last = m_draw[count - 1];
    const TCustomDVItemInfo &item = m_items.ItemAt(last.ItemNo);
    if (item.StyleNo < 0 || last.Length == 0)
        return;
    const std::string &text = m_items.TextAt(last.ItemNo);
    if (text[std::size_t(last.Offs - 1 + last.Length - 1)] != ' ')
        return;
    m_spaceDropped = true;
    if (last.Length == 1 && !last.StartsLine() && count >= 2
        && m_draw[count - 2].ItemNo == last.ItemNo) {
        m_draw.Delete(count - 1);
        return;
    }
    --last.Length;
    selectStyle(item.StyleNo, paraOf(last.ItemNo).BiDiMode);
    last.Width = m_canvas.textWidth(
        std::string_view(text).substr(std::size_t(last.Offs - 1), std::size_t(last.Length)));
}

// Aligns the finished line and computes its line spacing (m_extra).
void DVFormatter::finishLine()
{
    m_extra = 0;
    if (!m_lineStarted) {
        m_lineStarted = true;
        return;
    }
    if (lineEmpty())
        return;
    const int count = m_draw.Count();
    const TDVDrawLineInfo &last = m_draw[count - 1];
    if (m_items.ItemAt(last.ItemNo).GetBoolValue(dvbpFullWidth))
        return;
    const TParaInfo &para = paraOf(last.ItemNo);
    const int free = m_lineLeft + m_lineWidth - (last.Left + last.Width);
    int shift = 0;
    switch (para.Alignment) {
    case dvaLeft:
    case dvaJustify: // justified lines are laid out left-aligned
        break;
    case dvaCenter:
        shift = std::max(0, free / 2);
        break;
    case dvaRight:
        shift = free;
        break;
    }
    if (shift != 0)
        for (int i = m_lineFirst; i < count; ++i)
            m_draw[i].Left += shift;

    int extra = 0;
    if (para.LineSpacingType == dvlsSpaceBetween && para.LineSpacing >= 0) {
        extra = toDeviceY(para.LineSpacing);
    } else if (para.LineSpacingType == dvlsPercent && para.LineSpacing > 100) {
        int top = m_draw[m_lineFirst].Top;
        int bottom = m_draw[m_lineFirst].Bottom();
        for (int i = m_lineFirst + 1; i < count; ++i) {
            top = std::min(top, m_draw[i].Top);
            bottom = std::max(bottom, m_draw[i].Bottom());
        }
        extra = (bottom - top) * (para.LineSpacing - 100) / 100;
    }
    if (extra != 0)
        for (int i = m_lineFirst; i < count; ++i)
            m_draw[i].ExtraSpaceBelow = extra;
    m_extra = extra;
}

// Number of leading characters of text whose width fits room, by interpolation between the
// widths of a shorter and a longer prefix.
int DVFormatter::fitCount(std::string_view text, int room, int &wholeWidth) const
{
    wholeWidth = -1;
    const int count = int(text.size());
    if (m_lineNoWrap)
        return count;
    if (DocViewSafeFormatting)
        return m_canvas.fitCount(text, room);
    const int whole = m_canvas.textWidth(text);
    wholeWidth = whole;
    if (whole > 0 && whole <= room)
        return count;
    int low = 0;
    int lowWidth = 0;
    int high = count;
    int highWidth = whole;
    while (high > low + 1) {
        if (highWidth == lowWidth)
            ++highWidth;
        std::int64_t middle
            = low + std::int64_t(room - lowWidth) * (high - low) / (highWidth - lowWidth);
        middle = std::clamp<std::int64_t>(middle, low + 1, high - 1);
        const int width = m_canvas.textWidth(text.substr(0, std::size_t(middle)));
        if (width == room)
            return int(middle);
        if (width < room && width > 0) {
            low = int(middle);
            lowWidth = width;
        } else {
            high = int(middle);
            highWidth = width;
        }
    }
    return low;
}

// With dvflTrim a word that exactly fills the room may break at the space right after it,
// when more text follows that space on this line.
bool DVFormatter::breakAtNextSpaceAllowed(int itemNo, std::string_view rest, int fit) const
{
    if (!m_trim || rest[std::size_t(fit)] != ' ')
        return false;
    if (std::size_t(fit) + 1 < rest.size())
        return true;
    return itemNo + 1 < m_items.Count() && m_items.ItemAt(itemNo + 1).SameAsPrev();
}

void DVFormatter::addPiece(
    int itemNo, int offs, int length, int width, int height, int ascent, int descent)
{
    if (m_recordDrawItemNo && (m_draw.Empty() || m_draw[m_draw.Count() - 1].ItemNo != itemNo))
        m_items.ItemAt(itemNo).DrawItemNo = m_draw.Count();
    auto piece = std::make_unique<TDVDrawLineInfo>();
    piece->ItemNo = itemNo;
    piece->Offs = offs;
    piece->Length = length;
    piece->Width = width;
    piece->Height = height;
    if (lineEmpty()) {
        piece->FromNewLine = 255;
        m_y += m_extra;
        m_extra = 0;
        piece->Top = m_y + m_below;
        m_lineAscent = ascent;
        m_y += m_below + ascent;
        m_below = descent;
    } else {
        if (ascent > m_lineAscent) {
            const int down = ascent - m_lineAscent;
            for (int i = m_lineFirst; i < m_draw.Count(); ++i)
                m_draw[i].Top += down;
            m_y += down;
            m_lineAscent = ascent;
        }
        piece->Top = m_y - ascent;
        m_below = std::max(m_below, descent);
    }
    piece->Left = m_lineLeft + m_x;
    m_x += width;
    m_draw.Add(std::move(piece));
}

void DVFormatter::placeText(int itemNo)
{
    const TCustomDVItemInfo &item = m_items.ItemAt(itemNo);
    const TDVBiDiMode bidi = paraOf(itemNo).BiDiMode;
    const TFontInfo &style = m_sheet.TextStyles.GetItem(item.StyleNo);
    std::string capitals;
    std::string_view text = m_items.TextAt(itemNo);
    if (style.StyleEx.contains(dvfsAllCaps)) {
        capitals = upperCase(text);
        text = capitals;
    }
    selectStyle(item.StyleNo, bidi);
    const int lead = m_useLeading ? m_metrics.externalLeading : 0;
    const int ascent = m_metrics.ascent + lead + m_vshift;
    const int descent = m_metrics.descent - m_vshift;
    const int height = m_metrics.height;

    if (text.empty()) {
        if (!item.SameAsPrev())
            startLine(itemNo, true);
        addPiece(itemNo, 1, 0, 0, height, ascent, descent);
        return;
    }
    const int count = int(text.size());
    int pos = 0;
    bool newLine = !item.SameAsPrev();
    bool paraStart = newLine;
    while (pos < count) {
        if (newLine) {
            startLine(itemNo, paraStart);
            selectStyle(item.StyleNo, bidi);
            if (!paraStart && m_trim && !m_spaceDropped && text[std::size_t(pos)] == ' '
                && count - pos > 1)
                ++pos;
            newLine = paraStart = false;
        }
        const std::string_view rest = text.substr(std::size_t(pos));
        const bool atStart = lineEmpty();
        int wholeWidth = -1;
        int fit = fitCount(rest, std::max(0, m_lineWidth - m_x), wholeWidth);
        if (fit == 0) {
            if (!atStart) {
                newLine = true;
                continue;
            }
            fit = 1;
        }
        int length = fit;
        bool consume = false;
        if (fit < int(rest.size())) {
            std::size_t space = rest.substr(0, std::size_t(fit)).rfind(' ');
            if (space == std::string_view::npos && breakAtNextSpaceAllowed(itemNo, rest, fit))
                space = std::size_t(fit);
            if (space != std::string_view::npos) {
                length = m_trim ? int(space) : int(space) + 1;
                consume = m_trim;
            } else if (!atStart) {
                newLine = true; // the word moves down
                continue;
            }
        }
        if (length == 0) {
            // A space at the very front of the room is consumed by the break itself.
            ++pos;
            m_spaceConsumed = true;
            newLine = !atStart;
            continue;
        }
        const int width = length == int(rest.size()) && wholeWidth >= 0
            ? wholeWidth
            : m_canvas.textWidth(rest.substr(0, std::size_t(length)));
        addPiece(itemNo, pos + 1, length, width, height, ascent, descent);
        pos += length + (consume ? 1 : 0);
        m_spaceConsumed = consume;
        newLine = pos < count;
    }
}

void DVFormatter::placeBreak(int itemNo)
{
    finishLine();
    m_extra = 0; // a break does not move down by the previous line's spacing
    if (itemNo > 0)
        m_below += toDeviceY(paraOf(itemNo - 1).SpaceAfter);
    m_below += toDeviceY(paraOf(itemNo).SpaceBefore);
    m_below += toDeviceY(m_sheet.ParaStyles.GetItem(0).SpaceBefore);
    const int half = MulDiv(5, m_sad.DevicePpiY, m_sad.ScreenPpiY);
    m_lineFirst = m_draw.Count();
    auto piece = std::make_unique<TDVDrawLineInfo>(
        m_sad.DeviceLeftMargin, m_y + m_below, m_data.TextWidth, 2 * half + 1, itemNo, true);
    if (m_recordDrawItemNo)
        m_items.ItemAt(itemNo).DrawItemNo = m_draw.Count();
    m_draw.Add(std::move(piece));
    m_y += m_below + half + 1;
    m_below = half;
    m_lineAscent = half;
    m_spaceConsumed = false;
}

int TCustomDVFormattedData::CalculateMinDocWidth(Canvas &canvas, const TDVScreenAndDevice &sad)
{
    return DVFormatter(*this, canvas, sad).minDocumentWidth();
}

void TCustomDVFormattedData::Format_(bool onlyResized, bool force, bool noScroll, int depth,
    Canvas *canvas, bool onlyTail, bool noCaching)
{
    if (m_reentry) {
        m_reentry = false;
        return;
    }
    if (depth > 1 || !GetDVStyle() || State.contains(dvstSkipFormatting))
        return;
    if (!canvas)
        canvas = GetCanvas();
    if (!canvas)
        return;
    if (depth == 0) {
        State.insert(dvstSkipFormatting);
        if (onlyResized)
            State.insert(dvstResizing);
    }
    // The item at the top of the area and its distance from there, to scroll back to it.
    int topItem = -1;
    int topOffset = 0;
    if (depth == 0 && onlyResized && !noScroll && !DrawItems.Empty()) {
        const int topDrawItem = FindDrawItemAtY(GetVOffs());
        topItem = DrawItems[topDrawItem].ItemNo;
        topOffset = GetVOffs() - DrawItems[Item2FirstDrawItem(topItem)].Top;
    }
    try {
        formatBody(onlyResized, force, depth, *canvas, noCaching);
    } catch (...) {
        if (depth == 0)
            State.erase(dvstSkipFormatting).erase(dvstResizing);
        throw;
    }
    if (depth != 0)
        return;
    if (onlyResized && !noScroll) {
        const int first = topItem >= 0 ? Item2FirstDrawItem(topItem) : -1;
        ScrollTo(first >= 0 ? DrawItems[first].Top + topOffset : 0, false);
    }
    if (onlyTail && GetOptions().contains(dvoScrollToEnd))
        ScrollTo(DocumentHeight, false);
    State.erase(dvstSkipFormatting).erase(dvstResizing);
    LastFormattedItem = ItemCount() - 1;
}

void TCustomDVFormattedData::formatBody(
    bool onlyResized, bool force, int depth, Canvas &canvas, bool noCaching)
{
    TDVScreenAndDevice sad;
    GetSADForFormatting(canvas, sad);
    sad.DeviceLeftMargin = DV_XToDevice(GetLeftMargin(), sad);
    sad.DeviceRightMargin = DV_XToDevice(GetRightMargin(), sad);
    m_sad = sad;

    const int margins = sad.DeviceLeftMargin + sad.DeviceRightMargin;
    const int minText = DV_XToDevice(GetMinTextWidth(), sad);
    int documentWidth = std::max(GetWidth() - margins, CalculateMinDocWidth(canvas, sad));
    documentWidth = std::max(documentWidth, minText);
    int textWidth = documentWidth;
    if (GetOptions().contains(dvoClientTextWidth)) {
        textWidth = std::max(GetWidth() - margins, minText);
    } else if (GetMaxTextWidth() >= 1) {
        textWidth = std::min(textWidth, DV_XToDevice(GetMaxTextWidth(), sad));
    }
    const bool unchanged = documentWidth == DocumentWidth && textWidth == TextWidth;
    DocumentWidth = documentWidth;
    TextWidth = textWidth;
    if (!(onlyResized && unchanged && !force)) {
        ClearTemporal();
        DocumentHeight = DVFormatter(*this, canvas, sad).run();
        AdjustVScrollUnits();
    }

    const int oldWidth = GetWidth();
    const int oldHeight = GetHeight();
    m_reentry = true;
    SetDocumentAreaSize(GetLeftMargin() + DocumentWidth + GetRightMargin(), DocumentHeight, true);
    m_reentry = false;
    if (GetWidth() == oldWidth && GetHeight() == oldHeight)
        return;
    // A scroll bar appeared or vanished: lay out once more for the new area.
    const bool skipping = State.contains(dvstSkipFormatting);
    State.erase(dvstSkipFormatting);
    try {
        Format_(onlyResized, force, false, depth + 1, &canvas, false, noCaching);
    } catch (...) {
        State.set(dvstSkipFormatting, skipping);
        throw;
    }
    State.set(dvstSkipFormatting, skipping);
}
