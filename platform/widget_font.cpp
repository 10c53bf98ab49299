#include "widget_font.h"

#include "fonts.h"
#include "screen.h"

#include <QFont>

QFont widgetFont(const FontSpec &font)
{
    const FaceMapping mapping = faceMapping(font.face);
    QFont result(QString::fromStdString(mapping.family));
    result.setPixelSize(fontPixelSize(font, screenPixelsPerInchY()));
    result.setBold(font.style.has(FontStyle::Bold));
    result.setItalic(font.style.has(FontStyle::Italic));
    if (mapping.fixedPitch)
        result.setStyleHint(QFont::Monospace);
    return result;
}

QFont widgetFont(std::string_view face, int pixelHeight, bool bold)
{
    FontSpec font(std::string(face), 0, bold ? FontStyles(FontStyle::Bold) : FontStyles());
    font.pixelHeight = pixelHeight;
    return widgetFont(font);
}
