#pragma once

// Fonts of window controls (buttons, labels, the cell editor) by the face names the windows'
// designs ask for, realised by the installed families that stand in for them.
//
//   button->setFont(widgetFont("Times New Roman", 19, true));

#include "canvas.h"

#include <string_view>

class QFont;

// The font of a request: the installed family of its face, the em height fontPixelSize gives at
// the screen's resolution, bold and italic as asked.
QFont widgetFont(const FontSpec &font);
// The same for a face at a pixel height.
QFont widgetFont(std::string_view face, int pixelHeight, bool bold = false);
