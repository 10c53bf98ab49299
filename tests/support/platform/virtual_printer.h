#pragma once

// A printer for tests: any sheet, resolution and unprintable border; its canvases are
// TestCanvas objects (fixed font metrics), and every job is kept with its pages' draw calls.
//
//   VirtualPrinterSetup setup = VirtualPrinterSetup::a4(600);     // 4958 x 7017, offsets 0
//   setup.offsetX = setup.offsetY = 100;                          // printable area shrinks
//   auto printer = std::make_unique<VirtualPrinter>(setup);
//   VirtualPrinter *vp = printer.get();
//   print.setPrinter(printer.get());
//   ... print ...
//   vp->jobs()[0].pages.size();                                    // sheets of the first job

#include "printer.h"
#include "test_canvas.h"

struct VirtualPrinterSetup
{
    std::string name = "Virtual printer";
    int resolutionX = 600;
    int resolutionY = 600;
    int paperWidth = 4958; // device pixels
    int paperHeight = 7017;
    int offsetX = 0; // printable area's left and top on the sheet
    int offsetY = 0;
    int printableWidth = -1; // -1: paper less the offset on both sides
    int printableHeight = -1;
    bool canCopy = false;
    bool canChangeOrientation = true;

    // Sheets as a PDF printer gives them at this resolution: A4 595 x 842 points, Letter
    // 8.5 x 11 inches.
    static VirtualPrinterSetup a4(int pixelsPerInch = 600);
    static VirtualPrinterSetup letter(int pixelsPerInch = 600);
};

struct VirtualPrintJob
{
    std::string title;
    int copies = 1;
    bool finished = false; // false when aborted or still running
    std::vector<std::vector<DrawCall>> pages;
    std::vector<Orientation> orientations; // per page
};

class VirtualPrinter : public Printer
{
public:
    explicit VirtualPrinter(VirtualPrinterSetup setup = {});
    ~VirtualPrinter() override;

    const VirtualPrinterSetup &setup() const;
    const std::vector<VirtualPrintJob> &jobs() const;
    // The next beginDoc throws ZanError (a printer that refuses the job).
    void failNextBeginDoc();

    std::string deviceName() const override;
    std::string driverName() const override;
    std::string port() const override;
    int pageWidth() const override;
    int pageHeight() const override;
    int deviceCaps(DeviceCap cap) const override;
    Orientation orientation() const override;
    void setOrientation(Orientation orientation) override;
    std::string title() const override;
    void setTitle(const std::string &title) override;
    int copies() const override;
    void setCopies(int copies) override;
    bool canCopy() const override;
    void beginDoc() override;
    void newPage() override;
    void endDoc() override;
    void abort() override;
    bool isPrinting() const override;
    int pageNumber() const override;
    Canvas &canvas() override;
    std::unique_ptr<Canvas> createMeasuringCanvas() const override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
