#include "pairs_command.h"

#include "app/command_line.h"
#include "app/pdf_printer_options.h"
#include "app/pedigree_document.h"

#include "grid/edit_grid.h"
#include "platform/pdf_printer.h"
#include "platform/text_file.h"
#include "report/pairing_allocation.h"
#include "report/pairing_csv.h"
#include "report/pairing_document.h"
#include "report/pairing_json.h"
#include "report/pairing_plan.h"
#include "report/pairing_workbook.h"

#include <ostream>
#include <sstream>

namespace {

void addBand(std::vector<std::string> &bands, std::string_view text)
{
    const std::string band = PedigreeDocument::trimmed(text);
    if (!band.empty())
        bands.push_back(band);
}

void addBands(std::vector<std::string> &bands, const std::string &text, char separator)
{
    std::istringstream pieces(text);
    for (std::string band; std::getline(pieces, band, separator);)
        addBand(bands, band);
}

void reportProblems(const PairingPlan &plan, std::ostream &errors)
{
    for (const PairingPlan::RefusedRow &row : plan.refusedRows())
        errors << "zan: row " << row.row << " (" << row.bands.identification << "): " << row.message
               << '\n';
    // The note on exact shares explains the output, where it stands too; it is no problem.
    for (const std::string &note : plan.notes())
        if (note != PairingPlan::ExactSharesNote)
            errors << "zan: " << note << '\n';
}

} // namespace

std::vector<std::string> readBandList(const std::string &argument)
{
    std::vector<std::string> bands;
    if (argument.empty() || argument[0] != '@') {
        addBands(bands, argument, ',');
        return bands;
    }
    const std::string fileName = argument.substr(1);
    TextFileReader reader;
    if (!reader.open(fileName))
        throw ZanError("cannot read file " + fileName);
    // The reader ends lines at CR (or, in a file without CR, at LF): an LF left inside a line
    // ends a band too, so that any mix of LF, CR LF and CR line ends reads alike.
    for (std::string line; reader.readLine(line);)
        addBands(bands, line, '\n');
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

        PairingAllocation season;
        if (options.allocate) {
            season.compute(plan,
                { options.maxPerCock, options.fixed, options.forbidden,
                    options.maxInbreedingPercent });
            for (const std::string &remark : season.remarks())
                errors << "zan: " << remark << '\n';
        }
        const PairingAllocation *allocation = options.allocate ? &season : nullptr;

        const std::unique_ptr<PdfPrinter> pdf = makePdfPrinter(options.output);
        if (!options.output.pdfFile.empty())
            printPairings(plan, document.CurrentFile(), *pdf, allocation);
        if (!options.csvFile.empty())
            writePairingCsv(plan, options.csvFile, allocation);
        if (!options.jsonFile.empty())
            writePairingJson(plan, options.jsonFile, allocation);
        if (!options.xlsxFile.empty())
            writePairingWorkbook(plan, options.xlsxFile, allocation);
        if (options.writesText()) {
            out << pairingText(plan, *pdf, allocation);
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
