#pragma once

// The resolution record: converts lengths between screen pixels (the unit of every style metric,
// margin and indent) and the pixels of the device being formatted for (a printer, or the screen
// itself, where every conversion is the identity).

#include "platform/canvas.h"
#include "platform/mul_div.h"

struct TDVScreenAndDevice
{
    int ScreenPpiX = 96;
    int ScreenPpiY = 96;
    int DevicePpiX = 96;
    int DevicePpiY = 96;
    // The data object's left and right margins in device pixels; filled by formatting.
    int DeviceLeftMargin = 0;
    int DeviceRightMargin = 0;
};

// Screen pixels -> device pixels (MulDiv rounding).
inline int DV_XToDevice(int x, const TDVScreenAndDevice &sad)
{
    return MulDiv(x, sad.DevicePpiX, sad.ScreenPpiX);
}
inline int DV_YToDevice(int y, const TDVScreenAndDevice &sad)
{
    return MulDiv(y, sad.DevicePpiY, sad.ScreenPpiY);
}
// Device pixels -> screen pixels (MulDiv rounding).
inline int DV_XToScreen(int x, const TDVScreenAndDevice &sad)
{
    return MulDiv(x, sad.ScreenPpiX, sad.DevicePpiX);
}
inline int DV_YToScreen(int y, const TDVScreenAndDevice &sad)
{
    return MulDiv(y, sad.ScreenPpiY, sad.DevicePpiY);
}
inline Rect DV_RectToScreen(const Rect &rect, const TDVScreenAndDevice &sad)
{
    return { DV_XToScreen(rect.left, sad), DV_YToScreen(rect.top, sad),
        DV_XToScreen(rect.right, sad), DV_YToScreen(rect.bottom, sad) };
}

// Fills the device resolutions from the canvas's logical pixels per inch and the screen
// resolutions from the screen; the margins are left alone.
void DV_InfoAboutSaD(TDVScreenAndDevice &sad, const Canvas &canvas);
