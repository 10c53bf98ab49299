#include "report_command.h"

#include "app/command_line.h"
#include "app/pedigree_document.h"

#include "grid/edit_grid.h"
#include "platform/pdf_printer.h"
#include "print/dv_print.h"
#include "report/report_analysis.h"
#include "report/report_plain_text.h"

#include "docview/doc_view.h"

#include <ostream>

namespace {

// Makes a PDF printer the current printer for the lifetime of the object, then puts the previous
// printer back.
class PdfPrinterScope
{
public:
    explicit PdfPrinterScope(const ReportOptions &options)
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

    ~PdfPrinterScope() { setCurrentPrinter(std::move(m_previous)); }

    PdfPrinter &printer() { return *m_printer; }

private:
    PdfPrinter *m_printer = nullptr;
    std::unique_ptr<Printer> m_previous;
};

void printPdf(ReportAnalysis &analysis, const std::string &title)
{
    analysis.paginate();
    analysis.DVPrint1().Print(title, 1, false);
}

} // namespace

int runReportCommand(const ReportOptions &options, std::ostream &out, std::ostream &errors)
{
    TEditGrid grid;
    PedigreeDocument::setUpPedigreeGrid(grid);
    PedigreeDocument document(grid);
    try {
        document.open(options.inputFile);
    } catch (const ZanError &error) {
        errors << "zan: " << error.what() << '\n';
        return 1;
    }

    try {
        PdfPrinterScope pdf(options);
        ReportAnalysis analysis;
        analysis.compose(document);
        if (!options.pdfFile.empty())
            printPdf(analysis, document.CurrentFile());
        if (options.writesText()) {
            out << reportPlainText(analysis.OutPut());
            out.flush();
            if (!out) {
                errors << "zan: cannot write the report text to standard output\n";
                return 1;
            }
        }
    } catch (const ZanError &error) {
        errors << "zan: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
