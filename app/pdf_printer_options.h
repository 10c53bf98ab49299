#pragma once

#include "app/command_line.h"

#include <memory>

class PdfPrinter;
class Printer;

// Makes a printer the current printer for the lifetime of the object, then puts the previous
// printer back.
class CurrentPrinterScope
{
public:
    explicit CurrentPrinterScope(std::unique_ptr<Printer> printer);
    ~CurrentPrinterScope();

    CurrentPrinterScope(const CurrentPrinterScope &) = delete;
    CurrentPrinterScope &operator=(const CurrentPrinterScope &) = delete;

private:
    std::unique_ptr<Printer> m_previous;
};

// A PDF printer of the paper and resolution the options choose. With an empty PDF file name
// nothing is printed to a file; the printer then only gives the page geometry.
std::unique_ptr<PdfPrinter> makePdfPrinter(const ReportOptions &options);

// Makes a PDF printer of the options the current printer for the lifetime of the object.
class PdfPrinterScope
{
public:
    explicit PdfPrinterScope(const ReportOptions &options);

    PdfPrinter &printer() { return *m_printer; }

private:
    explicit PdfPrinterScope(std::unique_ptr<PdfPrinter> printer);

    PdfPrinter *m_printer;
    CurrentPrinterScope m_scope;
};
