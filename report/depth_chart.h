#pragma once

#include "platform/canvas.h"

struct pedigree_depth;
class TCustomDVPrint;

// The pedigree depth chart: the completeness of every generation as bars against the left scale
// (0 to 100 %) and the inbreeding by depth as a line against the right scale, with the generation
// numbers below, the scales' values, their titles and a legend above.
//
// The report reserves a block of blank lines for it on the depth page; the page drawing fills the
// block (drawOnPage, from the print component's page post-paint hook), so the same code draws
// the chart in the preview, in a PDF and on a printer. The text output leaves the block out.
namespace DepthChart {
// Lines of the block and the tag its document items carry.
constexpr int ReservedLines = 30;
constexpr int ReservedTag = 0x44455054;

// Geometry of the chart in the canvas's units (device pixels of the page), from the area it
// fills and the size of its text.
//
//   area.top  legend, then the scales' titles
//             +------------------------+   plot: bars and line
//        100  |  #     #               |  2.5
//          0  +------------------------+  0
//             1  2  3 ... generation numbers, then "GENERATION"
struct Layout
{
    Rect plot;
    int textHeight = 0;
    int slot = 0; // plot width per generation
    int labelEvery = 1; // generation numbers under every n-th bar
    double inbreedingTop = 1.0; // percentage at the top of the right scale
};

// The smallest of 1, 2, 2.5, 5 times a power of ten (from 1 %) at or above the percentage, at
// most 100: the top of a scale.
double scaleTop(double percent);

Layout layOut(const Rect &area, int textHeight, int digitWidth, const pedigree_depth &depth);

// Draws the chart into `area`; nothing for figures without generations or an empty area.
void draw(Canvas &canvas, const Rect &area, const pedigree_depth &depth);

// Draws the chart over the reserved lines that page `page` of the print copy holds, if any.
void drawOnPage(TCustomDVPrint &print, int page, Canvas &canvas, const pedigree_depth &depth);
} // namespace DepthChart
