#include "report_command.h"

#include "app/command_line.h"
#include "app/pdf_printer_options.h"
#include "app/pedigree_document.h"

#include "grid/edit_grid.h"
#include "platform/pdf_printer.h"
#include "platform/text_file.h"
#include "print/dv_print.h"
#include "report/bird_ancestry.h"
#include "report/report_analysis.h"
#include "report/report_json.h"
#include "report/report_plain_text.h"

#include "docview/doc_view.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string knownPrinters()
{
    const std::vector<std::string> names = availablePrinterNames();
    if (names.empty())
        return "the system offers no printers";
    std::string list = "printers: ";
    for (size_t i = 0; i < names.size(); ++i)
        list += (i > 0 ? ", " : "") + names[i];
    return list;
}

// The named system printer, or the default one for an empty name.
std::unique_ptr<Printer> systemPrinter(const std::string &requested)
{
    const std::string name = requested.empty() ? defaultPrinterName() : requested;
    if (name.empty())
        throw ZanError("no default printer (" + knownPrinters() + ")");
    const std::vector<std::string> names = availablePrinterNames();
    if (std::find(names.begin(), names.end(), name) == names.end())
        throw ZanError("no printer named '" + name + "' (" + knownPrinters() + ")");
    return createSystemPrinter(name);
}

void writeAnalysisJson(
    ReportAnalysis &analysis, const std::string &pedigreeFile, const std::string &fileName)
{
    TextFileWriter writer;
    if (!writer.create(fileName))
        throw ZanError("cannot create file " + fileName);
    writer.write(analysisJson(analysis, pedigreeFile));
    writer.commit();
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

    BirdAncestry ancestry;
    if (!options.bird.empty()) {
        ancestry = birdAncestry(document, options.bird);
        if (const std::string problem = ancestry.problem(options.bird); !problem.empty()) {
            errors << "zan: " << problem << '\n';
            return 1;
        }
    }
    const PedigreeSource &pedigree
        = options.bird.empty() ? static_cast<const PedigreeSource &>(document) : ancestry;

    try {
        const std::unique_ptr<Printer> printer
            = options.printer ? systemPrinter(*options.printer) : makePdfPrinter(options);
        ReportAnalysis analysis;
        analysis.setPrinter(printer.get());
        analysis.compose(pedigree);
        if (!options.pdfFile.empty() || options.printer) {
            analysis.paginate();
            analysis.DVPrint1().Print(document.CurrentFile(), 1, false);
        }
        if (!options.jsonFile.empty())
            writeAnalysisJson(analysis, document.CurrentFile(), options.jsonFile);
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
