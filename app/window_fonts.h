#pragma once

#include <QFont>

#include <string_view>

// A window font by the face name the design asks for ("Times New Roman", "MS Sans Serif",
// "Crystal"), realised by the installed family that stands in for it, at a pixel height.
QFont windowFont(std::string_view face, int pixelSize, bool bold = false);
