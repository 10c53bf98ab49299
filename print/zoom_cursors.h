#pragma once

#include <string>
#include <vector>

class QCursor;

// Application cursor numbers of the preview's zoom cursors.
inline constexpr int crZoomIn = 102;
inline constexpr int crZoomOut = 103;

// Hot spot of both zoom cursors: the centre of the magnifying glass's lens.
inline constexpr int zoomCursorHotX = 7;
inline constexpr int zoomCursorHotY = 7;
inline constexpr int zoomCursorSize = 32;

// The 32 x 32 picture of a zoom cursor, one string per row: '#' black, '.' white, ' ' transparent.
// A magnifying glass with a plus sign (zoom in) or a minus sign (zoom out) in its lens.
std::vector<std::string> zoomCursorPattern(bool zoomIn);

// Registers the two zoom cursors as application cursors crZoomIn and crZoomOut (again on every
// call, as each preview does when it is constructed).
void registerZoomCursors();

// Stores `cursor` as application cursor number `id`.
void setApplicationCursor(int id, const QCursor &cursor);

// The application cursor number `id`; the arrow for an unknown number.
QCursor applicationCursor(int id);
