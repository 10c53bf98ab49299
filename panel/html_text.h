#pragma once

// The text renderer of the HTML panel: a short text in a small HTML subset, laid out in lines
// with word wrap and drawn on any canvas.
//
//   canvas.setFont({"Times New Roman", 11});        // the base font that </FONT> returns to
//   canvas.setTextColor(clWindowText);
//   int used = DrawHtmlText(canvas, "<P align=\"center\"><B>Hello</B> world</P>", rect, 0, false);
//
// The subset: <P align=".." indent=".." bgcolor=".." bgcolorto="..">, </P>, <BR>, <B>, </B>,
// <FONT face=".." size=".." color=".." bgcolor="..">, </FONT>; other tags are read and ignored.
// Entities: &amp; &quot; &sect; &permil; &reg; &copy; &para; &trade; &euro; &nbsp; &lt; &gt;.
// A lone "&" underlines the next character and "&&" shows one "&". A carriage return is a line
// break; line feeds are ignored. Text is 8-bit (Windows-1252).
//
// Lines, in pixels of the canvas (rectangles half-open):
//
//   rect.left  area.left = rect.left + 1                       rect.right
//   |          |                                               |
//   +----------+-----------------------------------------------+  rect.top
//   |          | line 1: left edge by alignment, + P indent     |  height = tallest word, at
//   |          | line 2 ...                                     |  least "gh" in the line's
//   +----------+-----------------------------------------------+  first font, + line spacing
//
// Words are pieces up to and including a space, or up to a tag. A word goes on the line when the
// line, the word's trailing space included, stays narrower than the area, or when the word alone
// is at least as wide as the area (it is then clipped at the right edge); a word that touches the
// previous one without a space between them is never moved away from it. Drawing stops after the
// first line whose bottom plus its minimum height passes rect.bottom; measuring stops there too.

#include "platform/canvas.h"

#include <string>
#include <string_view>
#include <vector>

enum class HtmlAlignment {
    Left,
    Center,
    Right,
};

// What </FONT> returns to: the canvas font and text colour when drawing began.
struct HtmlBaseFont
{
    FontSpec font;
    TColor color = clBlack;
};

// Font and paragraph settings, carried from one line to the next.
struct HtmlTextState
{
    FontSpec font;
    TColor textColor = clBlack;
    TColor textBackground = clNone; // FONT bgcolor: words drawn on it; clNone = transparent
    HtmlAlignment alignment = HtmlAlignment::Left;
    int indent = 0; // P indent: pixels added to every line's left edge
    TColor paragraphColor = clNone; // P bgcolor: line boxes filled until </P>
    TColor paragraphColorTo = clNone; // P bgcolorto: left-to-right gradient instead
};

enum class HtmlLineMode {
    Measure, // consume the words that fit, draw nothing
    Draw, // draw every word of the given HTML (a line measured before)
};

// The result of one line.
struct HtmlLineMetrics
{
    std::size_t consumed = 0; // bytes of the HTML that belong to the line
    int width = 0; // pixels, without the trailing space of the last word
    int height = 0; // tallest word's text height, at least minimumHeight
    int minimumHeight = 0; // height of "gh" in the font the line starts with
    bool hasParagraphColor = false; // a P bgcolor is in force somewhere on the line
    TColor paragraphColor = clNone; // the last one in force on the line
    TColor paragraphColorTo = clNone;
};

// One laid-out line of a text.
struct HtmlLine
{
    std::size_t start = 0; // the line's HTML within HtmlTextLayout::html
    std::size_t length = 0;
    HtmlTextState state; // settings at the start of the line
    HtmlLineMetrics metrics;
    int left = 0; // x of the first word: alignment and indent applied
    Rect box; // from `left` to the area's right edge; height = metrics.height + line spacing
};

struct HtmlTextLayout
{
    std::string html; // the text with entities replaced and line breaks turned into <BR>
    HtmlBaseFont base;
    Rect area; // the given rectangle with its left edge moved right by 1
    std::vector<HtmlLine> lines; // the lines up to the vertical stop
    int height = 0; // sum of the line heights, or the height of "gh" in the base font when 0
};

// The text as the renderer reads it: "&amp;" becomes "&&" and the other character entities their
// Windows-1252 characters (repeated until none is left); the first "<#" loses its "<" and the
// first ">" after it; a carriage return becomes "<BR>" and a line feed is dropped.
std::string PrepareHtmlText(std::string_view html);

// Lays the text out in the rectangle with the canvas's current font and text colour as the base
// font. The canvas font may change during the call and is restored.
HtmlTextLayout LayoutHtmlText(
    Canvas &canvas, std::string_view html, const Rect &rect, int lineSpacing);

// Draws (or with measureOnly only measures) the text in the rectangle and returns the height
// used: the sum of the line heights up to the vertical stop, or the height of "gh" in the base
// font for a text without lines. The canvas's font, text colour and brush are restored.
int DrawHtmlText(
    Canvas &canvas, std::string_view html, const Rect &rect, int lineSpacing, bool measureOnly);

// One line. Measure: takes words and tags from the front of `html` while they fit box.width()
// (the area's width) and stops after <BR> or </P>; box.top and box.bottom are not used. Draw:
// draws every word of `html` from box.left, each clipped to the box from its own x to box.right,
// with the bottom of its text on box.bottom. Tags update `state` in both modes.
HtmlLineMetrics DrawHtmlLine(Canvas &canvas, std::string_view html, HtmlTextState &state,
    const HtmlBaseFont &base, const Rect &box, HtmlLineMode mode);
