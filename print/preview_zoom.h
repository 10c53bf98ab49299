#pragma once

// How the preview chooses its zoom.
enum TDVZoomMode { dvzmFullPage = 0, dvzmPageWidth = 1, dvzmCustom = 2 };

// Gap in screen pixels kept around the page by the zoom modes and the scroll area.
inline constexpr int previewPageGap = 40;

// Zoom percent at which the whole page fits the control: the smaller of the two ratios of the
// control's outer size, less a scroll bar and the gap, to the page's size at 100 %.
int fullPageZoomPercent(
    int outerWidth, int outerHeight, int scrollBarExtent, int pageWidth100, int pageHeight100);

// Zoom percent at which the page width fits the client width less the gap.
int pageWidthZoomPercent(int clientWidth, int pageWidth100);

// Page size in screen pixels at `percent`.
int zoomedLength(int length100, int percent);

struct PreviewScrollArea
{
    int width = 0;
    int height = 0;
};

// Scroll area for the zoom mode: nothing to scroll at full page, the page height at page width,
// and the page with its gap in both directions at a custom zoom.
PreviewScrollArea previewScrollArea(TDVZoomMode mode, int zoomedWidth, int zoomedHeight);

// The percent a click switches to: back to `altPercent` from 100 %, else 100 %.
int clickZoomTarget(int percent, int altPercent);

// True when a click would enlarge the page (the zoom-in cursor is shown).
bool clickZoomsIn(int percent, int altPercent);

// Left (or top) of the page centred in an area of `areaLength`, truncated towards zero.
int centredPageOrigin(int areaLength, int zoomedLength);
