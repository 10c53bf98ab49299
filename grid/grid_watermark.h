#pragma once

#include "platform/bitmap.h"
#include "platform/color.h"

// The picture tiled behind the pedigree grid's data cells: 453 x 410 pixels in two colours, white
// and a very light pink, showing pigeons and rings. Made once and shared.
inline constexpr TColor watermarkPink = rgbColor(255, 239, 255);
inline constexpr int watermarkWidth = 453;
inline constexpr int watermarkHeight = 410;

const Bitmap &gridWatermark();
