#include "print_job.h"

#include "platform/printer.h"

#include <cstddef>

std::vector<int> printPageOrder(int first, int last, int copies, bool collate)
{
    std::vector<int> order;
    if (collate) {
        for (int copy = 1; copy <= copies; ++copy)
            for (int page = first; page <= last; ++page)
                order.push_back(page);
        return order;
    }
    for (int page = first; page <= last; ++page)
        for (int copy = 1; copy <= copies; ++copy)
            order.push_back(page);
    return order;
}

namespace {

void report(const PrintProgress &progress, int page, TDVPrintingStep step)
{
    if (progress)
        progress(page, step);
}

// Draws the pages of a begun job; aborts the job when a page cannot be drawn.
void drawJobPages(Printer &printer, const std::vector<int> &order, const PrintPageDrawer &drawPage,
    const PrintProgress &progress)
{
    try {
        for (std::size_t i = 0; i < order.size(); ++i) {
            drawPage(order[i], printer.canvas());
            report(progress, order[i], dvpsProceeding);
            if (i + 1 < order.size())
                printer.newPage();
        }
    } catch (...) {
        printer.abort();
        throw;
    }
}

} // namespace

void printPageRange(Printer &printer, int first, int last, const std::string &title, int copies,
    bool collate, const PrintPageDrawer &drawPage, const PrintProgress &progress)
{
    report(progress, 0, dvpsStarting);
    printer.setTitle(title);
    const int savedCopies = printer.copies();
    int copiesToDraw = copies;
    if (printer.canCopy()) {
        printer.setCopies(copies);
        copiesToDraw = 1;
    } else {
        printer.setCopies(1);
    }
    try {
        printer.beginDoc();
        drawJobPages(
            printer, printPageOrder(first, last, copiesToDraw, collate), drawPage, progress);
        printer.endDoc();
    } catch (...) {
        printer.setCopies(savedCopies);
        throw;
    }
    printer.setCopies(savedCopies);
    report(progress, 0, dvpsFinished);
}

void printContinuously(Printer &printer, int pageCount, const PrintPageDrawer &drawPage)
{
    for (int page = 1; page <= pageCount; ++page) {
        if (page > 1)
            printer.newPage();
        drawPage(page, printer.canvas());
    }
}
