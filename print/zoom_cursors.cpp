#include "zoom_cursors.h"

#include <QBitmap>
#include <QCursor>
#include <QImage>

#include <cmath>
#include <map>

namespace {

// Lens ring radii and the handle's line, in cursor pixels around the hot spot.
constexpr double lensInner = 4.6;
constexpr double lensOuter = 6.4;
constexpr double outlineWidth = 1.0;
constexpr double handleStart = 11.0; // the handle runs diagonally from (start, start)
constexpr double handleEnd = 18.0; // to (end, end)
constexpr double handleHalfWidth = 1.5;

double distanceToHandle(double x, double y)
{
    // Projection onto the diagonal segment from (handleStart, handleStart) to (handleEnd, handleEnd).
    double t = ((x - handleStart) + (y - handleStart)) / 2.0;
    t = std::clamp(t, 0.0, handleEnd - handleStart);
    const double px = handleStart + t;
    const double py = handleStart + t;
    return std::hypot(x - px, y - py);
}

bool isSign(int x, int y, bool zoomIn)
{
    const int dx = x - zoomCursorHotX;
    const int dy = y - zoomCursorHotY;
    const bool bar = dy == 0 && std::abs(dx) <= 3;
    const bool post = dx == 0 && std::abs(dy) <= 3;
    return bar || (zoomIn && post);
}

char cursorPixel(int x, int y, bool zoomIn)
{
    const double r = std::hypot(x - zoomCursorHotX, y - zoomCursorHotY);
    const double handle = distanceToHandle(x, y);
    if ((r >= lensInner && r <= lensOuter) || handle <= handleHalfWidth)
        return '#';
    if (r < lensInner)
        return isSign(x, y, zoomIn) ? '#' : '.';
    if (r <= lensOuter + outlineWidth || handle <= handleHalfWidth + outlineWidth)
        return '.';
    return ' ';
}

QCursor makeCursor(bool zoomIn)
{
    const std::vector<std::string> rows = zoomCursorPattern(zoomIn);
    QImage bits(zoomCursorSize, zoomCursorSize, QImage::Format_Mono);
    QImage mask(zoomCursorSize, zoomCursorSize, QImage::Format_Mono);
    bits.fill(0);
    mask.fill(0);
    for (int y = 0; y < zoomCursorSize; ++y) {
        for (int x = 0; x < zoomCursorSize; ++x) {
            const char c = rows[y][x];
            bits.setPixel(x, y, c == '#' ? 1 : 0);
            mask.setPixel(x, y, c == ' ' ? 0 : 1);
        }
    }
    return QCursor(
        QBitmap::fromImage(bits), QBitmap::fromImage(mask), zoomCursorHotX, zoomCursorHotY);
}

std::map<int, QCursor> &cursorTable()
{
    static std::map<int, QCursor> table;
    return table;
}

} // namespace

std::vector<std::string> zoomCursorPattern(bool zoomIn)
{
    std::vector<std::string> rows(zoomCursorSize, std::string(zoomCursorSize, ' '));
    for (int y = 0; y < zoomCursorSize; ++y)
        for (int x = 0; x < zoomCursorSize; ++x)
            rows[y][x] = cursorPixel(x, y, zoomIn);
    return rows;
}

void registerZoomCursors()
{
    setApplicationCursor(crZoomIn, makeCursor(true));
    setApplicationCursor(crZoomOut, makeCursor(false));
}

void setApplicationCursor(int id, const QCursor &cursor)
{
    cursorTable()[id] = cursor;
}

QCursor applicationCursor(int id)
{
    const auto found = cursorTable().find(id);
    if (found == cursorTable().end())
        return QCursor(Qt::ArrowCursor);
    return found->second;
}
