#pragma once

// Colour gradients in 64 bands, for panel backgrounds and paragraph backgrounds.

#include "platform/canvas.h"

enum class GradientDirection {
    TopToBottom,
    LeftToRight,
};

// Fills the rectangle in 64 bands (fewer when it is narrower than 64 pixels in the gradient's
// direction, as bands of no size are skipped): the first band in `from`, the last in `to`, the
// ones between in colours stepping evenly from one to the other. System colours are resolved.
void FillGradient(
    Canvas &canvas, const Rect &rect, TColor from, TColor to, GradientDirection direction);

// The colour `percent` of the way from `to` towards `from`: percent 100 gives `from`, 0 gives `to`.
TColor MixColors(TColor from, TColor to, int percent);
