#pragma once

// Fonts realised for the Qt canvases, shared by every canvas of the process. Internal to
// platform/.

#include "canvas.h"

#include <QFont>
#include <QString>

#include <array>
#include <memory>

// A font request turned into a Qt font, with its metrics and the advance of every byte. Widths
// are sums of the fractional advances, rounded once, so they grow linearly with the text.
struct RealisedFont
{
    QFont font;
    TextMetrics metrics;
    std::array<double, 256> advances {};
    CharacterMap map = CharacterMap::Windows1252;

    // Width of the text without character extra, before rounding.
    double exactWidth(std::string_view text) const;
    // The text as characters of the font's character map.
    QString toQString(std::string_view text) const;
};

// The realised font for a request at a font resolution; the same request always yields the same
// object, so measurement never changes between calls.
std::shared_ptr<const RealisedFont> realiseFont(
    const FontSpec &font, int fontResolution, CharacterMap map);
