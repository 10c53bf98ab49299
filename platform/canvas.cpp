#include "canvas.h"

#include "bitmap.h"

#include <algorithm>

Rect Rect::intersected(const Rect &other) const
{
    const Rect result { std::max(left, other.left), std::max(top, other.top),
        std::min(right, other.right), std::min(bottom, other.bottom) };
    if (result.isEmpty())
        return {};
    return result;
}

Size Canvas::textExtent(std::string_view text) const
{
    return { textWidth(text), textMetrics().height };
}

void Canvas::fillRect(const Rect &rect, TColor color)
{
    const Brush old = brush();
    setBrush({ BrushStyle::Solid, color });
    fillRect(rect);
    setBrush(old);
}

void Canvas::frame3D(Rect &rect, TColor topLeft, TColor bottomRight, int width)
{
    const Pen old = pen();
    for (int ring = 0; ring < width; ++ring) {
        const int right = rect.right - 1;
        const int bottom = rect.bottom - 1;
        setPen({ PenStyle::Solid, 1, topLeft });
        polyline({ { rect.left, bottom }, { rect.left, rect.top }, { right, rect.top } });
        setPen({ PenStyle::Solid, 1, bottomRight });
        polyline({ { right, rect.top }, { right, bottom }, { rect.left - 1, bottom } });
        rect = { rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1 };
    }
    setPen(old);
}

void Canvas::tileBitmap(const Rect &area, const Bitmap &bitmap, int originX, int originY)
{
    const int tileWidth = bitmap.width();
    const int tileHeight = bitmap.height();
    if (bitmap.isEmpty() || area.isEmpty())
        return;
    auto firstTile = [](int start, int origin, int size) {
        int offset = (start - origin) % size;
        if (offset < 0)
            offset += size;
        return start - offset;
    };
    for (int y = firstTile(area.top, originY, tileHeight); y < area.bottom; y += tileHeight) {
        for (int x = firstTile(area.left, originX, tileWidth); x < area.right; x += tileWidth) {
            const Rect tile = Rect::fromSize(x, y, tileWidth, tileHeight);
            const Rect visible = tile.intersected(area);
            const Rect source = visible.translated(-x, -y);
            drawBitmapPart(visible, bitmap, source);
        }
    }
}
