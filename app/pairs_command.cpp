#include "pairs_command.h"

#include "app/command_line.h"
#include "app/pdf_printer_scope.h"
#include "app/pedigree_document.h"

#include "grid/edit_grid.h"
#include "platform/text_file.h"
#include "print/dv_print.h"
#include "report/pairing_composer.h"
#include "report/pairing_csv.h"
#include "report/pairing_plan.h"
#include "report/report_analysis.h"
#include "report/report_plain_text.h"

#include "docview/doc_view.h"

#include <ostream>
#include <sstream>

namespace {

void addBand(std::vector<std::string> &bands, std::string_view text)
{
    const std::string band = PedigreeDocument::trimmed(text);
    if (!band.empty())
        bands.push_back(band);
}

void reportProblems(const PairingPlan &plan, std::ostream &errors)
{
    for (const PairingPlan::RefusedRow &row : plan.refusedRows())
        errors << "zan: row " << row.row << " (" << row.bands.identification << "): " << row.message
               << '\n';
    for (const std::string &note : plan.notes())
        errors << "zan: " << note << '\n';
}

// The pairings document composed for the current printer.
void composePairings(ReportAnalysis &analysis, const PairingPlan &plan)
{
    analysis.composeWith([&](TCustomDocView &output, const std::string &dateText) {
        PairingComposer(output, plan).write(dateText);
    });
}

} // namespace

void printPairings(const PairingPlan &plan, const std::string &title)
{
    ReportAnalysis analysis;
    composePairings(analysis, plan);
    analysis.paginate();
    analysis.DVPrint1().Print(title, 1, false);
}

void writePairingCsv(const PairingPlan &plan, const std::string &fileName)
{
    TextFileWriter writer;
    if (!writer.create(fileName))
        throw ZanError("cannot create file " + fileName);
    writer.write(pairingCsv(plan));
    writer.commit();
}

std::vector<std::string> readBandList(const std::string &argument)
{
    std::vector<std::string> bands;
    if (argument.empty() || argument[0] != '@') {
        std::istringstream list(argument);
        for (std::string band; std::getline(list, band, ',');)
            addBand(bands, band);
        return bands;
    }
    const std::string fileName = argument.substr(1);
    TextFileReader reader;
    if (!reader.open(fileName))
        throw ZanError("cannot read file " + fileName);
    for (std::string line; reader.readLine(line);)
        addBand(bands, line);
    return bands;
}

int runPairsCommand(const PairsOptions &options, std::ostream &out, std::ostream &errors)
{
    TEditGrid grid;
    PedigreeDocument::setUpPedigreeGrid(grid);
    PedigreeDocument document(grid);
    try {
        document.open(options.output.inputFile);
        PairingPlan plan;
        plan.compute(document, readBandList(options.cocks), readBandList(options.hens));
        reportProblems(plan, errors);

        PdfPrinterScope pdf(options.output);
        if (!options.output.pdfFile.empty())
            printPairings(plan, document.CurrentFile());
        if (!options.csvFile.empty())
            writePairingCsv(plan, options.csvFile);
        if (options.writesText()) {
            ReportAnalysis analysis;
            composePairings(analysis, plan);
            out << reportPlainText(analysis.OutPut());
            out.flush();
            if (!out) {
                errors << "zan: cannot write the pairings to standard output\n";
                return 1;
            }
        }
    } catch (const ZanError &error) {
        errors << "zan: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
