#pragma once

// The style sheet of a document view: text styles (fonts and colours) and paragraph styles
// (indents, spacing, alignment, border, background). Items carry only style numbers; every
// font and colour used for measuring and drawing comes from here.
//
//   TDVStyle sheet;                                  // six standard text styles, two para styles
//   sheet.ApplyStyle(canvas, 1, dvbdUnspecified);    // font of "Heading"
//   sheet.ApplyStyleColor(canvas, 1, {}, true, dvcmPrinterColor);
//   const TFontInfo &bad = sheet.TextStyles.GetItem(99);   // white on red substitute

#include "docview/dv_sad.h"
#include "docview/dv_types.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/color.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TDVStyle;
class TCustomDocView;

struct TDVRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TDVRect &, const TDVRect &) = default;
};

struct TDVBooleanRect
{
    bool Left = true;
    bool Top = true;
    bool Right = true;
    bool Bottom = true;
    friend bool operator==(const TDVBooleanRect &, const TDVBooleanRect &) = default;
};

// Border around a paragraph; all lengths in screen pixels.
class TDVBorder
{
public:
    int Width = 1;
    int InternalWidth = 1;
    TColor Color = clWindowText;
    TDVBorderStyle Style = dvbNone;
    TDVBooleanRect VisibleBorders;
    TDVRect BorderOffsets;

    // Total width of the lines and gaps: 0 for dvbNone.
    int GetTotalWidth() const;
    // Draws the border around rect (device pixels); widths are scaled by sad when given.
    void Draw(const Rect &rect, Canvas &canvas, const TDVScreenAndDevice *sad,
        TDVColorMode colorMode) const;
};

// Background rectangle of a paragraph.
class TDVBackgroundRect
{
public:
    TColor Color = clNone;
    TDVRect BorderOffsets;

    // Fills rect enlarged by one pixel to the right and bottom; nothing for clNone or when
    // printing in a black-and-white mode.
    void Draw(const Rect &rect, Canvas &canvas, bool printing, TDVColorMode colorMode) const;
};

// Common part of a text style and a paragraph style.
class TCustomDVInfo
{
public:
    std::string StyleName;
    int BaseStyleNo = -1;
    bool Standard = true;
};

// One text style.
class TFontInfo : public TCustomDVInfo
{
public:
    TFontInfo() { StyleName = "Font Style"; }

    std::string FontName = "Arial";
    int Size = 10; // points
    FontStyles Style;
    TDVFontStylesEx StyleEx;
    TColor Color = clWindowText;
    TColor BackColor = clNone;
    TColor HoverColor = clNone;
    TColor HoverBackColor = clNone;
    int Charset = defaultCharset;
    bool Jump = false;
    int JumpCursor = 101;
    int VShift = 0; // percent of the font height; positive raises the text
    int CharScale = 100; // horizontal scaling, percent
    int CharSpacing = 0; // extra screen pixels between characters
    int NextStyleNo = -1;
    TDVBiDiMode BiDiMode = dvbdUnspecified;
    bool Unicode = false;
    TDVProtectOptions Protection;
    TDVTextOptions Options;

    // Selects the font into the canvas (never the colours); see the .cpp for CharScale and the
    // direction cases.
    void Apply(Canvas &canvas, TDVBiDiMode bidi) const;
    // Sets the canvas text colour and brush for the draw state, printing flag and colour mode.
    void ApplyColor(Canvas &canvas, const TDVStyle &sheet, TDVTextDrawState drawState,
        bool printing, TDVColorMode colorMode) const;
    // Draws text whose font and colours were applied before; (left, top, width, height) is the
    // piece's cell in canvas units.
    void Draw(std::string_view text, Canvas &canvas, int styleNo, int spaceBefore, int left,
        int top, int width, int height, const TDVStyle &sheet, TDVTextDrawState drawState,
        bool printing, bool previewCorrection, TDVColorMode colorMode, TDVBiDiMode bidi) const;

    // Copies name, size, colour, style and (unless Unicode) character set into a font request.
    void AssignTo(FontSpec &font) const;
    // Copies name, size, style and character set from a font request.
    void Assign(const FontSpec &font);
    void Assign(const TFontInfo &source) { *this = source; }
};

// One paragraph style; lengths in screen pixels.
class TParaInfo : public TCustomDVInfo
{
public:
    TParaInfo() { StyleName = "Paragraph Style"; }

    int FirstIndent = 0;
    int LeftIndent = 0;
    int RightIndent = 0;
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    TDVAlignment Alignment = dvaLeft;
    int LineSpacing = 100;
    TDVLineSpacingType LineSpacingType = dvlsPercent;
    TDVBorder Border;
    TDVBackgroundRect Background;
    int NextParaNo = -1;
    TDVParaOptions Options;
    TDVBiDiMode BiDiMode = dvbdUnspecified;

    void Assign(const TParaInfo &source) { *this = source; }
};

// An ordered collection of styles; a style's index is its number. References to items stay
// valid while other items are added.
template <typename Info> class TDVInfoCollection
{
public:
    int Count() const { return int(m_items.size()); }
    // The style at index; the index must be valid (use GetItem for unchecked numbers).
    Info &operator[](int index) { return *m_items.at(std::size_t(index)); }
    const Info &operator[](int index) const { return *m_items.at(std::size_t(index)); }
    Info &Add()
    {
        m_items.push_back(std::make_unique<Info>());
        return *m_items.back();
    }
    // Removes the style at index; a bad index does nothing.
    void Delete(int index)
    {
        if (index >= 0 && index < Count())
            m_items.erase(m_items.begin() + index);
    }
    void Clear() { m_items.clear(); }

protected:
    std::vector<std::unique_ptr<Info>> m_items;
    mutable std::unique_ptr<Info> m_invalid;
};

class TFontInfos : public TDVInfoCollection<TFontInfo>
{
public:
    // The style numbered index, or for a number out of range the substitute InvalidTextStyle:
    // a copy of style 0 as it was when first needed, white on red. Never fails.
    const TFontInfo &GetItem(int index) const;
    TFontInfo &GetItem(int index);
    const TFontInfo &InvalidTextStyle() const;
};

class TParaInfos : public TDVInfoCollection<TParaInfo>
{
public:
    // The style numbered index, or the substitute InvalidParaStyle (a copy of style 0 with
    // 1-pixel spacing and indents and a red 2-pixel border) for a number out of range.
    const TParaInfo &GetItem(int index) const;
    TParaInfo &GetItem(int index);
    const TParaInfo &InvalidParaStyle() const;
};

// Colour helpers.
TColor DV_GetPrnColor(TColor color);
int DV_GetLuminance(TColor color);
TColor DV_GetGray(TColor color);
// For lines and text.
TColor DV_GetColor(TColor color, TDVColorMode colorMode);
// For backgrounds.
TColor DV_GetBackColor(TColor color, TDVColorMode colorMode);

class TDVStyle
{
public:
    TDVStyle();
    ~TDVStyle();
    TDVStyle(const TDVStyle &) = delete;
    TDVStyle &operator=(const TDVStyle &) = delete;

    TFontInfos TextStyles;
    TParaInfos ParaStyles;
    std::vector<TCustomDVInfo> ListStyles;
    std::uint16_t SpacesInTab = 8;
    int JumpCursor = 101;
    bool FullRedraw = false;
    bool UseSound = true;
    TColor Color = clWindow;
    TColor HoverColor = clNone;
    TColor SelColor = clHighlight;
    TColor SelTextColor = clHighlightText;
    TColor InactiveSelColor = clHighlight;
    TColor InactiveSelTextColor = clHighlightText;
    TColor CheckpointColor = 0x008000;
    TColor CheckpointEvColor = 0x00FF00;
    TColor PageBreakColor = clBtnShadow;
    TColor SoftPageBreakColor = clBtnFace;
    int DefUnicodeStyle = -1;
    int DefCodePage = 0;
    Bitmap InvalidPicture;

    // Hooks, called before the default action with doDefault = true; the default runs only if
    // the handler leaves it true.
    std::function<void(
        TDVStyle &sender, Canvas &canvas, int styleNo, TDVBiDiMode bidi, bool &doDefault)>
        OnApplyStyle;
    std::function<void(
        TDVStyle &sender, Canvas &canvas, int styleNo, TDVTextDrawState drawState, bool &doDefault)>
        OnApplyStyleColor;
    std::function<void(TDVStyle &sender, std::string_view text, Canvas &canvas, int styleNo,
        int spaceBefore, int left, int top, int width, int height, TDVTextDrawState drawState,
        bool &doDefault)>
        OnDrawStyleText;
    std::function<void(TDVStyle &sender, int styleNo, bool &sensitive)> OnStyleHoverSensitive;
    std::function<void(TDVStyle &sender, Canvas &canvas, int styleNo, int left, int top, int width,
        int height, TDVTextDrawState drawState, bool &doDefault)>
        OnDrawTextBack;
    std::function<void(TDVStyle &sender, Canvas &canvas, int x, int y, bool &doDefault)>
        OnDrawCheckpoint;
    std::function<void(
        TDVStyle &sender, Canvas &canvas, int y, int x, TDVPageBreakType type, bool &doDefault)>
        OnDrawPageBreak;
    std::function<void(
        TDVStyle &sender, Canvas &canvas, int paraNo, const Rect &rect, bool &doDefault)>
        OnDrawParaBack;

    // Replace the styles with the standard contents.
    void ResetTextStyles();
    void ResetParaStyles();

    void ApplyStyle(Canvas &canvas, int styleNo, TDVBiDiMode bidi);
    void ApplyStyleColor(Canvas &canvas, int styleNo, TDVTextDrawState drawState, bool printing,
        TDVColorMode colorMode);

    TColor GetHoverColor(int styleNo) const;
    TColor GetHoverColorByColor(TColor color) const;
    bool StyleHoverSensitive(int styleNo);

    // Appends a text style with the record defaults; returns its number.
    int AddTextStyle();
    void DeleteTextStyle(int styleNo);

    // Draws text whose font and colours were applied (all capitals for dvfsAllCaps styles).
    void DrawStyleText(std::string_view text, Canvas &canvas, int itemNo, int offsetInItem,
        int styleNo, const void *data, int spaceBefore, int left, int top, int width, int height,
        TDVTextDrawState drawState, bool printing, bool previewCorrection, TDVColorMode colorMode,
        TDVBiDiMode bidi);

    // Page-break mark across a control of the given client width at y.
    void DrawPageBreak(Canvas &canvas, int y, int clientWidth, TDVPageBreakType type, int hOffs);

    // Background of paragraph paraNo over rect (OnDrawParaBack first).
    void DrawParaBack(
        Canvas &canvas, int paraNo, const Rect &rect, bool printing, TDVColorMode colorMode);

private:
    friend class TCustomDocView;
    void attachView(TCustomDocView *view);
    void detachView(TCustomDocView *view);
    std::vector<TCustomDocView *> m_views;
};

// Builds the report window's sheet DVStyle1: six "Crystal" text styles and the two paragraph
// styles of the report form, with the form's sheet colours.
std::unique_ptr<TDVStyle> CreateReportStyleSheet();
