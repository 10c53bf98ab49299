#include "canvas_state_p.h"

#include <algorithm>
#include <cmath>

namespace {

int scaleToDevice(int value, int viewport, int window)
{
    return int(std::floor(double(value) * viewport / window + 0.5));
}

} // namespace

Point Mapping::toDevice(Point logical) const
{
    if (!anisotropic)
        return { logical.x + viewportOrigin.x, logical.y + viewportOrigin.y };
    return { viewportOrigin.x + scaleToDevice(logical.x, viewportExtent.width, windowExtent.width),
        viewportOrigin.y + scaleToDevice(logical.y, viewportExtent.height, windowExtent.height) };
}

Rect Mapping::toDevice(const Rect &logical) const
{
    const Point topLeft = toDevice(Point { logical.left, logical.top });
    const Point bottomRight = toDevice(Point { logical.right, logical.bottom });
    return { std::min(topLeft.x, bottomRight.x), std::min(topLeft.y, bottomRight.y),
        std::max(topLeft.x, bottomRight.x), std::max(topLeft.y, bottomRight.y) };
}

Rect Mapping::toLogical(const Rect &device) const
{
    if (!anisotropic)
        return device.translated(-viewportOrigin.x, -viewportOrigin.y);
    auto back = [](int value, int origin, int viewport, int window, bool up) {
        const double exact = double(value - origin) * window / viewport;
        return int(up ? std::ceil(exact) : std::floor(exact));
    };
    const int x1
        = back(device.left, viewportOrigin.x, viewportExtent.width, windowExtent.width, false);
    const int x2
        = back(device.right, viewportOrigin.x, viewportExtent.width, windowExtent.width, true);
    const int y1
        = back(device.top, viewportOrigin.y, viewportExtent.height, windowExtent.height, false);
    const int y2
        = back(device.bottom, viewportOrigin.y, viewportExtent.height, windowExtent.height, true);
    return { std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2) };
}
