#include "docview/doc_view.h"

#include "platform/painter_canvas.h"
#include "platform/screen.h"

#include <QPaintEvent>

#include <algorithm>
#include <string>

namespace {

const char *const wrongKindError = "Can't get or set this kind of information for this item";

} // namespace

// ---- TDocViewDVData ----

TDVOptions TDocViewDVData::GetOptions() const
{
    return m_view->Options;
}

void TDocViewDVData::SetOptions(TDVOptions options)
{
    m_view->Options = options;
}

TDVStyle *TDocViewDVData::GetDVStyle() const
{
    return m_view->Style();
}

TDVPaletteAction TDocViewDVData::GetDoInPaletteMode() const
{
    return m_view->DoInPaletteMode;
}

void TDocViewDVData::ItemAction(
    TDVItemAction action, TCustomDVItemInfo &item, const std::string &text, TCustomDVData *data)
{
    (void)data;
    if (m_view->OnItemAction)
        m_view->OnItemAction(*m_view, action, item, text);
}

TDVFlags TDocViewDVData::GetFlags() const
{
    return m_view->Flags;
}

void TDocViewDVData::SetFlags(TDVFlags flags)
{
    m_view->Flags = flags;
}

int TDocViewDVData::GetAreaWidth() const
{
    return std::max(GetWidth(), m_view->ScrollAreaWidth());
}

int TDocViewDVData::GetLeftMargin() const
{
    return m_view->LeftMargin;
}

int TDocViewDVData::GetRightMargin() const
{
    return m_view->RightMargin;
}

int TDocViewDVData::GetTopMargin() const
{
    return m_view->TopMargin;
}

int TDocViewDVData::GetBottomMargin() const
{
    return m_view->BottomMargin;
}

int TDocViewDVData::GetMinTextWidth() const
{
    return m_view->MinTextWidth;
}

int TDocViewDVData::GetMaxTextWidth() const
{
    return m_view->MaxTextWidth;
}

TDVBackground *TDocViewDVData::GetBackground() const
{
    return &m_view->Background();
}

void TDocViewDVData::AdjustVScrollUnits()
{
    // Keep the scroll range within 32000 units.
    const int step = m_view->VSmallStep();
    const int height = DocumentHeight;
    int wanted = step;
    if (height / step >= 32001) {
        wanted = height / 32000;
        if (height / wanted > 32000)
            ++wanted;
    } else if (step > 10 && height / 10 <= 32000) {
        wanted = 10;
    }
    if (wanted > 0 && height / wanted <= 32000)
        m_view->SetVSmallStep(wanted);
}

void TDocViewDVData::SetDocumentAreaSize(int width, int height, bool redraw)
{
    const int step = m_view->VSmallStep();
    m_view->UpdateScrollBars(width, (height + step - 1) / step, redraw, true);
}

int TDocViewDVData::GetHOffs() const
{
    return m_view->HScrollPos();
}

int TDocViewDVData::GetVOffs() const
{
    return m_view->VScrollPos() * m_view->VSmallStep();
}

int TDocViewDVData::GetWidth() const
{
    return m_view->ClientWidth();
}

int TDocViewDVData::GetHeight() const
{
    return m_view->ClientHeight();
}

Canvas *TDocViewDVData::GetCanvas()
{
    return &m_view->MeasureCanvas();
}

void TDocViewDVData::ScrollTo(int y, bool redraw)
{
    m_view->SetVScrollPos(y / m_view->VSmallStep());
    if (redraw)
        m_view->viewport()->update();
}

void TDocViewDVData::HScrollTo(int x)
{
    m_view->SetHScrollPos(x);
}

int TDocViewDVData::GetVSmallStep() const
{
    return m_view->VSmallStep();
}

TColor TDocViewDVData::GetColor() const
{
    if (m_view->Color != clNone)
        return m_view->Color;
    return m_view->Style() ? m_view->Style()->Color : clWindow;
}

bool TDocViewDVData::IsControlFocused() const
{
    return m_view->hasFocus();
}

// ---- TCustomDocView ----

TCustomDocView::TCustomDocView(QWidget *parent) : TCustomDocView(parent, nullptr) { }

TCustomDocView::TCustomDocView(QWidget *parent, std::unique_ptr<TDocViewDVData> data)
    : TDVScroller(parent), m_data(data ? std::move(data) : std::make_unique<TDocViewDVData>(this))
{
    resize(100, 40);
}

TCustomDocView::~TCustomDocView()
{
    if (m_style)
        m_style->detachView(this);
    m_data->Clear();
}

void TCustomDocView::SetStyle(TDVStyle *style)
{
    if (m_style == style)
        return;
    if (m_style)
        m_style->detachView(this);
    m_style = style;
    if (m_style)
        m_style->attachView(this);
}

Canvas &TCustomDocView::MeasureCanvas()
{
    if (!m_measureCanvas)
        m_measureCanvas = createScreenCanvas();
    return *m_measureCanvas;
}

void TCustomDocView::SetBackgroundBitmap(const Bitmap &bitmap)
{
    m_background.AssignImage(bitmap);
    backgroundChanged();
}

void TCustomDocView::SetBackgroundStyle(TBackgroundStyle style)
{
    m_background.BackStyle = style;
    backgroundChanged();
}

void TCustomDocView::backgroundChanged()
{
    m_background.UpdatePaletted(DoInPaletteMode);
    if (Options.contains(dvoFormatInvalidate))
        viewport()->update();
}

void TCustomDocView::Clear()
{
    m_data->Clear();
}

void TCustomDocView::AddNL(std::string_view text, int styleNo, int paraNo)
{
    m_data->AddNLTag(text, styleNo, paraNo, 0);
}

void TCustomDocView::AddNLTag(std::string_view text, int styleNo, int paraNo, int tag)
{
    m_data->AddNLTag(text, styleNo, paraNo, tag);
}

void TCustomDocView::AddBreak()
{
    AddBreakTag(0);
}

void TCustomDocView::AddBreakTag(int tag)
{
    AddBreakExTag(1, dvbsLine, clNone, tag);
}

void TCustomDocView::AddBreakEx(int width, TDVBreakStyle style, TColor color)
{
    AddBreakExTag(width, style, color, 0);
}

void TCustomDocView::AddBreakExTag(int width, TDVBreakStyle style, TColor color, int tag)
{
    m_data->AddBreakExTag(width, style, color, tag);
}

void TCustomDocView::SetPageBreaksBeforeItems(int index, bool value)
{
    m_data->SetPageBreaksBeforeItems(index, value);
    if (Options.contains(dvoShowPageBreaks))
        viewport()->update();
}

bool TCustomDocView::GetPageBreaksBeforeItems(int index) const
{
    return m_data->GetPageBreaksBeforeItems(index);
}

int TCustomDocView::GetLineCount() const
{
    return m_data->GetLineCount();
}

TCustomDVItemInfo &TCustomDocView::checkedItem(int index) const
{
    return m_data->Items().GetItem(index);
}

int TCustomDocView::GetItemStyle(int index) const
{
    return checkedItem(index).StyleNo;
}

int TCustomDocView::GetItemPara(int index) const
{
    return checkedItem(index).ParaNo;
}

int TCustomDocView::GetItemTag(int index) const
{
    return checkedItem(index).Tag;
}

bool TCustomDocView::IsFromNewLine(int index) const
{
    return checkedItem(index).IsFromNewLine();
}

bool TCustomDocView::IsParaStart(int index) const
{
    return checkedItem(index).IsParaStart();
}

TCustomDVItemInfo &TCustomDocView::GetItem(int index) const
{
    return checkedItem(index);
}

const std::string &TCustomDocView::GetItemText(int index) const
{
    return m_data->Items().GetText(index);
}

void TCustomDocView::GetBreakInfo(
    int index, int &width, TDVBreakStyle &style, TColor &color, int &tag) const
{
    const auto *item = dynamic_cast<const TDVBreakItemInfo *>(&checkedItem(index));
    if (!item)
        throw EDocViewError(wrongKindError);
    width = item->LineWidth;
    style = item->Style;
    color = item->Color;
    tag = item->Tag;
}

void TCustomDocView::SetBreakInfo(int index, int width, TDVBreakStyle style, TColor color, int tag)
{
    auto *item = dynamic_cast<TDVBreakItemInfo *>(&checkedItem(index));
    if (!item)
        throw EDocViewError(wrongKindError);
    item->LineWidth = std::uint8_t(width);
    item->Style = style;
    item->Color = color;
    item->Tag = tag;
}

void TCustomDocView::GetTextInfo(int index, std::string &text, int &tag) const
{
    const TCustomDVItemInfo &item = checkedItem(index);
    if (item.StyleNo < 0)
        throw EDocViewError(wrongKindError);
    text = m_data->Items().TextAt(index);
    tag = item.Tag;
}

void TCustomDocView::Format()
{
    if (VSmallStep() == 0)
        return;
    m_data->Format_(false, true, false, 0, &MeasureCanvas(), false, true);
    if (Options.contains(dvoFormatInvalidate))
        viewport()->update();
}

void TCustomDocView::FormatTail()
{
    if (VSmallStep() == 0)
        return;
    m_data->Format_(false, true, false, 0, &MeasureCanvas(), true, true);
    if (Options.contains(dvoFormatInvalidate))
        viewport()->update();
}

void TCustomDocView::OnClientResized()
{
    m_data->Format_(true, false, false, 0, nullptr, false, false);
}

void TCustomDocView::OnScrolled()
{
    viewport()->update();
}

void TCustomDocView::focusInEvent(QFocusEvent *event)
{
    TDVScroller::focusInEvent(event);
    viewport()->update();
}

void TCustomDocView::focusOutEvent(QFocusEvent *event)
{
    TDVScroller::focusOutEvent(event);
    viewport()->update();
}

void TCustomDocView::paintViewport(QPaintEvent *event)
{
    PainterCanvas canvas(viewport());
    const QRect area = event->rect();
    Paint(canvas, Rect::fromSize(area.x(), area.y(), area.width(), area.height()));
}

void TCustomDocView::paintNoStyle(Canvas &canvas, const Rect &clip)
{
    const TColor color = Color != clNone ? Color : clWindow;
    canvas.setBrush({ BrushStyle::Solid, color });
    canvas.fillRect(clip);
    FontSpec font;
    font.face = "MS Sans Serif";
    font.points = 8;
    canvas.setFont(font);
    canvas.setTextColor(clWindowText);
    canvas.setBrush({ BrushStyle::Clear, color });
    const std::string name = objectName().toStdString();
    Rect client = { 0, 0, ClientWidth(), ClientHeight() };
    canvas.drawText(client,
        "Style is not defined\rCreate a TDVStyle object and assign it to " + name + ".Style",
        DrawTextFlag::WordBreak | DrawTextFlag::NoPrefix);
    canvas.setBrush({ BrushStyle::Solid, clWindowText });
    canvas.frameRect({ 0, 0, ClientWidth(), ClientHeight() });
}

void TCustomDocView::Paint(Canvas &canvas, const Rect &clip)
{
    if (!m_style) {
        paintNoStyle(canvas, clip);
        return;
    }
    if (!clip.isEmpty()) {
        Bitmap buffer(clip.width(), clip.height(), clWhite);
        std::string error;
        bool failed = false;
        {
            std::unique_ptr<Canvas> offscreen = buffer.canvas();
            try {
                m_data->DrawBackground(*offscreen, clip);
                m_data->PaintTo(*offscreen, clip);
            } catch (const std::exception &exception) {
                error = exception.what();
                failed = true;
            }
        }
        canvas.drawBitmap(clip.left, clip.top, buffer);
        if (failed) {
            FontSpec font;
            font.face = "Arial";
            font.points = 10;
            canvas.setFont(font);
            canvas.setTextColor(clRed);
            canvas.setBrush({ BrushStyle::Solid, clWhite });
            canvas.textOut(0, 0, "Error:" + error);
        }
    }
    if (OnPaint)
        OnPaint(*this, canvas, false);
}
