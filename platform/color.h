#pragma once

// Colours as 32-bit TColor values, the way styles, grids and panels store them.
//
//   TColor c = clNavy;                       // plain colour 0x00BBGGRR, red in the low byte
//   TColor w = clWindow;                     // system colour 0x800000nn, follows the colour scheme
//   std::uint32_t rgb = colorToRgb(w);       // resolved to 0x00BBGGRR
//   TColor parsed;
//   if (colorByName("clnavy", &parsed)) ...  // toolkit colour names, any case
//
// clNone (0x1FFFFFFF) means "no colour": nothing is filled or drawn with it.

#include <cstdint>
#include <string_view>

using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// Plain colours.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// System colours: 0x80000000 plus the index of the scheme entry.
inline constexpr TColor clScrollBar = 0x80000000;
inline constexpr TColor clBackground = 0x80000001;
inline constexpr TColor clActiveCaption = 0x80000002;
inline constexpr TColor clInactiveCaption = 0x80000003;
inline constexpr TColor clMenu = 0x80000004;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowFrame = 0x80000006;
inline constexpr TColor clMenuText = 0x80000007;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clCaptionText = 0x80000009;
inline constexpr TColor clActiveBorder = 0x8000000A;
inline constexpr TColor clInactiveBorder = 0x8000000B;
inline constexpr TColor clAppWorkSpace = 0x8000000C;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clGrayText = 0x80000011;
inline constexpr TColor clBtnText = 0x80000012;
inline constexpr TColor clInactiveCaptionText = 0x80000013;
inline constexpr TColor clBtnHighlight = 0x80000014;
inline constexpr TColor cl3DDkShadow = 0x80000015;
inline constexpr TColor cl3DLight = 0x80000016;
inline constexpr TColor clInfoText = 0x80000017;
inline constexpr TColor clInfoBk = 0x80000018;

// True for the 0x800000nn values.
constexpr bool isSystemColor(TColor color)
{
    return (color & 0xFF000000) == 0x80000000;
}

// Builds a plain colour from its components.
constexpr TColor rgbColor(int red, int green, int blue)
{
    return TColor(red & 0xFF) | TColor(green & 0xFF) << 8 | TColor(blue & 0xFF) << 16;
}

constexpr int redOf(TColor rgb)
{
    return int(rgb & 0xFF);
}
constexpr int greenOf(TColor rgb)
{
    return int(rgb >> 8 & 0xFF);
}
constexpr int blueOf(TColor rgb)
{
    return int(rgb >> 16 & 0xFF);
}

// Resolves a colour to 0x00BBGGRR. System colours come from the application's palette when a
// QGuiApplication exists, else from the classic fixed scheme (window white, window text black,
// button face 0xC0C0C0 ...). Plain colours are returned with the high byte cleared. clNone and
// clDefault resolve to white; callers test for clNone before drawing.
std::uint32_t colorToRgb(TColor color);

// Looks up a toolkit colour name ("clred", "clBtnFace", ...; any case, with the "cl" prefix) and
// stores the colour in *color. Returns false, leaving *color alone, for an unknown name.
bool colorByName(std::string_view name, TColor *color);
