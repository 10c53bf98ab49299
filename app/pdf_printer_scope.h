#pragma once

#include "app/command_line.h"

#include <memory>
#include <string>

class PdfPrinter;
class Printer;

// Makes a PDF printer of the chosen paper and resolution the current printer for the lifetime of
// the object, then puts the previous printer back. With an empty file name nothing is printed to
// a file; the printer then only gives the page geometry.
class PdfPrinterScope
{
public:
    explicit PdfPrinterScope(const ReportOptions &options);
    ~PdfPrinterScope();

    PdfPrinterScope(const PdfPrinterScope &) = delete;
    PdfPrinterScope &operator=(const PdfPrinterScope &) = delete;

    PdfPrinter &printer() { return *m_printer; }

private:
    PdfPrinter *m_printer = nullptr;
    std::unique_ptr<Printer> m_previous;
};
