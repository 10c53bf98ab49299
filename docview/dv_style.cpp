#include "docview/dv_style.h"

#include "docview/doc_view.h"
#include "platform/locale_text.h"
#include "platform/mul_div.h"

#include <algorithm>
#include <string>

namespace {

void setBrushColor(Canvas &canvas, TColor color)
{
    canvas.setBrush({ color == clNone ? BrushStyle::Clear : BrushStyle::Solid, color });
}

// Widths of the single characters of text, from the canvas's cumulative extents.
std::vector<int> characterWidths(const Canvas &canvas, std::string_view text)
{
    std::vector<int> widths = canvas.partialWidths(text);
    for (std::size_t i = widths.size(); i-- > 1;)
        widths[i] -= widths[i - 1];
    return widths;
}

// Spreads the difference between the wanted and the natural width over the characters from the
// first on; false (nothing drawn) when the text is one character or already the right width.
bool drawCorrected(Canvas &canvas, std::string_view text, int x, int y, int wantedWidth)
{
    if (text.size() <= 1)
        return false;
    std::vector<int> widths = characterWidths(canvas, text);
    int natural = 0;
    for (int width : widths)
        natural += width;
    int remaining = wantedWidth - natural;
    if (remaining == 0)
        return false;
    for (std::size_t i = 0; i < widths.size() && remaining != 0; ++i) {
        const int share = remaining / int(widths.size() - i);
        widths[i] += share;
        remaining -= share;
    }
    canvas.textOutWithAdvances(x, y, text, widths);
    return true;
}

// Draws with explicit advances of character width + extra (the extra itself set to 0).
bool drawWithExtra(Canvas &canvas, std::string_view text, int x, int y)
{
    const int extra = canvas.characterExtra();
    if (extra == 0 || text.size() <= 1)
        return false;
    canvas.setCharacterExtra(0);
    std::vector<int> widths = characterWidths(canvas, text);
    for (int &width : widths)
        width += extra;
    canvas.textOutWithAdvances(x, y, text, widths);
    canvas.setCharacterExtra(extra);
    return true;
}

} // namespace

// ---- colour helpers ----

TColor DV_GetPrnColor(TColor color)
{
    if (color == clWindowText)
        return clBlack;
    if (color == clWindow)
        return clWhite;
    return color;
}

int DV_GetLuminance(TColor color)
{
    const std::uint32_t rgb = colorToRgb(color);
    // 0.3 R + 0.59 G + 0.11 B rounded to the nearest integer, computed exactly in hundredths.
    const int hundredths = 30 * redOf(rgb) + 59 * greenOf(rgb) + 11 * blueOf(rgb);
    return (hundredths + 50) / 100;
}

TColor DV_GetGray(TColor color)
{
    if (color == clNone)
        return clNone;
    const int luminance = std::min(DV_GetLuminance(color), 255);
    return rgbColor(luminance, luminance, luminance);
}

TColor DV_GetColor(TColor color, TDVColorMode colorMode)
{
    if (color == clNone)
        return clNone;
    switch (colorMode) {
    case dvcmColor:
        return color;
    case dvcmPrinterColor:
        return DV_GetPrnColor(color);
    case dvcmGrayScale:
        return DV_GetGray(DV_GetPrnColor(color));
    case dvcmBlackAndWhite:
    case dvcmBlackOnWhite:
        return color == clWhite ? clWhite : clBlack;
    }
    return color;
}

TColor DV_GetBackColor(TColor color, TDVColorMode colorMode)
{
    if (color == clNone)
        return clNone;
    switch (colorMode) {
    case dvcmColor:
    case dvcmPrinterColor:
    case dvcmGrayScale:
        return DV_GetColor(color, colorMode);
    case dvcmBlackAndWhite:
    case dvcmBlackOnWhite:
        return clWhite;
    }
    return color;
}

// ---- border and paragraph background ----

int TDVBorder::GetTotalWidth() const
{
    switch (Style) {
    case dvbNone:
        return 0;
    case dvbSingle:
        return Width;
    case dvbDouble:
        return 2 * Width + InternalWidth;
    case dvbTriple:
        return 3 * Width + 2 * InternalWidth;
    case dvbThickInside:
    case dvbThickOutside:
        return 3 * Width + InternalWidth;
    }
    return 0;
}

void TDVBorder::Draw(
    const Rect &rect, Canvas &canvas, const TDVScreenAndDevice *sad, TDVColorMode colorMode) const
{
    if (Style == dvbNone)
        return;
    const auto scaleX = [sad](int x) { return sad ? DV_XToDevice(x, *sad) : x; };
    const int width = std::max(1, scaleX(Width));
    const int gap = scaleX(InternalWidth);
    // Widths of the rings from the outside in, separated by gaps.
    std::vector<int> rings;
    switch (Style) {
    case dvbNone:
        return;
    case dvbSingle:
        rings = { width };
        break;
    case dvbDouble:
        rings = { width, width };
        break;
    case dvbTriple:
        rings = { width, width, width };
        break;
    case dvbThickInside:
        rings = { width, 2 * width };
        break;
    case dvbThickOutside:
        rings = { 2 * width, width };
        break;
    }
    canvas.setBrush({ BrushStyle::Solid, DV_GetColor(Color, colorMode) });
    Rect ring = { rect.left - scaleX(BorderOffsets.Left), rect.top - scaleX(BorderOffsets.Top),
        rect.right + scaleX(BorderOffsets.Right), rect.bottom + scaleX(BorderOffsets.Bottom) };
    for (int ringWidth : rings) {
        if (VisibleBorders.Left)
            canvas.fillRect({ ring.left, ring.top, ring.left + ringWidth, ring.bottom });
        if (VisibleBorders.Right)
            canvas.fillRect({ ring.right - ringWidth, ring.top, ring.right, ring.bottom });
        if (VisibleBorders.Top)
            canvas.fillRect({ ring.left, ring.top, ring.right, ring.top + ringWidth });
        if (VisibleBorders.Bottom)
            canvas.fillRect({ ring.left, ring.bottom - ringWidth, ring.right, ring.bottom });
        const int step = ringWidth + gap;
        ring = { ring.left + step, ring.top + step, ring.right - step, ring.bottom - step };
    }
    canvas.setBrush({ BrushStyle::Clear, clNone });
}

void TDVBackgroundRect::Draw(
    const Rect &rect, Canvas &canvas, bool printing, TDVColorMode colorMode) const
{
    if (Color == clNone)
        return;
    if (printing && (colorMode == dvcmBlackAndWhite || colorMode == dvcmBlackOnWhite))
        return;
    TColor fill = DV_GetPrnColor(Color);
    if (colorMode == dvcmGrayScale)
        fill = DV_GetGray(fill);
    canvas.setPen({ PenStyle::Clear, 1, clBlack });
    canvas.fillRect({ rect.left, rect.top, rect.right + 1, rect.bottom + 1 }, fill);
    canvas.setBrush({ BrushStyle::Clear, clNone });
    canvas.setPen({ PenStyle::Solid, 1, canvas.pen().color });
}

// ---- text style ----

void TFontInfo::Apply(Canvas &canvas, TDVBiDiMode bidi) const
{
    FontSpec font;
    font.face = FontName;
    font.points = Size;
    font.style = Style;
    font.charset = Charset;
    if (CharScale != 100) {
        // A logical font of the same height whose average width is scaled.
        font.pixelHeight = MulDiv(Size, canvas.fontResolution(), 72);
        canvas.setFont(font);
        int average = canvas.textMetrics().averageCharWidth;
        if (average <= 0)
            average = canvas.textWidth("x");
        font.width = std::max(1, average * CharScale / 100);
    }
    canvas.setFont(font);
    canvas.setCharacterMap(CharacterMap::Document);
    if (BiDiMode != dvbdUnspecified)
        bidi = BiDiMode;
    switch (bidi) {
    case dvbdLeftToRight:
    case dvbdRightToLeft:
        canvas.setCharacterExtra(0);
        break;
    case dvbdUnspecified:
        canvas.setCharacterExtra(CharSpacing);
        break;
    }
}

void TFontInfo::ApplyColor(Canvas &canvas, const TDVStyle &sheet, TDVTextDrawState drawState,
    bool printing, TDVColorMode colorMode) const
{
    TColor text = Color;
    TColor back = BackColor;
    if (drawState.contains(dvtsSelected)) {
        const bool focused = drawState.contains(dvtsControlFocused);
        back = focused ? sheet.SelColor : sheet.InactiveSelColor;
        text = focused ? sheet.SelTextColor : sheet.InactiveSelTextColor;
        if (text == clNone)
            text = Color;
    } else if (drawState.contains(dvtsHover)) {
        text = sheet.GetHoverColorByColor(HoverColor);
        if (text == clNone)
            text = Color;
        back = HoverBackColor;
    } else if (printing) {
        switch (colorMode) {
        case dvcmColor:
            break;
        case dvcmPrinterColor:
            text = DV_GetPrnColor(Color);
            back = DV_GetPrnColor(BackColor);
            break;
        case dvcmGrayScale:
            text = DV_GetGray(DV_GetPrnColor(Color));
            back = DV_GetGray(DV_GetPrnColor(BackColor));
            break;
        case dvcmBlackAndWhite:
            if (BackColor == clNone) {
                back = clNone;
                text = DV_GetPrnColor(Color) == clWhite ? clWhite : clBlack;
            } else if (DV_GetLuminance(DV_GetPrnColor(Color))
                < DV_GetLuminance(DV_GetPrnColor(BackColor))) {
                back = clWhite;
                text = clBlack;
            } else {
                back = clBlack;
                text = clWhite;
            }
            break;
        case dvcmBlackOnWhite:
            text = clBlack;
            back = clNone;
            break;
        }
    }
    canvas.setTextColor(text);
    setBrushColor(canvas, back);
}

void TFontInfo::Draw(std::string_view text, Canvas &canvas, int styleNo, int spaceBefore, int left,
    int top, int width, int height, const TDVStyle &sheet, TDVTextDrawState drawState,
    bool printing, bool previewCorrection, TDVColorMode colorMode, TDVBiDiMode bidi) const
{
    (void)styleNo, (void)sheet, (void)drawState, (void)colorMode;
    const TDVBiDiMode direction = BiDiMode != dvbdUnspecified ? BiDiMode : bidi;
    bool drawn = false;
    if (printing && direction == dvbdUnspecified) {
        if (canvas.brush().style != BrushStyle::Clear) {
            canvas.setPen({ PenStyle::Clear, 1, canvas.pen().color });
            canvas.fillRect(Rect::fromSize(left, top, width, height));
            canvas.setBrush({ BrushStyle::Clear, canvas.brush().color });
            canvas.setPen({ PenStyle::Solid, 1, canvas.pen().color });
        }
        if (previewCorrection)
            drawn = drawCorrected(canvas, text, left + spaceBefore, top, width - spaceBefore);
        else
            drawn = drawWithExtra(canvas, text, left + spaceBefore, top);
    }
    if (!drawn)
        canvas.textOut(left + spaceBefore, top, text);
    if (spaceBefore != 0 && !printing && canvas.brush().style != BrushStyle::Clear)
        canvas.fillRect(Rect::fromSize(left, top, spaceBefore, height));
    canvas.setBrush({ BrushStyle::Clear, canvas.brush().color });

    const bool underline = spaceBefore != 0 && canvas.font().style.has(FontStyle::Underline);
    if (!underline && !StyleEx.contains(dvfsOverline))
        return;
    const TextMetrics metrics = canvas.textMetrics();
    const int lineWidth = std::max(1, metrics.underlineSize);
    canvas.setPen({ PenStyle::Solid, lineWidth, canvas.textColor() });
    if (underline) {
        const int y = top + metrics.ascent + metrics.underlinePosition + lineWidth / 2;
        canvas.line(left, y, left + spaceBefore + 1, y);
    }
    if (StyleEx.contains(dvfsOverline))
        canvas.line(left, top, left + width, top);
}

void TFontInfo::AssignTo(FontSpec &font) const
{
    font.face = FontName;
    font.points = Size;
    font.style = Style;
    if (!Unicode)
        font.charset = Charset;
}

void TFontInfo::Assign(const FontSpec &font)
{
    FontName = font.face;
    Size = font.points;
    Style = font.style;
    Charset = font.charset;
}

// ---- collections ----

const TFontInfo &TFontInfos::InvalidTextStyle() const
{
    if (!m_invalid) {
        m_invalid = std::make_unique<TFontInfo>(m_items.empty() ? TFontInfo() : *m_items[0]);
        m_invalid->Color = clWhite;
        m_invalid->BackColor = clRed;
    }
    return *m_invalid;
}

const TFontInfo &TFontInfos::GetItem(int index) const
{
    if (index < 0 || index >= Count())
        return InvalidTextStyle();
    return *m_items[std::size_t(index)];
}

TFontInfo &TFontInfos::GetItem(int index)
{
    return const_cast<TFontInfo &>(std::as_const(*this).GetItem(index));
}

const TParaInfo &TParaInfos::InvalidParaStyle() const
{
    if (!m_invalid) {
        m_invalid = std::make_unique<TParaInfo>(m_items.empty() ? TParaInfo() : *m_items[0]);
        TParaInfo &style = *m_invalid;
        style.SpaceBefore = style.SpaceAfter = style.LeftIndent = style.RightIndent = 1;
        style.Border.Color = clRed;
        style.Border.Style = dvbSingle;
        style.Border.Width = 2;
        style.Border.BorderOffsets = { 1, 1, 1, 1 };
    }
    return *m_invalid;
}

const TParaInfo &TParaInfos::GetItem(int index) const
{
    if (index < 0 || index >= Count())
        return InvalidParaStyle();
    return *m_items[std::size_t(index)];
}

TParaInfo &TParaInfos::GetItem(int index)
{
    return const_cast<TParaInfo &>(std::as_const(*this).GetItem(index));
}

// ---- the sheet ----

TDVStyle::TDVStyle()
{
    ResetTextStyles();
    ResetParaStyles();
}

TDVStyle::~TDVStyle()
{
    for (TCustomDocView *view : m_views)
        view->styleDestroyed();
}

void TDVStyle::attachView(TCustomDocView *view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void TDVStyle::detachView(TCustomDocView *view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void TDVStyle::ResetTextStyles()
{
    TextStyles.Clear();
    struct Standard
    {
        const char *name;
        FontStyles style;
        TColor color;
        bool jump;
    };
    const Standard standards[] = {
        { "Normal text", {}, clWindowText, false },
        { "Heading", FontStyle::Bold, clBlue, false },
        { "Subheading", FontStyle::Bold, clNavy, false },
        { "Keywords", FontStyle::Italic, clMaroon, false },
        { "Jump 1", FontStyle::Underline, clGreen, true },
        { "Jump 2", FontStyle::Underline, clGreen, true },
    };
    for (const Standard &standard : standards) {
        TFontInfo &style = TextStyles.Add();
        style.StyleName = standard.name;
        style.Style = standard.style;
        style.Color = standard.color;
        style.Jump = standard.jump;
        if (standard.jump)
            style.JumpCursor = JumpCursor;
    }
}

void TDVStyle::ResetParaStyles()
{
    ParaStyles.Clear();
    ParaStyles.Add().StyleName = "Paragraph Style";
    TParaInfo &centered = ParaStyles.Add();
    centered.StyleName = "Centered";
    centered.Alignment = dvaCenter;
}

void TDVStyle::ApplyStyle(Canvas &canvas, int styleNo, TDVBiDiMode bidi)
{
    bool doDefault = true;
    if (OnApplyStyle)
        OnApplyStyle(*this, canvas, styleNo, bidi, doDefault);
    if (doDefault)
        TextStyles.GetItem(styleNo).Apply(canvas, bidi);
}

void TDVStyle::ApplyStyleColor(
    Canvas &canvas, int styleNo, TDVTextDrawState drawState, bool printing, TDVColorMode colorMode)
{
    bool doDefault = true;
    if (OnApplyStyleColor)
        OnApplyStyleColor(*this, canvas, styleNo, drawState, doDefault);
    if (doDefault)
        TextStyles.GetItem(styleNo).ApplyColor(canvas, *this, drawState, printing, colorMode);
}

TColor TDVStyle::GetHoverColor(int styleNo) const
{
    const TColor own = TextStyles.GetItem(styleNo).HoverColor;
    return own != clNone ? own : HoverColor;
}

TColor TDVStyle::GetHoverColorByColor(TColor color) const
{
    return color != clNone ? color : HoverColor;
}

bool TDVStyle::StyleHoverSensitive(int styleNo)
{
    const TFontInfo &style = TextStyles.GetItem(styleNo);
    bool sensitive = !(GetHoverColor(styleNo) == clNone && style.HoverBackColor == style.BackColor);
    if (OnStyleHoverSensitive)
        OnStyleHoverSensitive(*this, styleNo, sensitive);
    return sensitive;
}

int TDVStyle::AddTextStyle()
{
    TextStyles.Add();
    return TextStyles.Count() - 1;
}

void TDVStyle::DeleteTextStyle(int styleNo)
{
    TextStyles.Delete(styleNo);
}

void TDVStyle::DrawStyleText(std::string_view text, Canvas &canvas, int itemNo, int offsetInItem,
    int styleNo, const void *data, int spaceBefore, int left, int top, int width, int height,
    TDVTextDrawState drawState, bool printing, bool previewCorrection, TDVColorMode colorMode,
    TDVBiDiMode bidi)
{
    (void)itemNo, (void)offsetInItem, (void)data;
    const TFontInfo &style = TextStyles.GetItem(styleNo);
    std::string capitals;
    if (style.StyleEx.contains(dvfsAllCaps)) {
        capitals = upperCase(text);
        text = capitals;
    }
    bool doDefault = true;
    if (OnDrawStyleText)
        OnDrawStyleText(*this, text, canvas, styleNo, spaceBefore, left, top, width, height,
            drawState, doDefault);
    if (doDefault)
        style.Draw(text, canvas, styleNo, spaceBefore, left, top, width, height, *this, drawState,
            printing, previewCorrection, colorMode, bidi);
}

void TDVStyle::DrawPageBreak(
    Canvas &canvas, int y, int clientWidth, TDVPageBreakType type, int hOffs)
{
    bool doDefault = true;
    if (OnDrawPageBreak)
        OnDrawPageBreak(*this, canvas, y, -hOffs, type, doDefault);
    if (!doDefault)
        return;
    const TColor color = type == dvpbPageBreak ? PageBreakColor : SoftPageBreakColor;
    canvas.setPen({ PenStyle::Solid, 1, color });
    canvas.setBrush({ BrushStyle::Solid, clWindow });
    const int right = clientWidth - hOffs;
    canvas.line(-hOffs, y, right - 8, y);
    canvas.polygon({ { right - 8, y }, { right, y + 8 }, { right - 8, y + 8 } });
    canvas.setBrush({ BrushStyle::Clear, clWindow });
}

void TDVStyle::DrawParaBack(
    Canvas &canvas, int paraNo, const Rect &rect, bool printing, TDVColorMode colorMode)
{
    bool doDefault = true;
    if (OnDrawParaBack)
        OnDrawParaBack(*this, canvas, paraNo, rect, doDefault);
    if (doDefault)
        ParaStyles.GetItem(paraNo).Background.Draw(rect, canvas, printing, colorMode);
}

// ---- the report's sheet ----

std::unique_ptr<TDVStyle> CreateReportStyleSheet()
{
    auto sheet = std::make_unique<TDVStyle>();
    struct Listed
    {
        const char *name;
        int size;
        FontStyles style;
        TColor color;
        bool jump;
    };
    const Listed listed[] = {
        { "Normal text", 9, {}, clWindowText, false },
        { "Heading", 9, FontStyle::Bold, clBlue, false },
        { "Subheading", 12, FontStyle::Bold, clRed, false },
        { "Keywords", 12, FontStyle::Bold, clMaroon, false },
        { "Jump 1", 9, FontStyle::Underline, clWindowText, true },
        { "Jump 2", 9, FontStyle::Underline, clGreen, true },
    };
    // Loading a listed collection empties it and starts every record from the record defaults.
    sheet->TextStyles.Clear();
    for (const Listed &entry : listed) {
        TFontInfo &style = sheet->TextStyles.Add();
        style.StyleName = entry.name;
        style.FontName = "Crystal";
        style.Size = entry.size;
        style.Style = entry.style;
        style.Color = entry.color;
        style.Jump = entry.jump;
    }
    sheet->ParaStyles.Clear();
    sheet->ParaStyles.Add().StyleName = "Paragraph Style";
    TParaInfo &centered = sheet->ParaStyles.Add();
    centered.StyleName = "Centered";
    centered.Alignment = dvaCenter;

    sheet->Color = clNone;
    sheet->SelColor = clNone;
    sheet->SelTextColor = clWindowText;
    sheet->InactiveSelColor = clNone;
    sheet->InactiveSelTextColor = clNone;
    sheet->InvalidPicture = Bitmap(16, 16, clWhite);
    return sheet;
}
