#pragma once

#include "docview/dv_types.h"

#include <functional>
#include <string>
#include <vector>

class Canvas;
class Printer;

// The order in which a print job draws its pages: `copies` rounds of `first` .. `last` when
// collated, else each page `copies` times in a row. A new page is started between two entries,
// never after the last. Page numbers are passed through unchecked.
std::vector<int> printPageOrder(int first, int last, int copies, bool collate);

// Draws one page (1-based number, possibly out of range) on the printer's canvas.
using PrintPageDrawer = std::function<void(int page, Canvas &canvas)>;
// Progress of a job: (0, dvpsStarting), (page, dvpsProceeding) after each drawn page, then
// (0, dvpsFinished).
using PrintProgress = std::function<void(int pageCompleted, TDVPrintingStep step)>;

// Sends pages `first` .. `last` to `printer` as one job titled `title`. When the printer makes
// copies itself it is asked for `copies` and each page is drawn once; otherwise the pages are
// drawn `copies` times, collated or not. The printer's own copy count is put back afterwards.
//
// When drawing a page fails the job is aborted (nothing half-printed is left open), the copy
// count is put back and the error reaches the caller without the finishing event. Errors of
// the printer itself (no printer, a job already running) also reach the caller.
void printPageRange(Printer &printer, int first, int last, const std::string &title, int copies,
    bool collate, const PrintPageDrawer &drawPage, const PrintProgress &progress);

// Draws `pageCount` pages into a job the caller has begun, with a new page before each page
// after the first; no events, no beginDoc or endDoc.
void printContinuously(Printer &printer, int pageCount, const PrintPageDrawer &drawPage);
