#include "window_fonts.h"

#include "platform/fonts.h"

#include <algorithm>

QFont windowFont(std::string_view face, int pixelSize, bool bold)
{
    const FaceMapping mapping = faceMapping(face);
    QFont font(QString::fromStdString(mapping.family));
    font.setPixelSize(std::max(1, (pixelSize * mapping.sizePercent + 50) / 100));
    font.setBold(bold);
    if (mapping.fixedPitch)
        font.setStyleHint(QFont::Monospace);
    return font;
}
