#pragma once

// Canvases that only measure: a painter on a one-pixel image, reporting a chosen resolution.
// Internal to platform/.

#include "canvas.h"

#include <memory>

std::unique_ptr<Canvas> createMeasuringCanvas(int resolutionX, int resolutionY);
