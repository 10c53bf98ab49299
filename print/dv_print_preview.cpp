#include "dv_print_preview.h"

#include "platform/bitmap.h"
#include "platform/painter_canvas.h"
#include "platform/screen.h"
#include "platform/zan_error.h"
#include "print/dv_print.h"
#include "print/zoom_cursors.h"

#include <QMouseEvent>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

// Offset of the page's drop shadow, screen pixels.
constexpr int shadowOffset = 4;
// Largest page kept as a bitmap (A4 at about 400 %, 64 MB).
constexpr std::int64_t maxPageBitmapPixels = 16 * 1024 * 1024;

} // namespace

TCustomDVPrintPreview::TCustomDVPrintPreview(QWidget *parent) : TDVScroller(parent)
{
    registerZoomCursors();
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
}

TCustomDVPrintPreview::~TCustomDVPrintPreview() = default;

void TCustomDVPrintPreview::SetPageNo(int n)
{
    m_pageNo = n;
    viewport()->update();
}

void TCustomDVPrintPreview::First()
{
    SetPageNo(1);
}

void TCustomDVPrintPreview::Last()
{
    if (CanDrawContents())
        SetPageNo(GetPageCount());
}

void TCustomDVPrintPreview::Next()
{
    if (CanDrawContents() && m_pageNo < GetPageCount())
        SetPageNo(m_pageNo + 1);
}

void TCustomDVPrintPreview::Prev()
{
    if (m_pageNo > 1)
        SetPageNo(m_pageNo - 1);
}

void TCustomDVPrintPreview::SetZoomMode(TDVZoomMode mode)
{
    m_zoomMode = mode;
    UpdateView();
}

void TCustomDVPrintPreview::SetZoom(int percent)
{
    m_zoomMode = dvzmCustom;
    SetZoomPercent(percent);
}

void TCustomDVPrintPreview::UpdateView()
{
    if (!CanDrawContents())
        return;
    switch (m_zoomMode) {
    case dvzmFullPage:
        SetZoomPercent(fullPageZoomPercent(width(), height(), scrollBarExtent(),
            GetPreview100PercentWidth(), GetPreview100PercentHeight()));
        return;
    case dvzmPageWidth:
        SetZoomPercent(pageWidthZoomPercent(ClientWidth(), GetPreview100PercentWidth()));
        return;
    case dvzmCustom:
        SetZoomPercent(m_zoomPercent);
        return;
    }
}

void TCustomDVPrintPreview::SetZoomPercent(int percent)
{
    const bool changed = percent != m_zoomPercent;
    if (percent == 100 && m_zoomPercent != 100)
        AltZoomPercent = m_zoomPercent;
    m_zoomPercent = percent;
    if (!CanDrawContents())
        return;
    m_zoomedPageWidth = zoomedLength(GetPreview100PercentWidth(), percent);
    m_zoomedPageHeight = zoomedLength(GetPreview100PercentHeight(), percent);
    viewport()->update();
    applyScrollArea();
    UpdateCursor();
    if (changed && OnZoomChanged)
        OnZoomChanged(*this);
}

void TCustomDVPrintPreview::applyScrollArea()
{
    // A scroll bar that appears or vanishes resizes the client area, which recomputes the zoom
    // inside UpdateScrollBars, where the nested update is ignored: apply the new area then.
    // The bars' pages follow the client size, so a size change calls for another update too.
    Size client { -1, -1 };
    for (int attempt = 0; attempt < 3; ++attempt) {
        const PreviewScrollArea area
            = previewScrollArea(m_zoomMode, m_zoomedPageWidth, m_zoomedPageHeight);
        const Size now { ClientWidth(), ClientHeight() };
        if (area.width == ScrollAreaWidth() && area.height == ScrollAreaHeight() && now == client)
            return;
        client = now;
        UpdateScrollBars(area.width, area.height, true, true);
    }
}

void TCustomDVPrintPreview::UpdateCursor()
{
    const int id = clickZoomsIn(m_zoomPercent, AltZoomPercent) ? ZoomInCursor : ZoomOutCursor;
    viewport()->setCursor(applicationCursor(id));
}

void TCustomDVPrintPreview::OnClientResized()
{
    UpdateView();
}

void TCustomDVPrintPreview::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    m_leftPressed = event->button() == Qt::LeftButton;
    event->accept();
}

void TCustomDVPrintPreview::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_leftPressed && event->button() == Qt::LeftButton
        && viewport()->rect().contains(event->position().toPoint());
    m_leftPressed = false;
    event->accept();
    if (!click)
        return;
    if (OnClick)
        OnClick(*this);
    SetZoomMode(dvzmCustom);
    SetZoomPercent(clickZoomTarget(m_zoomPercent, AltZoomPercent));
}

Rect TCustomDVPrintPreview::PageRect() const
{
    const int areaWidth = std::max(ClientWidth(), ScrollAreaWidth());
    const int areaHeight = std::max(ClientHeight(), ScrollAreaHeight() * VSmallStep());
    const int left = centredPageOrigin(areaWidth, m_zoomedPageWidth) - HScrollPos();
    const int top = centredPageOrigin(areaHeight, m_zoomedPageHeight) - VScrollPos() * VSmallStep();
    return Rect::fromSize(left, top, m_zoomedPageWidth, m_zoomedPageHeight);
}

void TCustomDVPrintPreview::PaintTo(Canvas &canvas)
{
    canvas.setPen({ PenStyle::Solid, 1, clAppWorkSpace });
    canvas.setBrush({ BrushStyle::Solid, clAppWorkSpace });
    canvas.fillRect(Rect { 0, 0, ClientWidth(), ClientHeight() });
    if (!CanDrawContents())
        return;
    const Rect page = PageRect();
    canvas.fillRect(page.translated(shadowOffset, shadowOffset), cl3DDkShadow);
    canvas.save();
    canvas.setClipRect(page);
    try {
        DrawContents(canvas, page);
    } catch (...) {
        canvas.restore();
        throw;
    }
    canvas.restore();
    canvas.setPen({ PenStyle::Solid, 2, clHighlight });
    canvas.setBrush({ BrushStyle::Clear, clWhite });
    canvas.rectangle(Rect { page.left - 1, page.top - 1, page.right + 1, page.bottom + 1 });
    if (MarginsPen.style == PenStyle::Clear)
        return;
    canvas.setPen(MarginsPen);
    canvas.setBrush({ BrushStyle::Clear, clWhite });
    DrawMargins(canvas, page, m_pageNo);
}

void TCustomDVPrintPreview::paintViewport(QPaintEvent *)
{
    PainterCanvas canvas(viewport());
    try {
        PaintTo(canvas);
    } catch (const std::exception &error) {
        // No exception may leave a paint event: show it where the page would be.
        canvas.setTextColor(clRed);
        canvas.setBrush({ BrushStyle::Solid, clWhite });
        canvas.setFont({ "Arial", 10 });
        canvas.textOut(0, 0, std::string("Error: ") + error.what());
    }
}

TDVPrintPreview::TDVPrintPreview(QWidget *parent) : TCustomDVPrintPreview(parent) { }

TDVPrintPreview::~TDVPrintPreview() = default;

void TDVPrintPreview::SetDVPrint(TCustomDVPrint *print)
{
    m_dvPrint = print;
    m_hasImage = false;
    m_pageImage.clear();
    UpdateView();
}

bool TDVPrintPreview::CanDrawContents() const
{
    return m_dvPrint && m_dvPrint->Formatted();
}

int TDVPrintPreview::GetPageCount() const
{
    return m_dvPrint ? m_dvPrint->GetPagesCount() : 0;
}

int TDVPrintPreview::GetPreview100PercentWidth() const
{
    return m_dvPrint ? m_dvPrint->GetPreview100PercentWidth() : 0;
}

int TDVPrintPreview::GetPreview100PercentHeight() const
{
    return m_dvPrint ? m_dvPrint->GetPreview100PercentHeight() : 0;
}

void TDVPrintPreview::DrawContents(Canvas &canvas, const Rect &rect)
{
    const Size size { rect.width(), rect.height() };
    const int stamp = m_dvPrint ? m_dvPrint->FormatStamp() : -1;
    if (!m_hasImage || m_imagePage != PageNo() || m_imageSize != size || m_imageStamp != stamp)
        recordPage(rect);
    if (!m_hasImage)
        return;
    if (m_pageBitmap.isEmpty())
        canvas.drawPicture(rect.left, rect.top, m_pageImage);
    else
        canvas.drawBitmap(rect.left, rect.top, m_pageBitmap);
}

void TDVPrintPreview::recordPage(const Rect &rect)
{
    m_pageImage.clear();
    m_pageBitmap = Bitmap();
    m_hasImage = false;
    if (!m_dvPrint || rect.width() <= 0 || rect.height() <= 0)
        return;
    Canvas &canvas = m_pageImage.beginRecording(rect.width(), rect.height());
    try {
        m_dvPrint->DrawPreview(PageNo(), canvas, Rect { 0, 0, rect.width(), rect.height() });
    } catch (...) {
        m_pageImage.endRecording();
        m_pageImage.clear();
        throw;
    }
    m_pageImage.endRecording();
    // Replaying the picture draws every glyph again; a paint only copies its pixels. A page
    // zoomed beyond the bitmap limit is replayed on every paint instead.
    if (std::int64_t(rect.width()) * rect.height() <= maxPageBitmapPixels) {
        m_pageBitmap = Bitmap(rect.width(), rect.height(), clWhite);
        std::unique_ptr<Canvas> bitmapCanvas = m_pageBitmap.canvas();
        bitmapCanvas->drawPicture(0, 0, m_pageImage);
    }
    m_hasImage = true;
    m_imagePage = PageNo();
    m_imageSize = { rect.width(), rect.height() };
    m_imageStamp = m_dvPrint->FormatStamp();
    ++m_recordings;
}

void TDVPrintPreview::DrawMargins(Canvas &canvas, const Rect &rect, int page)
{
    if (m_dvPrint)
        m_dvPrint->DrawMarginsRect(canvas, rect, page);
}
