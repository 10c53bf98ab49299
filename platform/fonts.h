#pragma once

// How the faces the system asks for are realised by installed fonts.
//
//   FaceMapping m = faceMapping("Crystal");   // {"DejaVu Sans Mono", 80, fixed pitch}
//   int em = fontPixelSize({"Crystal", 9}, 600);   // 60: 80 % of MulDiv(9, 600, 72) = 75
//   bool ok = faceHasCharacter("Crystal", U'\u2502');
//
//   face             installed family    size
//   Crystal          DejaVu Sans Mono    80 % (narrow and short enough for the report)
//   Courier New      DejaVu Sans Mono    100 %
//   Times New Roman  DejaVu Serif Cond.  94 % (as narrow as the face it stands for)
//   Arial            DejaVu Sans         100 %
//   MS Sans Serif    DejaVu Sans         100 %
//   any other face   DejaVu Sans         100 %
// Face names are compared without regard to case.

#include "canvas.h"

#include <string>
#include <string_view>

struct FaceMapping
{
    std::string family;
    int sizePercent = 100;
    bool fixedPitch = false;
};

FaceMapping faceMapping(std::string_view face);

// The em height in pixels a font request gets at a font resolution (pixels per inch): the
// nominal size (pixelHeight, or MulDiv(points, resolution, 72)) scaled by the face's percentage,
// rounded, at least 1.
int fontPixelSize(const FontSpec &font, int fontResolution);

// The family the font system really uses for the face (to detect a missing font).
std::string resolvedFamily(std::string_view face);

// True when the face's own font has a glyph for the character (fallback fonts do not count).
bool faceHasCharacter(std::string_view face, char32_t character);
