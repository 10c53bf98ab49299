// Screen painting of formatted draw items.

#include "docview/dv_data.h"

#include <algorithm>
#include <climits>

namespace {

// Visible range of draw items [first, last] for the document rectangle.
struct VisibleRange
{
    int first = 0;
    int last = -1;
};

bool startsParagraph(const TCustomDVFormattedData &data, int drawItemNo)
{
    const TDVDrawLineInfo &piece = data.DrawItems[drawItemNo];
    if (!piece.StartsLine())
        return false;
    if (drawItemNo > 0 && data.DrawItems[drawItemNo - 1].ItemNo == piece.ItemNo)
        return false;
    return data.Items().ItemAt(piece.ItemNo).IsParaStart();
}

VisibleRange visibleRange(const TCustomDVFormattedData &data, const Rect &documentRect)
{
    VisibleRange range;
    const int count = data.DrawItems.Count();
    if (count == 0)
        return range;
    int first = data.FindDrawItemAtY(documentRect.top);
    while (first > 0 && !startsParagraph(data, first))
        --first;
    int last = first;
    while (last + 1 < count && data.DrawItems[last].Top < documentRect.bottom)
        ++last;
    while (last + 1 < count && !data.DrawItems[last + 1].StartsLine())
        ++last;
    range.first = first;
    range.last = last;
    return range;
}

} // namespace

void TCustomDVFormattedData::PaintTo(Canvas &canvas, const Rect &rect)
{
    TDVStyle *sheet = GetDVStyle();
    if (!sheet)
        return;
    const int hOffs = GetHOffs();
    const int vOffs = GetVOffs();
    const Rect documentRect = rect.translated(hOffs, vOffs);
    canvas.setBrush({ BrushStyle::Clear, clNone });
    const bool focused = IsControlFocused();
    TDVTextDrawState textState;
    TDVItemDrawState itemState;
    if (focused) {
        textState.insert(dvtsControlFocused);
        itemState.insert(dvidsControlFocused);
    }
    const VisibleRange range = visibleRange(*this, documentRect);
    paintParagraphDecorations(canvas, documentRect, range.first, range.last);
    const TDVOptions options = GetOptions();
    const TDVItemList &items = Items();
    int appliedStyle = INT_MIN;
    for (int d = range.first; d <= range.last; ++d) {
        const TDVDrawLineInfo &piece = DrawItems[d];
        TCustomDVItemInfo &item = items.ItemAt(piece.ItemNo);
        const int x = piece.Left - documentRect.left;
        const int y = piece.Top - documentRect.top;
        const bool firstOfItem = d == 0 || DrawItems[d - 1].ItemNo != piece.ItemNo;
        if (item.PageBreakBefore() && options.contains(dvoShowPageBreaks) && firstOfItem)
            sheet->DrawPageBreak(canvas, y - 1, GetPageBreakWidth(), dvpbPageBreak, hOffs);
        if (item.StyleNo < 0) {
            if (item.GetBoolValue(dvbpFullWidth))
                item.PaintFullWidth(x, fullWidthRight() - documentRect.left, y, canvas, itemState,
                    *sheet, rect, piece);
            else
                item.Paint(x, y, canvas, itemState, *sheet, piece);
            appliedStyle = INT_MIN;
            continue;
        }
        const TDVBiDiMode bidi = sheet->ParaStyles.GetItem(item.ParaNo).BiDiMode;
        if (item.StyleNo != appliedStyle) {
            sheet->ApplyStyle(canvas, item.StyleNo, bidi);
            appliedStyle = item.StyleNo;
        }
        if (sheet->OnDrawTextBack) {
            bool doDefault = true;
            sheet->OnDrawTextBack(*sheet, canvas, item.StyleNo, x, y, piece.Width, piece.Height,
                textState, doDefault);
        }
        sheet->ApplyStyleColor(canvas, item.StyleNo, textState, false, dvcmColor);
        const std::string_view text
            = std::string_view(items.TextAt(piece.ItemNo))
                  .substr(std::size_t(piece.Offs - 1), std::size_t(piece.Length));
        sheet->DrawStyleText(text, canvas, piece.ItemNo, piece.Offs, item.StyleNo, this,
            piece.ExtraSpaceBefore, x, y, piece.Width, piece.Height, textState, false, false,
            dvcmColor, bidi);
    }
    PostPaintTo(canvas, rect);
}

int TCustomDVFormattedData::fullWidthRight() const
{
    int right = GetOptions().contains(dvoClientTextWidth) ? GetWidth() : GetAreaWidth();
    if (GetMaxTextWidth() > 0)
        right = std::min(right,
            DV_XToDevice(GetMaxTextWidth(), m_sad) + m_sad.DeviceLeftMargin
                + m_sad.DeviceRightMargin);
    return right - m_sad.DeviceRightMargin;
}

// Backgrounds and borders of the paragraphs that begin in [first, last].
void TCustomDVFormattedData::paintParagraphDecorations(
    Canvas &canvas, const Rect &documentRect, int first, int last)
{
    TDVStyle &sheet = *GetDVStyle();
    for (int d = first; d <= last; ++d) {
        if (!startsParagraph(*this, d))
            continue;
        const int paraNo = Items().ItemAt(DrawItems[d].ItemNo).ParaNo;
        const TParaInfo &para = sheet.ParaStyles.GetItem(paraNo);
        if (para.Border.Style == dvbNone && para.Background.Color == clNone
            && !sheet.OnDrawParaBack)
            continue;
        int left = m_sad.DeviceLeftMargin + DV_XToDevice(para.LeftIndent, m_sad);
        if (para.FirstIndent < 0)
            left += DV_XToDevice(para.FirstIndent, m_sad);
        int right = m_sad.DeviceLeftMargin + TextWidth - DV_XToDevice(para.RightIndent, m_sad);
        int top = DrawItems[d].Top;
        int bottom = DrawItems[d].Bottom() + DrawItems[d].ExtraSpaceBelow;
        for (int e = d; e < DrawItems.Count() && (e == d || !startsParagraph(*this, e)); ++e) {
            const TDVDrawLineInfo &piece = DrawItems[e];
            left = std::min(left, piece.Left);
            right = std::max(right, piece.Left + piece.Width);
            top = std::min(top, piece.Top);
            bottom = std::max(bottom, piece.Bottom() + piece.ExtraSpaceBelow);
        }
        const TDVRect &offsets = para.Background.BorderOffsets;
        const Rect area = Rect { left - offsets.Left, top - offsets.Top, right + offsets.Right,
            bottom + offsets.Bottom }
                              .translated(-documentRect.left, -documentRect.top);
        sheet.DrawParaBack(canvas, paraNo, area, false, dvcmColor);
        para.Border.Draw(area, canvas, nullptr, dvcmColor);
    }
}
