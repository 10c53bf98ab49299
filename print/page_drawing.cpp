// Drawing of one formatted page of the print copy on a printer or preview canvas.

#include "print/printable_dv.h"

#include "platform/bitmap.h"
#include "print/dv_print.h"

#include <algorithm>

namespace {

const char *const noStyleMessage = "Style of printable TDocView component is not assigned";

} // namespace

// The working state of one page drawing; it lives for the drawing of a single page.
class PageDrawer
{
public:
    PageDrawer(TPrintableDVData &data, int page, Canvas &canvas, bool preview, bool correction);
    ~PageDrawer();
    PageDrawer(const PageDrawer &) = delete;
    PageDrawer &operator=(const PageDrawer &) = delete;

    void draw();

private:
    void drawBackground();
    void drawItem(int d, bool firstOnPage);
    void drawParagraphFrame(int d);
    void drawText(const TDVDrawLineInfo &drawItem);
    void drawNonText(const TDVDrawLineInfo &drawItem, bool firstOnPage);
    void drawThroughBitmap(TCustomDVItemInfo &item, const TDVDrawLineInfo &drawItem, int y);
    void fillBehindItem(const TCustomDVItemInfo &item, const TDVDrawLineInfo &drawItem, int y);
    bool startsFrame(int d) const;
    int clientWidth() const { return m_view.ClientWidth(); }
    int clientHeight() const { return m_view.ClientHeight(); }

    TPrintableDVData &m_data;
    TCustomPrintableDV &m_view;
    TDVStyle &m_style;
    Canvas &m_canvas;
    const int m_page;
    const bool m_preview;
    const bool m_correction;
    const TDVScreenAndDevice m_sad;
    DrawItemsRange m_range;
    int m_topCoord = 0;
    int m_areaLeft = 0;
    int m_firstPart = -1;
    std::unique_ptr<Bitmap> m_pageBackground;
    std::unique_ptr<Bitmap> m_scratch;
};

namespace {

TDVStyle &checkedStyle(const TPrintableDVData &data)
{
    TDVStyle *style = data.GetDVStyle();
    if (!style)
        throw EDocViewError(noStyleMessage);
    return *style;
}

} // namespace

PageDrawer::PageDrawer(
    TPrintableDVData &data, int page, Canvas &canvas, bool preview, bool correction)
    : m_data(data), m_view(data.PrintableView()), m_style(checkedStyle(data)), m_canvas(canvas),
      m_page(page), m_preview(preview), m_correction(correction), m_sad(data.Resolutions)
{
    m_range = data.GetDrawItemsRange(page);
    m_topCoord = data.GetTopCoord(page);
    m_areaLeft = data.GetPrintableAreaLeft(page);
    m_firstPart = m_range.firstPart;
    m_data.m_currentPage = page;
}

PageDrawer::~PageDrawer()
{
    m_data.m_currentPage = 0;
}

void PageDrawer::draw()
{
    m_canvas.setBrush({ BrushStyle::Clear, clWhite });
    m_canvas.setCharacterMap(CharacterMap::Document);
    drawBackground();
    m_scratch = std::make_unique<Bitmap>();
    const TDVDrawLines &items = m_data.DrawItems;
    for (int d = m_range.first; d <= m_range.last && d < items.Count(); ++d)
        drawItem(d, d == m_range.first);
    m_data.DoPagePostpaint(m_canvas, m_page, m_preview);
}

void PageDrawer::drawBackground()
{
    const int w = DV_XToScreen(clientWidth(), m_sad);
    const int h = DV_YToScreen(clientHeight(), m_sad);
    TDVBackground &background = m_view.Background();
    const TColor color = m_data.GetColor();
    if (background.BackStyle != bsNoBitmap && !background.Empty() && w > 0 && h > 0) {
        if (background.BackStyle == bsTiledAndScrolled)
            m_view.SetBackgroundStyle(bsTiled);
        m_pageBackground = std::make_unique<Bitmap>(w, h, clWhite);
        {
            std::unique_ptr<Canvas> canvas = m_pageBackground->canvas();
            background.Draw(*canvas, Rect { 0, 0, w, h }, 0, 0, 0, 0, w, h, color, false);
        }
        DV_PictureToDevice(
            m_canvas, m_areaLeft, m_data.ContentTop, -1, -1, m_sad, *m_pageBackground, m_preview);
    } else if (color != clNone) {
        m_canvas.setBrush({ BrushStyle::Solid, DV_GetBackColor(color, m_data.ColorMode) });
        m_canvas.fillRect(
            Rect::fromSize(m_areaLeft, m_data.ContentTop, clientWidth(), clientHeight()));
        m_canvas.setBrush({ BrushStyle::Clear, clWhite });
    }
    m_data.DoPagePrepaint(m_canvas, m_page, m_preview, m_correction);
}

bool PageDrawer::startsFrame(int d) const
{
    if (d == m_range.first)
        return true;
    const TDVDrawLines &items = m_data.DrawItems;
    return items[d - 1].ItemNo != items[d].ItemNo
        && m_data.Items().ItemAt(items[d].ItemNo).CanBeBorderStart();
}

void PageDrawer::drawItem(int d, bool firstOnPage)
{
    const TDVDrawLineInfo &drawItem = m_data.DrawItems[d];
    const TCustomDVItemInfo &item = m_data.Items().ItemAt(drawItem.ItemNo);
    const auto *multi = dynamic_cast<const TDVMultiDrawItemInfo *>(&drawItem);
    if (d == m_range.last && !firstOnPage && multi && !multi->PartsList.empty())
        m_firstPart = 0;
    if (startsFrame(d) && item.StyleNo != -1)
        drawParagraphFrame(d);
    if (item.StyleNo >= 0)
        drawText(drawItem);
    else
        drawNonText(drawItem, firstOnPage);
    if (m_firstPart >= 0) {
        m_firstPart = -1;
        if (firstOnPage)
            m_topCoord = m_data.GetTopCoord2(m_page);
    }
}

void PageDrawer::drawParagraphFrame(int d)
{
    const TDVDrawLines &items = m_data.DrawItems;
    const TCustomDVItemInfo &item = m_data.Items().ItemAt(items[d].ItemNo);
    const TParaInfo &para = m_style.ParaStyles.GetItem(item.ParaNo);
    if (para.Border.Style == dvbNone && para.Background.Color == clNone && !m_style.OnDrawParaBack)
        return;
    int left = m_areaLeft + DV_XToDevice(m_view.LeftMargin + para.LeftIndent, m_sad);
    if (para.FirstIndent < 0)
        left += DV_XToDevice(para.FirstIndent, m_sad);
    const int right
        = m_areaLeft + clientWidth() - DV_XToDevice(m_view.RightMargin + para.RightIndent, m_sad);
    const auto *firstMulti = dynamic_cast<const TDVMultiDrawItemInfo *>(&items[d]);
    int top = items[d].Top;
    int bottom = items[d].Bottom() + items[d].ExtraSpaceBelow;
    if (firstMulti && m_firstPart >= 0 && std::size_t(m_firstPart) < firstMulti->PartsList.size()) {
        top = 0;
        bottom = firstMulti->PartsList[std::size_t(m_firstPart)].Height;
    }
    for (int k = d + 1; k <= m_range.last && k < items.Count(); ++k) {
        const TCustomDVItemInfo &next = m_data.Items().ItemAt(items[k].ItemNo);
        if (items[k].ItemNo != items[k - 1].ItemNo && next.CanBeBorderStart())
            break;
        top = std::min(top, items[k].Top);
        int kBottom = items[k].Bottom() + items[k].ExtraSpaceBelow;
        const auto *multi = dynamic_cast<const TDVMultiDrawItemInfo *>(&items[k]);
        if (k == m_range.last && multi && !multi->PartsList.empty())
            kBottom = items[k].Top + multi->PartsList.front().Height;
        bottom = std::max(bottom, kBottom);
    }
    Rect rect { left, top - m_topCoord, right, bottom - m_topCoord };
    const TDVRect &offsets = para.Background.BorderOffsets;
    const Rect backRect { rect.left - DV_XToDevice(offsets.Left, m_sad),
        rect.top - DV_YToDevice(offsets.Top, m_sad),
        rect.right + DV_XToDevice(offsets.Right, m_sad),
        rect.bottom + DV_YToDevice(offsets.Bottom, m_sad) };
    m_style.DrawParaBack(m_canvas, item.ParaNo, backRect, true, m_data.ColorMode);
    para.Border.Draw(rect, m_canvas, &m_sad, m_data.ColorMode);
    m_canvas.setBrush({ BrushStyle::Clear, clWhite });
}

void PageDrawer::drawText(const TDVDrawLineInfo &drawItem)
{
    const TCustomDVItemInfo &item = m_data.Items().ItemAt(drawItem.ItemNo);
    const int styleNo = item.StyleNo;
    const TParaInfo &para = m_style.ParaStyles.GetItem(item.ParaNo);
    m_style.ApplyStyleColor(m_canvas, styleNo, {}, true, m_data.ColorMode);
    m_style.ApplyStyle(m_canvas, styleNo, para.BiDiMode);
    const TFontInfo &font = m_style.TextStyles.GetItem(styleNo);
    const TDVBiDiMode bidi = font.BiDiMode != dvbdUnspecified ? font.BiDiMode : para.BiDiMode;
    if (bidi == dvbdRightToLeft && font.CharSpacing != 0)
        m_canvas.setCharacterExtra(DV_XToDevice(font.CharSpacing, m_sad));
    const int x = drawItem.Left + m_areaLeft;
    const int y = drawItem.Top - m_topCoord;
    if (m_style.OnDrawTextBack) {
        bool doDefault = true;
        m_style.OnDrawTextBack(
            m_style, m_canvas, styleNo, x, y, drawItem.Width, drawItem.Height, {}, doDefault);
    }
    const std::string &text = m_data.Items().TextAt(drawItem.ItemNo);
    const std::size_t offset = std::size_t(std::max(0, drawItem.Offs - 1));
    const std::string_view piece = std::string_view(text).substr(
        std::min(offset, text.size()), std::size_t(std::max(0, drawItem.Length)));
    m_style.DrawStyleText(piece, m_canvas, drawItem.ItemNo, drawItem.Offs, styleNo, &m_data,
        drawItem.ExtraSpaceBefore, x, y, drawItem.Width, drawItem.Height, {}, true,
        m_preview && m_correction, m_data.ColorMode, para.BiDiMode);
}

void PageDrawer::drawNonText(const TDVDrawLineInfo &drawItem, bool firstOnPage)
{
    TCustomDVItemInfo &item = m_data.Items().ItemAt(drawItem.ItemNo);
    const bool fromPageTop = m_firstPart > 0 || (m_firstPart == 0 && firstOnPage);
    const int y = fromPageTop ? -m_topCoord : drawItem.Top - m_topCoord;
    if (item.GetBoolValueEx(dvbpPrintToBMP, &m_style)) {
        drawThroughBitmap(item, drawItem, y);
        return;
    }
    int x2 = 0;
    if (item.GetBoolValue(dvbpFullWidth))
        x2 = m_areaLeft + clientWidth() - DV_XToDevice(m_view.RightMargin, m_sad);
    item.Print(m_canvas, drawItem.Left + m_areaLeft, y, x2, m_preview, m_correction, m_sad,
        drawItem, m_firstPart, m_data.ColorMode, m_data);
}

// Draws an item through the scratch bitmap; nothing when the item could not draw itself.
void PageDrawer::drawThroughBitmap(TCustomDVItemInfo &item, const TDVDrawLineInfo &drawItem, int y)
{
    const auto *multi = dynamic_cast<const TDVMultiDrawItemInfo *>(&drawItem);
    int height = item.GetImageHeight(&m_style);
    if (multi && m_firstPart >= 0 && std::size_t(m_firstPart) < multi->PartsList.size())
        height = DV_YToScreen(multi->PartsList[std::size_t(m_firstPart)].Height, m_sad);
    int width = item.GetImageWidth(&m_style);
    if (item.GetBoolValue(dvbpFullWidth))
        width = DV_XToScreen(
            clientWidth() - DV_XToDevice(m_view.RightMargin, m_sad) - drawItem.Left, m_sad);
    m_scratch->resize(std::max(0, width), std::max(0, height));
    fillBehindItem(item, drawItem, y);
    if (!item.PrintToBitmap(*m_scratch, m_preview, m_data, drawItem, m_firstPart, m_data.ColorMode))
        return;
    const int border = item.GetBorderWidth();
    DV_PictureToDevice(m_canvas, drawItem.Left + m_areaLeft + DV_XToDevice(border, m_sad),
        y + DV_YToDevice(border, m_sad), m_scratch->width(), m_scratch->height(), m_sad, *m_scratch,
        m_preview);
}

// Fills the scratch bitmap with what lies behind the item: its paragraph's colour, else the
// page background picture, else the page colour (white for none).
void PageDrawer::fillBehindItem(
    const TCustomDVItemInfo &item, const TDVDrawLineInfo &drawItem, int y)
{
    const TParaInfo &para = m_style.ParaStyles.GetItem(item.ParaNo);
    if (para.Background.Color != clNone) {
        m_scratch->fill(DV_GetBackColor(para.Background.Color, m_data.ColorMode));
        return;
    }
    if (m_pageBackground) {
        std::unique_ptr<Canvas> canvas = m_scratch->canvas();
        const int sx = DV_XToScreen(drawItem.Left, m_sad);
        const int sy = DV_YToScreen(y - m_data.ContentTop, m_sad);
        canvas->drawBitmapPart(Rect { 0, 0, m_scratch->width(), m_scratch->height() },
            *m_pageBackground, Rect::fromSize(sx, sy, m_scratch->width(), m_scratch->height()));
        return;
    }
    const TColor color = m_data.GetColor();
    m_scratch->fill(color == clNone ? clWhite : DV_GetBackColor(color, m_data.ColorMode));
}

void TPrintableDVData::DrawPage(int page, Canvas &canvas, bool preview, bool correction)
{
    if (page < 1 || page > int(Pages.size()))
        return;
    PageDrawer drawer(*this, page, canvas, preview, correction);
    // The clip of ClipMargins and the fonts and colours last used end with the page, so that
    // the next page drawn on the same printer canvas starts afresh.
    canvas.save();
    try {
        drawer.draw();
    } catch (...) {
        canvas.restore();
        throw;
    }
    canvas.restore();
}

void TPrintableDVData::DoPagePrepaint(Canvas &canvas, int page, bool preview, bool)
{
    TCustomPrintableDV &view = PrintableView();
    const Rect pageRect { 0, 0, view.ClientWidth() + ContentLeft + ContentRight,
        view.ClientHeight() + ContentTop + ContentBottom };
    const Rect printArea = Rect::fromSize(
        GetPrintableAreaLeft(page), ContentTop, view.ClientWidth(), view.ClientHeight());
    TCustomDVPrint *owner = view.Owner();
    if (!owner)
        return;
    if (owner->OnPagePrepaint)
        owner->OnPagePrepaint(*owner, page, canvas, preview, pageRect, printArea);
    if (owner->ClipMargins)
        canvas.intersectClipRect(printArea);
}

void TPrintableDVData::DoPagePostpaint(Canvas &canvas, int page, bool preview)
{
    TCustomPrintableDV &view = PrintableView();
    TCustomDVPrint *owner = view.Owner();
    if (!owner || !owner->OnPagePostpaint)
        return;
    const Rect pageRect { 0, 0, view.ClientWidth() + ContentLeft + ContentRight,
        view.ClientHeight() + ContentTop + ContentBottom };
    const Rect printArea = Rect::fromSize(
        GetPrintableAreaLeft(page), ContentTop, view.ClientWidth(), view.ClientHeight());
    owner->OnPagePostpaint(*owner, page, canvas, preview, pageRect, printArea);
}
