#include "pdf_printer_options.h"

#include "platform/pdf_printer.h"

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
