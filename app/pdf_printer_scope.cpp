#include "pdf_printer_scope.h"

#include "platform/pdf_printer.h"

PdfPrinterScope::PdfPrinterScope(const ReportOptions &options)
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
    m_printer = printer.get();
    m_previous = setCurrentPrinter(std::move(printer));
}

PdfPrinterScope::~PdfPrinterScope()
{
    setCurrentPrinter(std::move(m_previous));
}
