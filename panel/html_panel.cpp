#include "panel/html_panel.h"

#include "panel/gradient.h"
#include "panel/html_text.h"
#include "platform/bitmap.h"
#include "platform/painter_canvas.h"

#include <QPaintEvent>

#include <memory>

namespace {

// Width of the border's shadow right of and below the border rectangle.
constexpr int shadowWidth = 2;

template <typename T> void setAndRepaint(QWidget *widget, T &member, const T &value)
{
    if (member == value)
        return;
    member = value;
    widget->update();
}

} // namespace

TCustomHtmlPanel::TCustomHtmlPanel(QWidget *parent)
    : QWidget(parent), m_buffer(std::make_unique<Bitmap>())
{
    // The panel paints every pixel itself, so Qt need not erase the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TCustomHtmlPanel::~TCustomHtmlPanel() = default;

void TCustomHtmlPanel::SetText(std::string_view text)
{
    m_text = std::string(text);
    update();
}

void TCustomHtmlPanel::SetTextVAlign(TTextVAlignment value)
{
    setAndRepaint(this, m_textVAlign, value);
}

void TCustomHtmlPanel::SetColor(TColor value)
{
    setAndRepaint(this, m_color, value);
}

void TCustomHtmlPanel::SetColorTo(TColor value)
{
    setAndRepaint(this, m_colorTo, value);
}

void TCustomHtmlPanel::SetBevelOuter(TPanelBevel value)
{
    setAndRepaint(this, m_bevelOuter, value);
}

void TCustomHtmlPanel::SetBevelInner(TPanelBevel value)
{
    setAndRepaint(this, m_bevelInner, value);
}

void TCustomHtmlPanel::SetBevelWidth(int value)
{
    setAndRepaint(this, m_bevelWidth, std::max(1, value));
}

void TCustomHtmlPanel::SetBorderWidth(int value)
{
    setAndRepaint(this, m_borderWidth, std::max(0, value));
}

void TCustomHtmlPanel::SetBorderColor(TColor value)
{
    setAndRepaint(this, m_borderColor, value);
}

void TCustomHtmlPanel::SetBorderShadow(bool value)
{
    setAndRepaint(this, m_borderShadow, value);
}

void TCustomHtmlPanel::SetIndent(int value)
{
    setAndRepaint(this, m_indent, value);
}

void TCustomHtmlPanel::SetTopIndent(int value)
{
    setAndRepaint(this, m_topIndent, value);
}

void TCustomHtmlPanel::SetLineSpacing(int value)
{
    setAndRepaint(this, m_lineSpacing, value);
}

void TCustomHtmlPanel::SetFont(const FontSpec &value)
{
    setAndRepaint(this, m_font, value);
}

void TCustomHtmlPanel::SetFontColor(TColor value)
{
    setAndRepaint(this, m_fontColor, value);
}

void TCustomHtmlPanel::SetBuffered(bool value)
{
    setAndRepaint(this, m_buffered, value);
}

void TCustomHtmlPanel::paintEvent(QPaintEvent *)
{
    if (width() <= 0 || height() <= 0)
        return; // nothing to show, and no buffer can be drawn into
    PainterCanvas canvas(this);
    if (!m_buffered) {
        Paint(canvas);
        return;
    }
    // The buffer is kept between paints: every paint covers all of it.
    if (m_buffer->width() != width() || m_buffer->height() != height())
        *m_buffer = Bitmap(width(), height(), m_color);
    {
        std::unique_ptr<Canvas> offscreen = m_buffer->canvas();
        Paint(*offscreen);
    }
    canvas.drawBitmap(0, 0, *m_buffer);
}

void TCustomHtmlPanel::Paint(Canvas &canvas) const
{
    const Rect client { 0, 0, width(), height() };
    // The restore also removes the text's clipping.
    canvas.save();
    paintFrame(canvas, client);
    paintText(canvas, client);
    canvas.restore();
}

// Background, border and bevels; returns what is left inside the bevels.
Rect TCustomHtmlPanel::paintFrame(Canvas &canvas, Rect bounds) const
{
    if (m_colorTo == clNone)
        canvas.fillRect(bounds, m_color);
    else
        FillGradient(canvas, bounds, m_color, m_colorTo, GradientDirection::TopToBottom);
    if (m_borderColor != clNone && m_borderWidth > 0)
        paintBorder(canvas, bounds);
    if (m_bevelOuter != bvNone) {
        paintBevel(canvas, bounds, m_bevelOuter);
        if (m_borderColor == clNone)
            canvas.frame3D(bounds, m_color, m_color, 1);
    }
    if (m_bevelInner != bvNone)
        paintBevel(canvas, bounds, m_bevelInner);
    return bounds;
}

void TCustomHtmlPanel::paintBorder(Canvas &canvas, const Rect &bounds) const
{
    Rect outline = bounds;
    if (m_borderShadow) {
        outline.right -= shadowWidth;
        outline.bottom -= shadowWidth;
    }
    canvas.setPen({ PenStyle::Solid, 1, m_borderColor });
    canvas.setBrush({ BrushStyle::Clear });
    canvas.rectangle(outline);
    if (!m_borderShadow)
        return;
    // The inner shadow line touches the outline; the outer one fades further into the face.
    const TColor inner = MixColors(m_borderColor, clBtnFace, 50);
    const TColor outer = MixColors(m_borderColor, clBtnFace, 20);
    canvas.setPen({ PenStyle::Solid, 1, inner });
    canvas.polyline({ { outline.right, outline.top + 2 }, { outline.right, outline.bottom },
        { outline.left + 1, outline.bottom } });
    canvas.setPen({ PenStyle::Solid, 1, outer });
    canvas.polyline({ { outline.right + 1, outline.top + 3 },
        { outline.right + 1, outline.bottom + 1 }, { outline.left + 2, outline.bottom + 1 } });
}

void TCustomHtmlPanel::paintBevel(Canvas &canvas, Rect &bounds, TPanelBevel bevel) const
{
    switch (bevel) {
    case bvNone:
        return;
    case bvLowered:
        canvas.frame3D(bounds, clBtnShadow, clBtnHighlight, m_bevelWidth);
        return;
    case bvRaised:
        canvas.frame3D(bounds, clBtnHighlight, clBtnShadow, m_bevelWidth);
        return;
    case bvSpace:
        canvas.frame3D(bounds, m_color, m_color, m_bevelWidth);
        return;
    }
}

void TCustomHtmlPanel::paintText(Canvas &canvas, const Rect &client) const
{
    Rect area = client;
    if (m_borderShadow) {
        area.right -= shadowWidth;
        area.bottom -= shadowWidth + 1;
    }
    canvas.intersectClipRect(area);
    Rect text { area.left + m_borderWidth + m_indent, area.top + m_borderWidth + m_topIndent,
        area.right - m_borderWidth, area.bottom - m_borderWidth };
    canvas.setFont(m_font);
    canvas.setTextColor(m_fontColor);
    if (m_textVAlign != tvaTop) {
        const int used = DrawHtmlText(canvas, m_text, text, m_lineSpacing, true);
        if (used < text.height())
            text.top = m_textVAlign == tvaCenter ? text.top + (text.height() - used) / 2
                                                 : text.bottom - used;
    }
    DrawHtmlText(canvas, m_text, text, m_lineSpacing, false);
}
