#include "virtual_printer.h"

#include "zan_error.h"

#include <cmath>

namespace {

// Qt keeps A4 as 595 x 842 points, so the sheet is a little off the 210 x 297 mm at 600 dpi;
// the virtual sheets match what the PDF printer reports.
int pointsToPixels(int points, int pixelsPerInch)
{
    return int(std::lround(points * double(pixelsPerInch) / 72.0));
}

} // namespace

VirtualPrinterSetup VirtualPrinterSetup::a4(int pixelsPerInch)
{
    VirtualPrinterSetup setup;
    setup.name = "Virtual A4 printer";
    setup.resolutionX = setup.resolutionY = pixelsPerInch;
    setup.paperWidth = pointsToPixels(595, pixelsPerInch);
    setup.paperHeight = pointsToPixels(842, pixelsPerInch);
    return setup;
}

VirtualPrinterSetup VirtualPrinterSetup::letter(int pixelsPerInch)
{
    VirtualPrinterSetup setup;
    setup.name = "Virtual Letter printer";
    setup.resolutionX = setup.resolutionY = pixelsPerInch;
    setup.paperWidth = pixelsPerInch * 17 / 2;
    setup.paperHeight = pixelsPerInch * 11;
    return setup;
}

struct VirtualPrinter::Private
{
    VirtualPrinterSetup setup;
    Orientation orientation = Orientation::Portrait;
    Orientation nextOrientation = Orientation::Portrait;
    std::string title;
    int copies = 1;
    bool failBegin = false;
    std::vector<VirtualPrintJob> jobs;
    std::unique_ptr<TestCanvas> canvas;
    int page = 0;

    bool landscape() const { return orientation == Orientation::Landscape; }
    int paperWidth() const { return landscape() ? setup.paperHeight : setup.paperWidth; }
    int paperHeight() const { return landscape() ? setup.paperWidth : setup.paperHeight; }
    int offsetX() const { return landscape() ? setup.offsetY : setup.offsetX; }
    int offsetY() const { return landscape() ? setup.offsetX : setup.offsetY; }

    int printableWidth() const
    {
        const int given = landscape() ? setup.printableHeight : setup.printableWidth;
        return given >= 0 ? given : paperWidth() - 2 * offsetX();
    }
    int printableHeight() const
    {
        const int given = landscape() ? setup.printableWidth : setup.printableHeight;
        return given >= 0 ? given : paperHeight() - 2 * offsetY();
    }

    void requirePrinting(const char *operation) const
    {
        if (!canvas)
            throw ZanError(std::string(operation) + ": no print job is running");
    }

    // Moves what was drawn on the current sheet into the job.
    void closePage()
    {
        VirtualPrintJob &job = jobs.back();
        job.pages.push_back(canvas->calls());
        job.orientations.push_back(orientation);
        canvas->clearCalls();
    }
};

VirtualPrinter::VirtualPrinter(VirtualPrinterSetup setup) : d(std::make_unique<Private>())
{
    d->setup = std::move(setup);
}

VirtualPrinter::~VirtualPrinter() = default;

const VirtualPrinterSetup &VirtualPrinter::setup() const
{
    return d->setup;
}

const std::vector<VirtualPrintJob> &VirtualPrinter::jobs() const
{
    return d->jobs;
}

void VirtualPrinter::failNextBeginDoc()
{
    d->failBegin = true;
}

std::string VirtualPrinter::deviceName() const
{
    return d->setup.name;
}

std::string VirtualPrinter::driverName() const
{
    return "virtual";
}

std::string VirtualPrinter::port() const
{
    return "none";
}

int VirtualPrinter::pageWidth() const
{
    return d->printableWidth();
}

int VirtualPrinter::pageHeight() const
{
    return d->printableHeight();
}

int VirtualPrinter::deviceCaps(DeviceCap cap) const
{
    const bool landscape = d->landscape();
    switch (cap) {
    case DeviceCap::LogPixelsX:
        return landscape ? d->setup.resolutionY : d->setup.resolutionX;
    case DeviceCap::LogPixelsY:
        return landscape ? d->setup.resolutionX : d->setup.resolutionY;
    case DeviceCap::PhysicalWidth:
        return d->paperWidth();
    case DeviceCap::PhysicalHeight:
        return d->paperHeight();
    case DeviceCap::PhysicalOffsetX:
        return d->offsetX();
    case DeviceCap::PhysicalOffsetY:
        return d->offsetY();
    case DeviceCap::HorizontalResolution:
        return d->printableWidth();
    case DeviceCap::VerticalResolution:
        return d->printableHeight();
    }
    return 0;
}

Orientation VirtualPrinter::orientation() const
{
    return d->orientation;
}

void VirtualPrinter::setOrientation(Orientation orientation)
{
    if (!d->setup.canChangeOrientation)
        throw ZanError("the printer cannot change the page orientation now");
    d->nextOrientation = orientation;
    if (!d->canvas)
        d->orientation = orientation;
}

std::string VirtualPrinter::title() const
{
    return d->title;
}

void VirtualPrinter::setTitle(const std::string &title)
{
    d->title = title;
}

int VirtualPrinter::copies() const
{
    return d->copies;
}

void VirtualPrinter::setCopies(int copies)
{
    d->copies = copies;
}

bool VirtualPrinter::canCopy() const
{
    return d->setup.canCopy;
}

void VirtualPrinter::beginDoc()
{
    if (d->canvas)
        throw ZanError("a print job is already running on " + d->setup.name);
    if (d->failBegin) {
        d->failBegin = false;
        throw ZanError("cannot start printing on " + d->setup.name);
    }
    d->orientation = d->nextOrientation;
    VirtualPrintJob job;
    job.title = d->title;
    job.copies = d->copies;
    d->jobs.push_back(std::move(job));
    d->canvas = std::make_unique<TestCanvas>(
        deviceCaps(DeviceCap::LogPixelsX), deviceCaps(DeviceCap::LogPixelsY));
    d->page = 1;
}

void VirtualPrinter::newPage()
{
    d->requirePrinting("new page");
    d->closePage();
    d->orientation = d->nextOrientation;
    ++d->page;
}

void VirtualPrinter::endDoc()
{
    d->requirePrinting("end of document");
    d->closePage();
    d->jobs.back().finished = true;
    d->canvas.reset();
    d->page = 0;
}

void VirtualPrinter::abort()
{
    if (!d->canvas)
        return;
    d->closePage();
    d->canvas.reset();
    d->page = 0;
}

bool VirtualPrinter::isPrinting() const
{
    return d->canvas != nullptr;
}

int VirtualPrinter::pageNumber() const
{
    return d->page;
}

Canvas &VirtualPrinter::canvas()
{
    d->requirePrinting("canvas");
    return *d->canvas;
}

std::unique_ptr<Canvas> VirtualPrinter::createMeasuringCanvas() const
{
    return std::make_unique<TestCanvas>(
        deviceCaps(DeviceCap::LogPixelsX), deviceCaps(DeviceCap::LogPixelsY));
}
