#pragma once

// A panel that shows a short text written in a small HTML subset (see html_text.h), with word
// wrap, paragraph alignment, font changes and bold text, on a plain or graded background inside
// 3-D bevels. The panel does not react to the mouse.
//
//   THtmlPanel *notice = new THtmlPanel(window);
//   notice->setGeometry(6, 32, 225, 73);
//   notice->SetBevelOuter(bvLowered);
//   notice->SetBevelInner(bvLowered);
//   notice->SetBevelWidth(2);
//   notice->SetText("<P align=\"center\"><B>Hello</B></P>");
//
// Painting (whole client area R, in widget pixels):
//   background (Color, or a 64-band gradient down to ColorTo), the border rectangle (BorderWidth
//   > 0, with an optional two-pixel shadow), the outer and inner bevels shrinking R; then the
//   text, clipped to the client area (less the shadow), inset by BorderWidth, Indent (left) and
//   TopIndent (top). The bevels do not push the text in.
//
// Every setter repaints. Sizes and widths are in pixels.

#include "platform/canvas.h"

class Bitmap;

#include <QWidget>

#include <memory>
#include <string>
#include <string_view>

enum TTextVAlignment {
    tvaTop,
    tvaCenter,
    tvaBottom,
};

enum TPanelBevel {
    bvNone,
    bvLowered,
    bvRaised,
    bvSpace, // a ring in the panel's colour
};

class TCustomHtmlPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TCustomHtmlPanel(QWidget *parent = nullptr);
    ~TCustomHtmlPanel() override;

    // The HTML text (8-bit, Windows-1252).
    const std::string &Text() const { return m_text; }
    void SetText(std::string_view text);
    // Vertical placement of the text block; centre and bottom measure the text first. A text at
    // least as tall as the area is drawn from the top.
    TTextVAlignment TextVAlign() const { return m_textVAlign; }
    void SetTextVAlign(TTextVAlignment value);

    // Background, and when ColorTo is not clNone a top-to-bottom gradient from Color to ColorTo.
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TColor ColorTo() const { return m_colorTo; }
    void SetColorTo(TColor value);

    // Bevels: outer first, each BevelWidth rings of the button shadow and highlight colours.
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value);

    // BorderWidth insets the text and, when above 0, draws a rectangle in BorderColor (none for
    // clNone) round the client area; BorderShadow adds a two-pixel shadow right and below it.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor value);
    bool BorderShadow() const { return m_borderShadow; }
    void SetBorderShadow(bool value);

    // Extra left and top inset of the text, and extra pixels added to every line's height.
    int Indent() const { return m_indent; }
    void SetIndent(int value);
    int TopIndent() const { return m_topIndent; }
    void SetTopIndent(int value);
    int LineSpacing() const { return m_lineSpacing; }
    void SetLineSpacing(int value);

    // The base font of the text and its colour (what </FONT> returns to).
    const FontSpec &Font() const { return m_font; }
    void SetFont(const FontSpec &value);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor value);

    // Paint into an off-screen bitmap first and copy it to the screen in one step.
    bool Buffered() const { return m_buffered; }
    void SetBuffered(bool value);

    // Paints the whole panel at its current size on a canvas whose origin is the panel's
    // top-left corner (the paint event passes the widget's or the buffer's canvas).
    void Paint(Canvas &canvas) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Rect paintFrame(Canvas &canvas, Rect bounds) const;
    void paintBorder(Canvas &canvas, const Rect &bounds) const;
    void paintBevel(Canvas &canvas, Rect &bounds, TPanelBevel bevel) const;
    void paintText(Canvas &canvas, const Rect &client) const;

    std::string m_text;
    TTextVAlignment m_textVAlign = tvaTop;
    TColor m_color = clBtnFace;
    TColor m_colorTo = clNone;
    TPanelBevel m_bevelOuter = bvRaised;
    TPanelBevel m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TColor m_borderColor = clBlack;
    bool m_borderShadow = false;
    int m_indent = 0;
    int m_topIndent = 0;
    int m_lineSpacing = 0;
    FontSpec m_font { "MS Sans Serif", 8 };
    TColor m_fontColor = clWindowText;
    bool m_buffered = true;
    std::unique_ptr<Bitmap> m_buffer; // the off-screen copy of the panel while Buffered
};

class THtmlPanel : public TCustomHtmlPanel
{
    Q_OBJECT
public:
    using TCustomHtmlPanel::TCustomHtmlPanel;
};
