#pragma once

// The view's background: its colour fill and an optional bitmap placed by TBackgroundStyle.

#include "docview/dv_sad.h"
#include "docview/dv_types.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <optional>

class TDVBackground
{
public:
    explicit TDVBackground(bool createBitmap = true);

    Bitmap &GetBitmap() { return Picture; }
    const Bitmap &GetBitmap() const { return Picture; }

    // The background picture (the view's BackgroundBitmap).
    Bitmap Picture;
    TBackgroundStyle BackStyle = bsNoBitmap;
    // Copy prepared for palette displays; this platform has none, so it stays empty.
    std::optional<Bitmap> PalettedCopy;

    // Paints the part `rect` of the area (0, 0, width, height); the canvas origin stands for
    // rect's top-left corner. hOffs and vOffs are the document's scroll offsets (pixels), used
    // by bsTiledAndScrolled. color clNone fills nothing.
    void Draw(Canvas &canvas, Rect rect, int hOffs, int vOffs, int left, int top, int width,
        int height, TColor color, bool clip) const;
    // True when the bitmap does not move with the document, so scrolling must repaint all.
    bool ScrollRequiresFullRedraw() const;
    void UpdatePaletted(TDVPaletteAction action);
    bool Empty() const { return Picture.isEmpty(); }
    void FreeImage() { Picture = Bitmap(); }
    void AssignImage(const Bitmap &image) { Picture = image; }
    bool IsSemitransparent() const { return false; }
    TDVItemBackgroundStyle GetItemBackStyle() const;
    void SetItemBackStyle(TDVItemBackgroundStyle style);
};

// Puts a screen-resolution bitmap on a device canvas at (x, y), scaled from screen to device
// resolution; width or height below 0 means the bitmap's own.
void DV_PictureToDevice(Canvas &canvas, int x, int y, int width, int height,
    const TDVScreenAndDevice &sad, const Bitmap &picture, bool preview);
