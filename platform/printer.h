#pragma once

// A printer: what page formatting measures against and the print job draws on. Whoever formats
// or prints is handed one: a system printer, a PdfPrinter or a test printer.
//
//   std::unique_ptr<Printer> printer = createDefaultPrinter();     // null without any
//   int ppi = printer->deviceCaps(DeviceCap::LogPixelsY);          // 600
//   std::unique_ptr<Canvas> measure = printer->createMeasuringCanvas();
//   printer->setTitle("pedigree.csv");
//   printer->beginDoc();
//   draw(printer->canvas());  printer->newPage();  draw(printer->canvas());
//   printer->endDoc();                                            // one job, two sheets
//
// Sizes are device pixels: pageWidth() x pageHeight() is the printable area, which starts at
// (PhysicalOffsetX, PhysicalOffsetY) on the sheet of PhysicalWidth x PhysicalHeight. The canvas
// of a job has its origin at the top-left of the printable area.

#include "canvas.h"

#include <memory>
#include <string>
#include <vector>

enum class DeviceCap {
    LogPixelsX, // pixels per inch across
    LogPixelsY, // pixels per inch down
    PhysicalWidth, // sheet width, device pixels
    PhysicalHeight, // sheet height, device pixels
    PhysicalOffsetX, // left edge of the printable area on the sheet, device pixels
    PhysicalOffsetY, // top edge of the printable area on the sheet, device pixels
    HorizontalResolution, // printable width (pageWidth)
    VerticalResolution, // printable height (pageHeight)
};

enum class Orientation {
    Portrait,
    Landscape,
};

class Printer
{
public:
    virtual ~Printer() = default;

    virtual std::string deviceName() const = 0;
    virtual std::string driverName() const = 0;
    virtual std::string port() const = 0;

    // Printable area in device pixels.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int deviceCaps(DeviceCap cap) const = 0;
    virtual Orientation orientation() const = 0;
    // Takes effect from the next page (or the next job); throws ZanError if not supported.
    virtual void setOrientation(Orientation orientation) = 0;

    virtual std::string title() const = 0;
    virtual void setTitle(const std::string &title) = 0;
    virtual int copies() const = 0;
    virtual void setCopies(int copies) = 0;
    // True when the driver makes the copies itself (the job is then drawn once).
    virtual bool canCopy() const = 0;

    // One beginDoc/endDoc pair is one job under title(); newPage() starts the next sheet.
    // beginDoc while a job runs, and newPage/endDoc/canvas without one, throw ZanError, as does
    // a device that cannot start a job (message names the printer or file).
    virtual void beginDoc() = 0;
    virtual void newPage() = 0;
    virtual void endDoc() = 0;
    // Ends a job without finishing it; nothing is printed (a PDF file is removed). No-op idle.
    virtual void abort() = 0;
    virtual bool isPrinting() const = 0;
    // 1-based number of the sheet being drawn; 0 when idle.
    virtual int pageNumber() const = 0;
    // The canvas of the running job (device pixels of the printable area, font resolution =
    // LogPixelsY), valid for the whole job; each newPage() gives a fresh sheet on it.
    virtual Canvas &canvas() = 0;

    // A canvas that measures text exactly as this printer prints it (same resolution and
    // fonts); drawing on it draws nothing. Usable at any time, also during a job.
    virtual std::unique_ptr<Canvas> createMeasuringCanvas() const = 0;
};

// The system's default printer; null when the system has none.
std::unique_ptr<Printer> createDefaultPrinter();
// Names of the printers the system offers (empty without any).
std::vector<std::string> availablePrinterNames();
// Name of the system's default printer; empty when it has none.
std::string defaultPrinterName();
// A printer object for a system printer by name; throws ZanError for an unknown name.
std::unique_ptr<Printer> createSystemPrinter(const std::string &name);
