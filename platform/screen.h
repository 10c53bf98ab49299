#pragma once

// The screen side of every screen-to-device conversion.
//
//   int ppi = screenPixelsPerInchY();                   // 96 offscreen and on most displays
//   std::unique_ptr<Canvas> c = createScreenCanvas();   // measures as the screen shows text
//
// Without a QGuiApplication the screen is taken as 96 pixels per inch.

#include "canvas.h"

#include <memory>

// Logical pixels per inch of the primary screen.
int screenPixelsPerInchX();
int screenPixelsPerInchY();

// Width of a vertical scroll bar (= height of a horizontal one) in screen pixels.
int scrollBarExtent();

// A screen-compatible canvas for measuring outside a paint event (drawing on it shows nothing).
std::unique_ptr<Canvas> createScreenCanvas();
