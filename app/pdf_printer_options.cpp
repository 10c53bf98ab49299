#include "pdf_printer_scope.h"

#include "platform/pdf_printer.h"

CurrentPrinterScope::CurrentPrinterScope(std::unique_ptr<Printer> printer)
    : m_previous(setCurrentPrinter(std::move(printer)))
{ }

CurrentPrinterScope::~CurrentPrinterScope()
{
    setCurrentPrinter(std::move(m_previous));
}

std::unique_ptr<PdfPrinter> makePdfPrinter(const ReportOptions &options)
{
    auto printer = std::make_unique<PdfPrinter>();
    switch (options.paper) {
    case PaperChoice::Locale:
        printer->setPaper(PdfPrinter::paperForLocale());
        break;
    case PaperChoice::A4:
        printer->setPaper(Paper::A4);
        break;
    case PaperChoice::Letter:
        printer->setPaper(Paper::Letter);
        break;
    }
    printer->setResolution(options.dotsPerInch);
    if (!options.pdfFile.empty())
        printer->setOutputFile(options.pdfFile);
    return printer;
}

PdfPrinterScope::PdfPrinterScope(std::unique_ptr<PdfPrinter> printer)
    : m_printer(printer.get()), m_scope(std::move(printer))
{ }

PdfPrinterScope::PdfPrinterScope(const ReportOptions &options)
    : PdfPrinterScope(makePdfPrinter(options))
{ }
