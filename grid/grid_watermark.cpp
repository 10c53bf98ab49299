#include "grid/grid_watermark.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

struct Vertex
{
    double x;
    double y;
};

// A pigeon seen from the side, facing left, in a 120 x 100 box.
const std::vector<Vertex> &pigeonOutline()
{
    static const std::vector<Vertex> outline { { 4, 31 }, { 12, 22 }, { 20, 16 }, { 29, 16 },
        { 35, 22 }, { 38, 32 }, { 47, 38 }, { 62, 40 }, { 78, 43 }, { 95, 50 }, { 116, 56 },
        { 118, 64 }, { 104, 66 }, { 88, 70 }, { 72, 76 }, { 56, 79 }, { 50, 81 }, { 49, 92 },
        { 45, 92 }, { 44, 81 }, { 38, 79 }, { 27, 70 }, { 20, 58 }, { 18, 46 }, { 17, 37 },
        { 11, 35 } };
    return outline;
}

bool insidePolygon(const std::vector<Vertex> &polygon, double x, double y)
{
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Vertex &a = polygon[i];
        const Vertex &b = polygon[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

// The pigeon with a white eye and a white wing line, so the shape reads as a bird.
bool onPigeon(double x, double y)
{
    if (!insidePolygon(pigeonOutline(), x, y))
        return false;
    if (std::hypot(x - 24, y - 23) < 2.2)
        return false;
    const double wing = 44 + (x - 50) * 0.35;
    return !(x > 50 && x < 100 && std::abs(y - wing) < 1.2);
}

// A leg ring: an elliptic band.
bool onRing(double x, double y)
{
    const double dx = x / 22.0;
    const double dy = y / 14.0;
    const double r = std::sqrt(dx * dx + dy * dy);
    return r > 0.78 && r < 1.0;
}

struct Placement
{
    int left;
    int top;
};

// Three pigeons and three rings per tile, staggered so the tiling shows no seams.
constexpr std::array<Placement, 3> pigeons { { { 20, 30 }, { 250, 110 }, { 100, 250 } } };
constexpr std::array<Placement, 3> rings { { { 190, 40 }, { 400, 220 }, { 330, 340 } } };

bool isPink(int x, int y)
{
    for (const Placement &p : pigeons) {
        if (x >= p.left && x < p.left + 120 && y >= p.top && y < p.top + 100
            && onPigeon(x - p.left + 0.5, y - p.top + 0.5))
            return true;
    }
    for (const Placement &p : rings) {
        if (onRing(x - p.left + 0.5, y - p.top + 0.5))
            return true;
    }
    return false;
}

Bitmap makeWatermark()
{
    Bitmap picture(watermarkWidth, watermarkHeight, clWhite);
    for (int y = 0; y < watermarkHeight; ++y) {
        for (int x = 0; x < watermarkWidth; ++x) {
            if (isPink(x, y))
                picture.setPixel(x, y, watermarkPink);
        }
    }
    return picture;
}

} // namespace

const Bitmap &gridWatermark()
{
    static const Bitmap picture = makeWatermark();
    return picture;
}
