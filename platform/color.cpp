#include "color.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace {

// The classic scheme, used when no application palette exists (tests without a GUI, tools).
constexpr std::array<std::uint32_t, 25> classicScheme = {
    0xC8C8C8, // scroll bar
    0x000000, // desktop background
    0x6A240A, // active caption
    0x808080, // inactive caption
    0xC0C0C0, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC0C0C0, // active border
    0xC0C0C0, // inactive border
    0x808080, // application work space
    0x6A240A, // highlight
    0xFFFFFF, // highlight text
    0xC0C0C0, // button face
    0x808080, // button shadow
    0x808080, // grey text
    0x000000, // button text
    0xC0C0C0, // inactive caption text
    0xFFFFFF, // button highlight
    0x404040, // 3-D dark shadow
    0xDFDFDF, // 3-D light
    0x000000, // tooltip text
    0xE1FFFF, // tooltip background
};

std::uint32_t fromQColor(const QColor &color)
{
    return rgbColor(color.red(), color.green(), color.blue());
}

// Scheme entries that a Qt palette role stands for; -1 keeps the classic value.
int paletteRole(int index)
{
    switch (index) {
    case 4:
        return QPalette::Button; // menu
    case 5:
        return QPalette::Base; // window
    case 7:
        return QPalette::WindowText; // menu text
    case 8:
        return QPalette::Text; // window text
    case 12:
        return QPalette::Dark; // application work space
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button; // button face
    case 16:
        return QPalette::Mid; // button shadow
    case 17:
        return QPalette::PlaceholderText; // grey text
    case 18:
        return QPalette::ButtonText;
    case 20:
        return QPalette::Light; // button highlight
    case 21:
        return QPalette::Shadow; // 3-D dark shadow
    case 22:
        return QPalette::Midlight; // 3-D light
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    default:
        return -1;
    }
}

struct NamedColor
{
    const char *name;
    TColor color;
};

constexpr NamedColor namedColors[] = {
    { "clblack", clBlack },
    { "clmaroon", clMaroon },
    { "clgreen", clGreen },
    { "clolive", clOlive },
    { "clnavy", clNavy },
    { "clpurple", clPurple },
    { "clteal", clTeal },
    { "clgray", clGray },
    { "clgrey", clGray },
    { "clsilver", clSilver },
    { "clred", clRed },
    { "cllime", clLime },
    { "clyellow", clYellow },
    { "clblue", clBlue },
    { "clfuchsia", clFuchsia },
    { "claqua", clAqua },
    { "clwhite", clWhite },
    { "clnone", clNone },
    { "cldefault", clDefault },
    { "clscrollbar", clScrollBar },
    { "clbackground", clBackground },
    { "clactivecaption", clActiveCaption },
    { "clinactivecaption", clInactiveCaption },
    { "clmenu", clMenu },
    { "clwindow", clWindow },
    { "clwindowframe", clWindowFrame },
    { "clmenutext", clMenuText },
    { "clwindowtext", clWindowText },
    { "clcaptiontext", clCaptionText },
    { "clactiveborder", clActiveBorder },
    { "clinactiveborder", clInactiveBorder },
    { "clappworkspace", clAppWorkSpace },
    { "clhighlight", clHighlight },
    { "clhighlighttext", clHighlightText },
    { "clbtnface", clBtnFace },
    { "clbtnshadow", clBtnShadow },
    { "clgraytext", clGrayText },
    { "clbtntext", clBtnText },
    { "clinactivecaptiontext", clInactiveCaptionText },
    { "clbtnhighlight", clBtnHighlight },
    { "cl3ddkshadow", cl3DDkShadow },
    { "cl3dlight", cl3DLight },
    { "clinfotext", clInfoText },
    { "clinfobk", clInfoBk },
};

} // namespace

std::uint32_t colorToRgb(TColor color)
{
    if (color == clNone || color == clDefault)
        return clWhite;
    if (!isSystemColor(color))
        return color & 0x00FFFFFF;
    const unsigned index = color & 0xFF;
    if (index >= classicScheme.size())
        return clBlack;
    const int role = paletteRole(int(index));
    if (role < 0 || qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return classicScheme[index];
    return fromQColor(QGuiApplication::palette().color(QPalette::ColorRole(role)));
}

bool colorByName(std::string_view name, TColor *color)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char c) { return char(std::tolower(c)); });
    for (const NamedColor &entry : namedColors) {
        if (lower == entry.name) {
            *color = entry.color;
            return true;
        }
    }
    return false;
}
