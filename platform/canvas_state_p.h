#pragma once

// State that both canvas implementations keep the same way: the current font request and
// resolution, pen, brush, colours, character extra, character map, clip and mapping. Internal
// to platform/ and to the test canvas of the tests (tests/support), which keeps its state the same
// way.

#include "canvas.h"

#include <optional>

struct Mapping
{
    bool anisotropic = false;
    Size windowExtent { 1, 1 };
    Size viewportExtent { 1, 1 };
    Point viewportOrigin;

    Point toDevice(Point logical) const;
    // Device rectangle -> logical rectangle (rounded outward).
    Rect toLogical(const Rect &device) const;
    Rect toDevice(const Rect &logical) const;
};

struct CanvasState
{
    FontSpec font;
    int fontResolution = 96;
    Pen pen;
    Brush brush;
    TColor textColor = clBlack;
    int characterExtra = 0;
    CharacterMap characterMap = CharacterMap::Windows1252;
    Point penPosition;
    Mapping mapping;
    std::optional<Rect> deviceClip; // device pixels; none = whole device
};
