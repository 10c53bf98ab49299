#include "docview/dv_sad.h"

#include "platform/screen.h"

void DV_InfoAboutSaD(TDVScreenAndDevice &sad, const Canvas &canvas)
{
    sad.DevicePpiX = canvas.deviceResolutionX();
    sad.DevicePpiY = canvas.deviceResolutionY();
    sad.ScreenPpiX = screenPixelsPerInchX();
    sad.ScreenPpiY = screenPixelsPerInchY();
}
