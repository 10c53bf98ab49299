#include "docview/dv_background.h"

#include "platform/mul_div.h"

TDVBackground::TDVBackground(bool createBitmap)
{
    (void)createBitmap; // the bitmap member always exists; it starts empty
}

void TDVBackground::Draw(Canvas &canvas, Rect rect, int hOffs, int vOffs, int left, int top,
    int width, int height, TColor color, bool clip) const
{
    const Bitmap &picture = PalettedCopy ? *PalettedCopy : Picture;
    if (clip) {
        canvas.save();
        canvas.intersectClipRect(rect);
        canvas.setMappingText(canvas.logicalToDevice({ rect.left, rect.top }));
    }
    rect = rect.translated(-left, -top);
    const bool hasPicture = !picture.isEmpty();
    if (color != clNone
        && (!hasPicture || IsSemitransparent() || BackStyle == bsNoBitmap
            || BackStyle == bsCentered))
        canvas.fillRect({ 0, 0, rect.width(), rect.height() }, color);
    if (hasPicture) {
        const int w = picture.width();
        const int h = picture.height();
        switch (BackStyle) {
        case bsNoBitmap:
            break;
        case bsStretched:
            canvas.stretchBitmap(Rect::fromSize(-rect.left, -rect.top, width, height), picture);
            break;
        case bsTiled:
            for (int j = rect.top / h; j <= rect.bottom / h; ++j)
                for (int i = rect.left / w; i <= rect.right / w; ++i)
                    canvas.drawBitmap(i * w - rect.left, j * h - rect.top, picture);
            break;
        case bsTiledAndScrolled:
            for (int j = (vOffs + rect.top) / h; j <= (vOffs + rect.bottom) / h; ++j)
                for (int i = (hOffs + rect.left) / w; i <= (hOffs + rect.right) / w; ++i)
                    canvas.drawBitmap(i * w - hOffs - rect.left, j * h - vOffs - rect.top, picture);
            break;
        case bsCentered:
            canvas.drawBitmap((width - w) / 2 - rect.left, (height - h) / 2 - rect.top, picture);
            break;
        }
    }
    if (clip)
        canvas.restore();
}

bool TDVBackground::ScrollRequiresFullRedraw() const
{
    return !Picture.isEmpty() && BackStyle != bsNoBitmap && BackStyle != bsTiledAndScrolled;
}

void TDVBackground::UpdatePaletted(TDVPaletteAction action)
{
    // Displays of this platform have no palette: nothing to prepare.
    (void)action;
    PalettedCopy.reset();
}

TDVItemBackgroundStyle TDVBackground::GetItemBackStyle() const
{
    switch (BackStyle) {
    case bsNoBitmap:
        return dvbsColor;
    case bsStretched:
        return dvbsStretched;
    case bsTiled:
    case bsTiledAndScrolled:
        return dvbsTiled;
    case bsCentered:
        return dvbsCentered;
    }
    return dvbsColor;
}

void TDVBackground::SetItemBackStyle(TDVItemBackgroundStyle style)
{
    switch (style) {
    case dvbsColor:
        BackStyle = bsNoBitmap;
        break;
    case dvbsStretched:
        BackStyle = bsStretched;
        break;
    case dvbsTiled:
        BackStyle = bsTiled;
        break;
    case dvbsCentered:
        BackStyle = bsCentered;
        break;
    }
}

void DV_PictureToDevice(Canvas &canvas, int x, int y, int width, int height,
    const TDVScreenAndDevice &sad, const Bitmap &picture, bool preview)
{
    // Both the preview and the printer get a smooth scaled copy of the bitmap here.
    (void)preview;
    if (picture.isEmpty())
        return;
    if (width < 0)
        width = picture.width();
    if (height < 0)
        height = picture.height();
    const Rect target = Rect::fromSize(x, y, MulDiv(width, sad.DevicePpiX, sad.ScreenPpiX),
        MulDiv(height, sad.DevicePpiY, sad.ScreenPpiY));
    canvas.stretchBitmap(target, picture);
}
