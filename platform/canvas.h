#pragma once

// The drawing surface every component measures and draws on: a printer page, a PDF, an image,
// a recorded picture, a widget, or the deterministic TestCanvas of the tests.
//
//   canvas.setFontResolution(600);                       // points -> pixels at 600 per inch
//   canvas.setFont({"Crystal", 9});                      // face, points, style, charset
//   TextMetrics m = canvas.textMetrics();                // height, ascent, descent, leading
//   int w = canvas.textWidth("SIRE");                    // pixels, character extra included
//   int n = canvas.fitCount(text, room);                 // leading characters that fit room
//   canvas.setTextColor(clBlack);
//   canvas.setBrush({BrushStyle::Clear});                // clear brush: transparent text
//   canvas.textOut(x, y, text);                          // (x, y) = top-left of the text cell
//
// Coordinates are logical units: device pixels until a mapping is set (see setMapping...).
// Rectangles are half-open like the platform's: right and bottom are outside. Text is 8-bit
// (Windows-1252; with CharacterMap::Document the six report box bytes show as box lines).
// The canvas keeps one current font, pen, brush, text colour, character extra, clip and mapping;
// save() and restore() stack all of them.

#include "color.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class Bitmap;
class RecordedPicture;

struct Point
{
    int x = 0;
    int y = 0;
    friend bool operator==(const Point &, const Point &) = default;
};

struct Size
{
    int width = 0;
    int height = 0;
    friend bool operator==(const Size &, const Size &) = default;
};

// Half-open rectangle in logical units: left and top inside, right and bottom outside.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Rect fromSize(int left, int top, int width, int height)
    {
        return { left, top, left + width, top + height };
    }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect translated(int dx, int dy) const
    {
        return { left + dx, top + dy, right + dx, bottom + dy };
    }
    // Empty result ({0,0,0,0}) when the two do not overlap.
    Rect intersected(const Rect &other) const;
    friend bool operator==(const Rect &, const Rect &) = default;
};

enum class FontStyle : unsigned {
    Bold = 1,
    Italic = 2,
    Underline = 4,
    StrikeOut = 8,
};

// A set of FontStyle values.
class FontStyles
{
public:
    constexpr FontStyles() = default;
    constexpr FontStyles(FontStyle style) : m_bits(unsigned(style)) { }
    constexpr bool has(FontStyle style) const { return (m_bits & unsigned(style)) != 0; }
    constexpr FontStyles &operator|=(FontStyles other)
    {
        m_bits |= other.m_bits;
        return *this;
    }
    constexpr FontStyles operator|(FontStyles other) const
    {
        FontStyles result = *this;
        return result |= other;
    }
    constexpr FontStyles without(FontStyle style) const
    {
        FontStyles result;
        result.m_bits = m_bits & ~unsigned(style);
        return result;
    }
    constexpr bool isEmpty() const { return m_bits == 0; }
    constexpr unsigned bits() const { return m_bits; }
    friend constexpr bool operator==(FontStyles, FontStyles) = default;

private:
    unsigned m_bits = 0;
};

constexpr FontStyles operator|(FontStyle a, FontStyle b)
{
    return FontStyles(a) | FontStyles(b);
}

// Character sets a font can be asked for; every face here shows Windows-1252.
inline constexpr int ansiCharset = 0;
inline constexpr int defaultCharset = 1;
inline constexpr int oemCharset = 255;

// A font request. The size is either `points` (turned into pixels through the canvas's font
// resolution: MulDiv(points, resolution, 72)) or, when `pixelHeight` > 0, a character height in
// logical pixels given directly (the height of the em, like a negative platform font height).
// `width` > 0 asks for that average character width in pixels (horizontal scaling); 0 keeps the
// face's natural width. Faces: "Crystal" (the fixed-pitch report face with box lines),
// "MS Sans Serif", "Arial", "Times New Roman", "Courier New"; unknown faces fall back to "Arial".
struct FontSpec
{
    FontSpec() = default;
    FontSpec(std::string face, int points, FontStyles style = {}, int charset = defaultCharset)
        : face(std::move(face)), points(points), style(style), charset(charset)
    { }

    std::string face = "Arial";
    int points = 10;
    FontStyles style;
    int charset = defaultCharset;
    int pixelHeight = 0;
    int width = 0;
    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};

// Metrics of the selected font in logical pixels (whole numbers, the same on every call).
struct TextMetrics
{
    int height = 0; // ascent + descent: the line pitch without external leading
    int ascent = 0; // from the top of the text cell down to the baseline
    int descent = 0; // from the baseline down to the bottom of the cell
    int externalLeading = 0; // extra space the face suggests between lines
    int averageCharWidth = 0; // width of "x"
    int maxCharWidth = 0; // widest character of the 8-bit set
    int underlinePosition = 0; // distance of the underline below the baseline
    int underlineSize = 1; // thickness of underline and overline, at least 1
};

enum class PenStyle {
    Solid,
    Dash,
    Dot,
    Clear, // draws nothing
    InsideFrame, // solid; a rectangle's outline lies inside the rectangle even when wide
};

struct Pen
{
    Pen() = default;
    Pen(PenStyle style, int width = 1, TColor color = clBlack)
        : style(style), width(width), color(color)
    { }

    PenStyle style = PenStyle::Solid;
    int width = 1; // logical pixels; 0 and 1 are one device pixel wide
    TColor color = clBlack;
    friend bool operator==(const Pen &, const Pen &) = default;
};

enum class BrushStyle {
    Solid,
    Clear, // no fill; text is drawn transparently
};

struct Brush
{
    Brush() = default;
    Brush(BrushStyle style, TColor color = clWhite) : style(style), color(color) { }

    BrushStyle style = BrushStyle::Solid;
    TColor color = clWhite;
    friend bool operator==(const Brush &, const Brush &) = default;
};

// How 8-bit text bytes become characters.
enum class CharacterMap {
    Windows1252, // every byte as Windows-1252 (cells, dialogs, panels)
    Document, // Windows-1252, but 0xC4 0xB3 0xDA 0xC0 0xC3 0xC2 as box lines (the report)
};

// Flags of drawText (single-line text drawing in a rectangle).
namespace DrawTextFlag {
inline constexpr unsigned Left = 0x0;
inline constexpr unsigned Center = 0x1;
inline constexpr unsigned Right = 0x2;
inline constexpr unsigned VerticalCenter = 0x4;
inline constexpr unsigned Bottom = 0x8;
inline constexpr unsigned WordBreak = 0x10; // wrap at spaces; lines separated by CR or LF
inline constexpr unsigned SingleLine = 0x20; // one line; CR and LF are drawn as spaces
inline constexpr unsigned ExpandTabs = 0x40; // tab stops every 8 average character widths
inline constexpr unsigned NoClip = 0x100; // default: clipped to the rectangle
inline constexpr unsigned CalcRect = 0x400; // only measure: rect gets the size, nothing drawn
inline constexpr unsigned NoPrefix = 0x800; // default: "&x" underlines x, "&&" draws "&"
} // namespace DrawTextFlag

class Canvas
{
public:
    virtual ~Canvas() = default;

    // Logical pixels per inch of the device (LOGPIXELSX/Y); 96 for the screen and pictures.
    virtual int deviceResolutionX() const = 0;
    virtual int deviceResolutionY() const = 0;

    // Pixels per inch used to turn a font's points into pixels; starts at deviceResolutionY().
    virtual void setFontResolution(int pixelsPerInch) = 0;
    virtual int fontResolution() const = 0;

    // Font selection and measurement. Every width includes the character extra once per character.
    virtual void setFont(const FontSpec &font) = 0;
    virtual const FontSpec &font() const = 0;
    virtual TextMetrics textMetrics() const = 0;
    // Width of the text in logical pixels; textWidth(text.substr(0, n)) is the width of n chars.
    virtual int textWidth(std::string_view text) const = 0;
    // Width of each prefix: result[i] = width of the first i + 1 characters (size = text.size()).
    virtual std::vector<int> partialWidths(std::string_view text) const = 0;
    // How many leading characters have a width not above maxWidth (0 when maxWidth < width of 1).
    virtual int fitCount(std::string_view text, int maxWidth) const = 0;
    // Width and height (textMetrics().height) of the text.
    Size textExtent(std::string_view text) const;

    // Extra pixels after every character, in measurement and drawing (may be negative).
    virtual void setCharacterExtra(int pixels) = 0;
    virtual int characterExtra() const = 0;

    virtual void setCharacterMap(CharacterMap map) = 0;
    virtual CharacterMap characterMap() const = 0;

    virtual void setTextColor(TColor color) = 0;
    virtual TColor textColor() const = 0;
    virtual void setPen(const Pen &pen) = 0;
    virtual const Pen &pen() const = 0;
    virtual void setBrush(const Brush &brush) = 0;
    virtual const Brush &brush() const = 0;

    // Text with its cell's top-left at (x, y); opaque on the brush colour when the brush is solid,
    // transparent when it is clear. Underline and strike-out follow the font style.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // As textOut, but character i starts advances[0] + ... + advances[i - 1] right of x; missing
    // advances use the font's own widths. The character extra is not added to given advances.
    virtual void textOutWithAdvances(
        int x, int y, std::string_view text, const std::vector<int> &advances)
        = 0;
    // Single-line or wrapped text in a rectangle with DrawTextFlag values; returns the height of
    // the text drawn. With CalcRect nothing is drawn and rect's right and bottom become the size.
    // The default lays the text out with textWidth and draws it with textOut and line.
    virtual int drawText(Rect &rect, std::string_view text, unsigned flags);
    // textOut with the text's left edge, centre (DrawTextFlag::Center) or right edge
    // (DrawTextFlag::Right) at x.
    void textOutAligned(int x, int y, std::string_view text, unsigned alignment);

    // Lines use the pen. lineTo draws from the current position to (x, y) without the end point
    // and makes (x, y) current.
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    void line(int x1, int y1, int x2, int y2)
    {
        moveTo(x1, y1);
        lineTo(x2, y2);
    }
    virtual void polyline(const std::vector<Point> &points) = 0;
    // Outline with the pen, filled with the brush; right and bottom are outside.
    virtual void rectangle(const Rect &rect) = 0;
    virtual void polygon(const std::vector<Point> &points) = 0;
    // Fills with the brush colour (even a clear brush fills nothing), no outline.
    virtual void fillRect(const Rect &rect) = 0;
    void fillRect(const Rect &rect, TColor color);
    // One-pixel outline in the brush colour.
    virtual void frameRect(const Rect &rect) = 0;
    // 3-D frame: `width` rings, top and left in topLeft, bottom and right in bottomRight; rect
    // shrinks by width on every side (the area left inside).
    void frame3D(Rect &rect, TColor topLeft, TColor bottomRight, int width);

    // Bitmaps: drawn at their own size, stretched to a rectangle, part of one copied to a
    // rectangle, or tiled over `area` with a tile corner at (originX, originY).
    virtual void drawBitmap(int x, int y, const Bitmap &bitmap) = 0;
    virtual void stretchBitmap(const Rect &target, const Bitmap &bitmap) = 0;
    virtual void drawBitmapPart(const Rect &target, const Bitmap &bitmap, const Rect &source) = 0;
    void tileBitmap(const Rect &area, const Bitmap &bitmap, int originX, int originY);
    // A recorded picture replayed with its top-left at (x, y), at its recorded size in logical
    // units (or stretched to target).
    virtual void drawPicture(int x, int y, const RecordedPicture &picture) = 0;
    virtual void stretchPicture(const Rect &target, const RecordedPicture &picture) = 0;

    // Clipping confines all later drawing; rectangles are in logical units at the time of the
    // call. clipBounds() is the current clip in logical units, or the whole device without one.
    virtual void setClipRect(const Rect &rect) = 0;
    virtual void intersectClipRect(const Rect &rect) = 0;
    virtual void removeClip() = 0;
    virtual Rect clipBounds() const = 0;

    // Mapping modes. Text mapping: logical = device pixels, shifted by the viewport origin.
    // Anisotropic: logical (x, y) -> viewportOrigin + (x * viewport / window) per axis.
    virtual void setMappingText(Point viewportOrigin = {}) = 0;
    virtual void setMappingAnisotropic(Size windowExtent, Size viewportExtent, Point viewportOrigin)
        = 0;
    // Logical point -> device pixel under the current mapping.
    virtual Point logicalToDevice(Point logical) const = 0;

    // Stacks and restores font, resolution, pen, brush, colours, extra, map, clip and mapping.
    virtual void save() = 0;
    virtual void restore() = 0;
};
