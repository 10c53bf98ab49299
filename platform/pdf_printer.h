#pragma once

// A printer that writes each job as a PDF file at 600 dpi on A4 or Letter (by the user's
// locale), portrait, the whole sheet printable unless margins are set.
//
//   PdfPrinter pdf;
//   pdf.setOutputFile("/tmp/report.pdf");
//   print.setPrinter(&pdf);
//
// Without an output file a job goes to "<title without extension>.pdf" in the user's documents
// folder (home folder without one); an existing file is not overwritten: " (2)", " (3)" ...
// are appended. lastOutputFile() names the file the last job wrote.

#include "printer.h"

enum class Paper {
    A4,
    Letter,
    A3,
    A5,
    Legal,
};

class PdfPrinter : public Printer
{
public:
    PdfPrinter();
    ~PdfPrinter() override;

    // Letter for locales that use it (United States, Canada, Mexico, ...), A4 for all others.
    static Paper paperForLocale();

    void setPaper(Paper paper);
    Paper paper() const;
    // Pixels per inch (default 600); not during a job.
    void setResolution(int pixelsPerInch);
    // Unprintable border on every side in millimetres (default 0); not during a job.
    void setMarginMillimetres(double margin);
    double marginMillimetres() const;
    void setOutputFile(const std::string &path);
    std::string outputFile() const;
    std::string lastOutputFile() const;
    // The file the next job would write: the output file, or the free default name for title().
    std::string nextOutputFile() const;

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
