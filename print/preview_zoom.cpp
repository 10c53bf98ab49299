#include "preview_zoom.h"

#include "platform/mul_div.h"

#include <algorithm>

int fullPageZoomPercent(
    int outerWidth, int outerHeight, int scrollBarExtent, int pageWidth100, int pageHeight100)
{
    const int zx = MulDiv(outerWidth - scrollBarExtent - previewPageGap, 100, pageWidth100);
    const int zy = MulDiv(outerHeight - scrollBarExtent - previewPageGap, 100, pageHeight100);
    return std::min(zx, zy);
}

int pageWidthZoomPercent(int clientWidth, int pageWidth100)
{
    return MulDiv(clientWidth - previewPageGap, 100, pageWidth100);
}

int zoomedLength(int length100, int percent)
{
    return MulDiv(length100, percent, 100);
}

PreviewScrollArea previewScrollArea(TDVZoomMode mode, int zoomedWidth, int zoomedHeight)
{
    switch (mode) {
    case dvzmFullPage:
        return { 10, 10 };
    case dvzmPageWidth:
        return { 10, zoomedHeight + previewPageGap };
    case dvzmCustom:
        return { zoomedWidth + previewPageGap, zoomedHeight + previewPageGap };
    }
    return { 10, 10 };
}

int clickZoomTarget(int percent, int altPercent)
{
    return percent == 100 ? altPercent : 100;
}

bool clickZoomsIn(int percent, int altPercent)
{
    return clickZoomTarget(percent, altPercent) > percent;
}

int centredPageOrigin(int areaLength, int zoomedLength)
{
    return (areaLength - zoomedLength) / 2;
}
